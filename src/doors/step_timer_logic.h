#pragma once
// The pacing of door steps, apart from the clock it runs on: the step delay is S idle counts of
// a fixed length, kept on a schedule so that small lateness does not add up over a stroke.
#include <array>
#include <cstdint>
#include <functional>

namespace rumona {

// The length of one idle count. S = 10000 makes a 1 ms step: the front door's 1026 steps then
// take about a second on any machine.
inline constexpr int64_t kNanosecondsPerCount = 100;

// How late the platform's sleep wakes up, learnt from its recent wakes: the second latest of
// the last 16, so that one stall of a busy machine does not make the next steps spin whole. The
// pacer wakes this much early and spins the rest.
class WakeLatency {
 public:
  static constexpr int64_t kMaxNs = 4'000'000;
  static constexpr int kKept = 16;
  explicit WakeLatency(int64_t initialNs);
  int64_t estimate() const { return estimateNs_; }
  void Observe(int64_t lateNs);

 private:
  std::array<int64_t, kKept> recent_;
  int next_ = 0;
  int64_t estimateNs_;
};

// Step k of a stroke is due at start + the delays of the steps before it. Wait() runs the delay
// of one step: a sleep for the bulk when there is time for one, then a spin to the due time.
class StepPacer {
 public:
  struct Clock {
    std::function<int64_t()> now;             // monotonic, in nanoseconds
    std::function<void(int64_t)> sleepUntil;  // may end late, never early
    std::function<void()> pause;              // one turn of the spin loop
  };

  StepPacer(Clock clock, int64_t initialLatencyNs);
  // The delay of one step of speed S: none at all when S is below 1.
  void Wait(int speed);
  int64_t start() const { return start_; }
  int64_t due() const { return due_; }
  const WakeLatency& latency() const { return latency_; }

 private:
  Clock clock_;
  WakeLatency latency_;
  int64_t start_;
  int64_t due_;
};

}  // namespace rumona
