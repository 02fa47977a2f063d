#pragma once
// The step delay of the door animations on the Win32 clock: a waitable timer that the thread
// sleeps on, without touching window messages; under Wine, the system's own delay.
#include <windows.h>

#include "common/scoped_win.h"
#include "doors/step_timer_logic.h"

namespace rumona {

// Whether step timers ask for a high-resolution timer (Windows 10 1803 and later). Off, they take
// the path of older systems, which Wine never takes by itself: a plain timer, the tick at 1 ms.
extern bool askHighResolutionTimer;
// Whether step timers under Wine sleep through its own delay (see StepTimer). Off, they take the
// paths of Windows above, so that those can be run under Wine too.
extern bool useWineDelay;

// Monotonic time in nanoseconds (the performance counter).
int64_t NowNs();

// One per stroke: the schedule starts when it is made.
class StepTimer {
 public:
  StepTimer();
  ~StepTimer();
  StepTimer(const StepTimer&) = delete;
  StepTimer& operator=(const StepTimer&) = delete;

  void Delay(int speed) { pacer_.Delay(speed); }
  void CatchUp() { pacer_.CatchUp(); }
  bool highResolution() const { return highResolution_; }
  bool wineDelay() const { return wineDelay_ != nullptr; }

 private:
  using DelayFn = LONG(WINAPI*)(BOOLEAN alertable, LARGE_INTEGER* interval);
  void SleepUntil(int64_t targetNs);

  // Under Wine a non-alertable NtDelayExecution is a select() with microsecond precision in the
  // process itself, where a timer object costs two round trips to the wineserver a sleep.
  DelayFn wineDelay_ = nullptr;
  bool highResolution_ = false;  // set while timer_ is made, so declared before it
  ScopedKernelHandle timer_;
  bool periodRaised_ = false;
  StepPacer pacer_;
};

}  // namespace rumona
