// The door steps' delays on a waitable timer.
#include "doors/step_timer.h"

#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace rumona {

bool askHighResolutionTimer = true;
bool useWineDelay = true;

namespace {

int64_t CounterFrequency() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return f.QuadPart;
}

// NtDelayExecution when this runs under Wine (its ntdll names its version), else null.
auto WineDelay() {
  using Fn = LONG(WINAPI*)(BOOLEAN, LARGE_INTEGER*);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return Fn{};
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtDelayExecution")));
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
    : wineDelay_(useWineDelay && askHighResolutionTimer ? WineDelay() : nullptr),
      timer_(CreateStepWaitTimer(highResolution_)),
      periodRaised_(!highResolution_ && timeBeginPeriod(1) == TIMERR_NOERROR),
      pacer_(StepPacer::Clock{&NowNs, [this](int64_t t) { SleepUntil(t); }}) {}

StepTimer::~StepTimer() {
  if (periodRaised_) timeEndPeriod(1);
}

void StepTimer::SleepUntil(int64_t targetNs) {
  const int64_t remaining = targetNs - NowNs();
  if (remaining <= 0) return;
  // Relative, in 100-ns units, rounded up: a sleep never ends early.
  LARGE_INTEGER due;
  due.QuadPart = -((remaining + 99) / 100);
  if (wineDelay_ && wineDelay_(FALSE, &due) == 0) return;
  if (timer_) {
    if (SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
      WaitForSingleObject(timer_.get(), INFINITE);
      return;
    }
  }
  Sleep(static_cast<DWORD>((remaining + 999'999) / 1'000'000));
}

}  // namespace rumona
