#include <gtest/gtest.h>

#include "signboard/frame_logic.h"

namespace rumona {
namespace {

using Frame = std::array<RectTw, 3>;
// Posts 75 wide and 495 high, bar 60 high, as the bus window is designed.
const Frame kDesign = {RectTw{7350, 1650, 75, 495}, RectTw{8835, 1650, 75, 495},
                       RectTw{7350, 2115, 1560, 60}};

struct LayoutCase {
  bool full;  // the full layout, or the one run when the board changes size
  RectTw board;
  Frame before, after;
};
class FrameLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(FrameLayout, PostsBesideTheBoardAndTheBarUnderIt) {
  const LayoutCase& c = GetParam();
  Frame frame = c.before;
  (c.full ? LayoutFrameFull : LayoutFrameOnResize)(c.board, frame);
  EXPECT_TRUE(frame == c.after);
}

INSTANTIATE_TEST_SUITE_P(Boards, FrameLayout, ::testing::Values(
    // The design board: the frame opens at the top, the posts reach 15 below the board.
    LayoutCase{true, {7425, 1665, 1410, 450}, kDesign,
               {{{7350, 1665, 75, 465}, {8835, 1665, 75, 465}, {7350, 2115, 1560, 60}}}},
    // Moved past the left edge and resized: nothing is clamped.
    LayoutCase{true, {30, -60, 600, 300}, kDesign,
               {{{-45, -60, 75, 315}, {630, -60, 75, 315}, {-45, 240, 750, 60}}}},
    // Whatever post widths and bar height it finds stay.
    LayoutCase{true, {1500, 1500, 900, 600}, {{{0, 0, 33, 1}, {0, 0, 44, 1}, {0, 0, 1, 7}}},
               {{{1425, 1500, 33, 615}, {2400, 1500, 44, 615}, {1425, 2100, 1050, 7}}}},
    // A size change moves the frame but leaves the posts' heights.
    LayoutCase{false, {30, 100, 600, 300}, kDesign,
               {{{-45, 100, 75, 495}, {630, 100, 75, 495}, {-45, 400, 750, 60}}}}));

}  // namespace
}  // namespace rumona
