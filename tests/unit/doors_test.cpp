#include <gtest/gtest.h>

#include <vector>

#include "common/twips_logic.h"
#include "doors/doors_logic.h"
#include "doors/step_timer_logic.h"

namespace rumona {
namespace {

struct StrokeCase {
  bool open;
  double now;
  int openW, closedW, first, count;
};
// Front door 70..1095, middle leaves 110..795, stopped between (the full strokes are the doors'
// Win32 test): closing always from the open width; opening from the width rounded half to even,
// never below the open width.
const StrokeCase kStrokes[] = {
    {false, 500.3, 70, 1095, 70, 1026}, {true, 500.5, 70, 1095, 500, 431},
    {true, 501.5, 70, 1095, 502, 433},  {true, 69.5, 70, 1095, 70, 1},
    {true, 69.4, 70, 1095, 69, 0},      {true, 108.5, 110, 795, 108, 0}};

TEST(DoorStrokes, WidthsRunOneTwipAStepBetweenTheRightEnds) {
  for (const StrokeCase& c : kStrokes) {
    const WidthRun run = StrokeWidths(c.open, c.now, c.openW, c.closedW);
    ASSERT_EQ(run.count, c.count) << c.now;
    if (c.count == 0) continue;
    EXPECT_EQ(run.first, c.first) << c.now;
    EXPECT_EQ(run.last(), c.open ? c.openW : c.closedW) << c.now;
    if (c.count > 1) EXPECT_EQ(run.At(1) - run.At(0), c.open ? -1 : 1);
  }
}

TEST(Twips, EdgesConvertOneByOneSoAFixedRightEdgeStaysPutAtEveryDpi) {
  // The right leaf keeps its right edge at 7125 twips while it narrows a twip a step.
  for (const auto& [dpi, right] : {std::pair{96, 475}, {144, 713}, {192, 950}})
    for (int w = 795; w >= 110; --w)
      ASSERT_EQ(ToPixels(RectTw{7125.0f - w, 750, float(w), 2235}, dpi).right, right) << w;
  EXPECT_EQ(ToPixels(RectTw{345, 705, 1095, 2220}, 96), (RectPx{23, 47, 96, 195}));
  // Two pieces that meet in twips meet in pixels, though each size alone would round apart.
  EXPECT_EQ(ToPixels(RectTw{345, 705, 1095, 2220}, 144), (RectPx{35, 71, 144, 293}));
  EXPECT_EQ(ToPixels(RectTw{1440, 705, 75, 2220}, 144).left, 144);
}

// Moves only when the pacer sleeps (waking `late` after the time asked) or a step works.
struct FakeClock {
  int64_t t = 1'000'000'000, late = 800'000;
  std::vector<int64_t> asked;
  StepPacer::Clock clock() {
    return {[this] { return t; }, [this](int64_t u) { asked.push_back(u), t = u + late; }};
  }
};

TEST(StepPacer, KeepsTheScheduleThroughLateWakesAndCatchesUpAfterAnOverrun) {
  FakeClock c;
  StepPacer pacer(c.clock());
  const int64_t start = pacer.start();
  pacer.Delay(-5);  // nothing below one count
  for (int k = 1; k <= 20; ++k) {
    if (k == 5) c.t += 7'000'000;  // a step whose work overruns several delays
    pacer.Delay(20000);            // 2 ms
    const size_t sleeps = c.asked.size();
    pacer.CatchUp();
    if (k >= 5 && k <= 7) EXPECT_EQ(c.asked.size(), sleeps) << k;  // behind: no sleep at all
    if (k > 7) EXPECT_EQ(c.asked.back(), start + k * 2'000'000 - c.late) << k;  // early
    EXPECT_GE(c.t, start + k * 2'000'000) << k;
  }
  EXPECT_EQ(c.asked.front(), start + 2'000'000);  // nothing learnt yet: the due time itself
  EXPECT_EQ(c.t, start + 40'000'000);             // the stroke's length holds
  // The median lateness of recent wakes is learnt: neither a lucky wake nor a stall moves it.
  for (int i = 0; i < 18; ++i) {
    c.late = i == 0 ? 100'000 : i == 1 ? 50'000'000 : 400'000;  // the stall skips five sleeps
    pacer.Delay(100000);
    pacer.CatchUp();
  }
  EXPECT_EQ(pacer.latency().estimate(), 400'000);
}

}  // namespace
}  // namespace rumona
