#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "doors/doors_logic.h"
#include "doors/step_timer_logic.h"

namespace rumona {
namespace {

std::vector<int> Widths(const WidthRun& run) {
  std::vector<int> w;
  for (int k = 0; k < run.count; ++k) w.push_back(run.At(k));
  return w;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> w;
  for (int x = from; from <= to ? x <= to : x >= to; x += from <= to ? 1 : -1) w.push_back(x);
  return w;
}

TEST(DoorStrokes, FrontDoorRuns1026StepsEachWay) {
  EXPECT_EQ(Widths(StrokeWidths(true, 1095, kFrontDoorOpenTw, kFrontDoorClosedTw)), Range(1095, 70));
  EXPECT_EQ(Widths(StrokeWidths(false, 70, kFrontDoorOpenTw, kFrontDoorClosedTw)), Range(70, 1095));
  EXPECT_EQ(StrokeWidths(true, 1095, kFrontDoorOpenTw, kFrontDoorClosedTw).count, 1026);
}

TEST(DoorStrokes, MiddleLeavesRun686StepsEachWay) {
  const WidthRun open = StrokeWidths(true, 795, kLeafOpenTw, kLeafClosedTw);
  EXPECT_EQ(Widths(open), Range(795, 110));
  EXPECT_EQ(open.last(), 110);
  const WidthRun close = StrokeWidths(false, 110, kLeafOpenTw, kLeafClosedTw);
  EXPECT_EQ(Widths(close), Range(110, 795));
  EXPECT_EQ(close.count, 686);
}

TEST(DoorStrokes, ClosingAlwaysStartsAtTheOpenWidth) {
  // Whatever the door's width, even a door already closed runs the whole closing stroke.
  for (double now : {70.0, 500.3, 1095.0, 2000.0, 10.0}) {
    const WidthRun run = StrokeWidths(false, now, kFrontDoorOpenTw, kFrontDoorClosedTw);
    EXPECT_EQ(run.first, 70) << now;
    EXPECT_EQ(run.last(), 1095) << now;
  }
}

TEST(DoorStrokes, OpeningStartsFromTheWidthRoundedHalfToEven) {
  auto first = [](double now) { return StrokeWidths(true, now, 70, 1095).first; };
  EXPECT_EQ(first(500.5), 500);
  EXPECT_EQ(first(501.5), 502);
  EXPECT_EQ(first(500.49), 500);
  EXPECT_EQ(first(500.51), 501);
  const WidthRun fromHalf = StrokeWidths(true, 600.5, 70, 1095);
  EXPECT_EQ(Widths(fromHalf), Range(600, 70));
}

TEST(DoorStrokes, OpeningBelowTheOpenWidthMakesNoStep) {
  EXPECT_EQ(StrokeWidths(true, 70, 70, 1095).count, 1);     // one step at 70
  EXPECT_EQ(StrokeWidths(true, 70.5, 70, 1095).count, 1);   // 70.5 rounds to 70
  EXPECT_EQ(StrokeWidths(true, 69.5, 70, 1095).count, 1);   // 69.5 rounds to 70
  EXPECT_EQ(StrokeWidths(true, 69.4, 70, 1095).count, 0);
  EXPECT_EQ(StrokeWidths(true, 68.5, 70, 1095).count, 0);   // 68.5 rounds to 68
  EXPECT_EQ(StrokeWidths(true, 109.5, 110, 795).count, 1);  // 110
  EXPECT_EQ(StrokeWidths(true, 108.5, 110, 795).count, 0);
  EXPECT_EQ(StrokeWidths(true, -5, 110, 795).count, 0);
}

TEST(Leaves, OptionsAreReadBothFirstThenLeftElseRight) {
  EXPECT_EQ(ChooseLeaves(true, false), Leaves::Both);
  EXPECT_EQ(ChooseLeaves(true, true), Leaves::Both);
  EXPECT_EQ(ChooseLeaves(false, true), Leaves::Left);
  EXPECT_EQ(ChooseLeaves(false, false), Leaves::Right);
}

TEST(Leaves, OpeningStartsFromTheLeftLeafUnlessTheRightMovesAlone) {
  const RectTw left{5535, 750, 300.5f, 2235}, right{6725, 750, 400, 2235};
  EXPECT_EQ(LeadingLeafWidth(Leaves::Both, left, right), 300.5);
  EXPECT_EQ(LeadingLeafWidth(Leaves::Left, left, right), 300.5);
  EXPECT_EQ(LeadingLeafWidth(Leaves::Right, left, right), 400);
}

struct LeafCase {
  Leaves leaves;
  bool leftMoves, rightMoves;
};

TEST(Leaves, EachStepMovesOnlyTheChosenLeavesAndKeepsTheFixedEdges) {
  for (const LeafCase c : {LeafCase{Leaves::Both, true, true}, LeafCase{Leaves::Left, true, false},
                           LeafCase{Leaves::Right, false, true}}) {
    RectTw left{5535, 750, 795, 2235}, right{6330, 750, 795, 2235};
    for (bool open : {true, false}) {
      const WidthRun run = StrokeWidths(open, LeadingLeafWidth(c.leaves, left, right), kLeafOpenTw,
                                        kLeafClosedTw);
      ASSERT_EQ(run.count, 686);
      for (int k = 0; k < run.count; ++k) {
        const int w = run.At(k);
        SetLeafWidths(c.leaves, w, left, right);
        ASSERT_EQ(left.left, 5535);
        ASSERT_EQ(right.right(), 7125) << w;
        ASSERT_EQ(left.width, c.leftMoves ? w : 795);
        ASSERT_EQ(right.width, c.rightMoves ? w : 795);
        ASSERT_EQ(left.top, 750);
        ASSERT_EQ(right.height, 2235);
      }
      EXPECT_EQ(right.left, c.rightMoves && open ? 7015 : 6330);
    }
  }
}

TEST(Leaves, RepaintBoundsCoverTheMovingLeavesAndTheDoorwayBetween) {
  const RectTw left{5535, 750, 110, 2235}, right{7015, 750, 110, 2235};
  const RectTw both = MovingLeavesBounds(Leaves::Both, left, right);
  EXPECT_EQ(both.left, 5535);
  EXPECT_EQ(both.right(), 7125);
  EXPECT_EQ(both.height, 2235);
  EXPECT_EQ(MovingLeavesBounds(Leaves::Left, left, right).right(), 5645);
  EXPECT_EQ(MovingLeavesBounds(Leaves::Right, left, right).left, 7015);
}

// A clock that moves only when the pacer sleeps or spins, with a sleep that wakes a set time
// late; each spin turn takes 1 us.
struct FakeClock {
  int64_t t = 1'000'000'000;
  int64_t late = 0;
  std::vector<int64_t> sleepTargets;
  int spins = 0;
  StepPacer::Clock clock() {
    return {[this] { return t; },
            [this](int64_t until) {
              sleepTargets.push_back(until);
              t = std::max(t, until + late);
            },
            [this] {
              ++spins;
              t += 1'000;
            }};
  }
};

TEST(StepPacer, SpeedBelowOneWaitsNotAtAll) {
  FakeClock c;
  StepPacer pacer(c.clock(), 500'000);
  const int64_t before = c.t;
  pacer.Wait(0);
  pacer.Wait(-7);
  EXPECT_EQ(c.t, before);
  EXPECT_EQ(c.spins, 0);
  EXPECT_TRUE(c.sleepTargets.empty());
  EXPECT_EQ(pacer.due(), pacer.start());
}

TEST(StepPacer, OneCountIsAHundredNanosecondsAndStepsAreDueOnASchedule) {
  FakeClock c;
  StepPacer pacer(c.clock(), 500'000);
  const int64_t start = c.t;
  // Work of varying cost between the steps, one step far longer than its delay.
  const int64_t work[] = {100'000, 0, 2'500'000, 300'000, 50'000, 900'000};
  int64_t expectedDue = start;
  for (int64_t w : work) {
    c.t += w;
    const int64_t arrival = c.t;
    pacer.Wait(10000);  // S = 10000 is 1 ms
    expectedDue += 1'000'000;
    EXPECT_EQ(pacer.due(), expectedDue);
    if (arrival >= expectedDue) {
      EXPECT_EQ(c.t, arrival);  // an overrun step does not wait at all
    } else {
      EXPECT_GE(c.t, expectedDue);  // never early
      EXPECT_LT(c.t, expectedDue + 1'000);
    }
  }
  // The overrun of the third step was caught up: six steps end six delays after the start.
  EXPECT_LT(c.t, start + 6'000'000 + 1'000);
}

TEST(StepPacer, SleepsForTheBulkAndSpinsTheRest) {
  FakeClock c;
  StepPacer pacer(c.clock(), 500'000);
  pacer.Wait(30000);  // 3 ms
  ASSERT_EQ(c.sleepTargets.size(), 1u);
  EXPECT_EQ(c.sleepTargets[0], pacer.due() - 500'000);
  EXPECT_EQ(c.spins, 500);
  // A delay shorter than the expected lateness of a sleep is spun whole.
  c.sleepTargets.clear();
  c.spins = 0;
  pacer.Wait(1000);  // 100 us
  EXPECT_TRUE(c.sleepTargets.empty());
  EXPECT_EQ(c.spins, 100);
}

TEST(StepPacer, LearnsHowLateTheSleepWakesButNotFromOneStall) {
  FakeClock c;
  StepPacer pacer(c.clock(), 500'000);
  // One wake far too late is taken for a stall of a busy machine: it is spun out, not learnt.
  c.late = 3'000'000;
  pacer.Wait(50000);
  c.late = 0;
  pacer.Wait(50000);
  EXPECT_EQ(pacer.latency().estimate(), 500'000);
  // A sleep that keeps waking 1.5 ms late is learnt from its second time on.
  c.late = 1'500'000;
  pacer.Wait(30000);
  pacer.Wait(30000);
  EXPECT_EQ(pacer.latency().estimate(), 1'500'000);
  for (int i = 0; i < 5; ++i) {
    pacer.Wait(30000);
    EXPECT_EQ(c.sleepTargets.back(), pacer.due() - 1'500'000);
    EXPECT_GE(c.t, pacer.due());
    EXPECT_LT(c.t, pacer.due() + 1'000);  // the spin covers what the sleep leaves
  }
  // Once the sleep wakes on time again the estimate follows within the kept wakes.
  c.late = 100'000;
  for (int i = 0; i < WakeLatency::kKept; ++i) pacer.Wait(30000);
  EXPECT_EQ(pacer.latency().estimate(), 100'000);
  // However long the stalls, the pacer never plans to spin more than a few milliseconds.
  c.late = 50'000'000;
  for (int i = 0; i < 3; ++i) pacer.Wait(1'000'000);  // 100 ms steps, each slept
  EXPECT_EQ(pacer.latency().estimate(), WakeLatency::kMaxNs);
}

}  // namespace
}  // namespace rumona
