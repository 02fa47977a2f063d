#include "doors/step_timer_logic.h"

#include <algorithm>
#include <utility>

namespace rumona {

WakeLatency::WakeLatency(int64_t initialNs) : estimateNs_(std::clamp<int64_t>(initialNs, 0, kMaxNs)) {}

void WakeLatency::Observe(int64_t lateNs) {
  lateNs = std::clamp<int64_t>(lateNs, 0, kMaxNs);
  if (lateNs > estimateNs_)
    estimateNs_ = lateNs;  // one late wake is enough to be careful
  else
    estimateNs_ -= (estimateNs_ - lateNs) / 8;
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
