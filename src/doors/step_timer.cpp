// The door steps' delays on a waitable timer.
#include "doors/step_timer.h"

#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace rumona {

bool askHighResolutionTimer = true;

namespace {

int64_t CounterFrequency() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return f.QuadPart;
}

HANDLE CreateStepWaitTimer(bool& highResolution) {
  // Windows 10 1803 and later: sub-millisecond timers without changing the system's tick.
  constexpr DWORD kHighResolution = CREATE_WAITABLE_TIMER_HIGH_RESOLUTION;
  HANDLE timer = askHighResolutionTimer
                     ? CreateWaitableTimerExW(nullptr, nullptr, kHighResolution, TIMER_ALL_ACCESS)
                     : nullptr;
  highResolution = timer != nullptr;
  if (!timer) timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  return timer;
}

}  // namespace

int64_t NowNs() {
  static const int64_t frequency = CounterFrequency();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  // Split so that the multiplication cannot overflow however long the machine has been up.
  return c.QuadPart / frequency * 1'000'000'000 + c.QuadPart % frequency * 1'000'000'000 / frequency;
}

StepTimer::StepTimer()
    : timer_(CreateStepWaitTimer(highResolution_)),
      periodRaised_(!highResolution_ && timeBeginPeriod(1) == TIMERR_NOERROR),
      pacer_(StepPacer::Clock{&NowNs, [this](int64_t t) { SleepUntil(t); }}) {}

StepTimer::~StepTimer() {
  if (periodRaised_) timeEndPeriod(1);
}

void StepTimer::SleepUntil(int64_t targetNs) {
  const int64_t remaining = targetNs - NowNs();
  if (remaining <= 0) return;
  if (timer_) {
    LARGE_INTEGER due;
    due.QuadPart = -(remaining / 100);  // relative, in 100-ns units
    if (due.QuadPart < 0 && SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
      WaitForSingleObject(timer_.get(), INFINITE);
      return;
    }
  }
  Sleep(static_cast<DWORD>((remaining + 999'999) / 1'000'000));
}

}  // namespace rumona
