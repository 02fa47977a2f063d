// The door steps' schedule: when each step is due.
#include "doors/step_timer_logic.h"

#include <algorithm>
#include <utility>

namespace rumona {

void WakeLatency::Observe(int64_t lateNs) {
  recent_[seen_ % kKept] = std::clamp<int64_t>(lateNs, 0, kMaxNs);
  ++seen_;
  const int kept = std::min(seen_, kKept);
  std::array<int64_t, kKept> sorted = recent_;
  std::nth_element(sorted.begin(), sorted.begin() + kept / 2, sorted.begin() + kept);
  estimateNs_ = sorted[kept / 2];
}

StepPacer::StepPacer(Clock clock)
    : clock_(std::move(clock)), start_(clock_.now()), due_(start_) {}

void StepPacer::CatchUp() {
  const int64_t wakeAt = due_ - latency_.estimate();
  if (wakeAt <= clock_.now()) return;
  clock_.sleepUntil(wakeAt);
  latency_.Observe(clock_.now() - wakeAt);
}

}  // namespace rumona
