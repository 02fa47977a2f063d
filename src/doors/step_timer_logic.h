#pragma once
// The pacing of door steps, apart from the clock it runs on. Every step adds its delay (S idle
// counts of a fixed length) to a schedule that starts with the stroke; the thread sleeps only
// before a step that changes the screen, until that step is due, and never spins. Lateness of
// one wake therefore delays one frame, never the steps after it.
#include <array>
#include <cstdint>
#include <functional>

namespace rumona {

// The length of one idle count. S = 10000 makes a 1 ms step: the front door's 1026 steps then
// take about a second on any machine.
inline constexpr int64_t kNanosecondsPerCount = 100;

// How late the platform's sleep wakes, learnt from its recent wakes: the median lateness of the
// last 16, so that asking that much early lands on the due time on average (a wake rounded to
// the next millisecond is late by anything up to one), and a stall of a busy machine teaches
// nothing.
class WakeLatency {
 public:
  static constexpr int64_t kMaxNs = 2'000'000;
  static constexpr int kKept = 16;
  int64_t estimate() const { return estimateNs_; }
  void Observe(int64_t lateNs);

 private:
  std::array<int64_t, kKept> recent_{};
  int seen_ = 0;
  int64_t estimateNs_ = 0;
};

class StepPacer {
 public:
  struct Clock {
    std::function<int64_t()> now;             // monotonic, in nanoseconds
    std::function<void(int64_t)> sleepUntil;  // may end late, never early
  };

  explicit StepPacer(Clock clock);
  // Adds the delay of one step of speed S to the schedule (none when S is below 1); waits not.
  void Delay(int speed) {
    if (speed >= 1) due_ += speed * kNanosecondsPerCount;
  }
  // Sleeps until every delay added so far has passed; returns at once when it already has.
  void CatchUp();
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
