#include "doors/step_timer_logic.h"

#include <algorithm>
#include <utility>

namespace rumona {

WakeLatency::WakeLatency(int64_t initialNs)
    : estimateNs_(std::clamp<int64_t>(initialNs, 0, kMaxNs)) {
  recent_.fill(estimateNs_);
}

void WakeLatency::Observe(int64_t lateNs) {
  recent_[next_] = std::clamp<int64_t>(lateNs, 0, kMaxNs);
  next_ = (next_ + 1) % kKept;
  std::array<int64_t, kKept> sorted = recent_;
  std::nth_element(sorted.begin(), sorted.end() - 2, sorted.end());
  estimateNs_ = sorted[kKept - 2];
}

StepPacer::StepPacer(Clock clock, int64_t initialLatencyNs)
    : clock_(std::move(clock)), latency_(initialLatencyNs), start_(clock_.now()), due_(start_) {}

void StepPacer::Wait(int speed) {
  if (speed < 1) return;
  due_ += speed * kNanosecondsPerCount;
  int64_t now = clock_.now();
  const int64_t wakeAt = due_ - latency_.estimate();
  if (wakeAt > now) {
    clock_.sleepUntil(wakeAt);
    now = clock_.now();
    latency_.Observe(now - wakeAt);
  }
  while (now < due_) {
    clock_.pause();
    now = clock_.now();
  }
}

}  // namespace rumona
