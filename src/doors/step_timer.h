#pragma once
// The step delay of the door animations on the Win32 clock: a precise sleep for the bulk of a
// delay and a short spin for the rest. No window messages are touched while it waits.
#include <windows.h>

#include "doors/step_timer_logic.h"

namespace rumona {

// Monotonic time in nanoseconds (the performance counter).
int64_t NowNs();

// One per stroke: the schedule starts when it is made.
class StepTimer {
 public:
  StepTimer();
  ~StepTimer();
  StepTimer(const StepTimer&) = delete;
  StepTimer& operator=(const StepTimer&) = delete;

  // Waits until the next step is due, S idle counts after the previous one; at once when S < 1.
  void Wait(int speed) { pacer_.Wait(speed); }
  bool highResolution() const { return highResolution_; }
  const StepPacer& pacer() const { return pacer_; }

 private:
  void SleepUntil(int64_t targetNs);

  bool highResolution_ = false;  // set while timer_ is made, so declared before it
  HANDLE timer_ = nullptr;
  bool periodRaised_ = false;
  StepPacer pacer_;
};

}  // namespace rumona
