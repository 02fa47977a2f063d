#include <gtest/gtest.h>

#include "signboard/frame_logic.h"

namespace rumona {
namespace {

using Frame = std::array<RectTw, 3>;

// The frame as the bus window is designed: posts 75 wide, 495 high, bar 60 high.
Frame DesignFrame() {
  return {RectTw{7350, 1650, 75, 495}, RectTw{8835, 1650, 75, 495}, RectTw{7350, 2115, 1560, 60}};
}

void ExpectRect(const RectTw& r, float left, float top, float width, float height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.width, width);
  EXPECT_EQ(r.height, height);
}

TEST(FrameLayout, FullLayoutOfTheDesignBoardOpensTheFrameAtTheTop) {
  Frame frame = DesignFrame();
  LayoutFrameFull(RectTw{7425, 1665, 1410, 450}, frame);
  ExpectRect(frame[0], 7350, 1665, 75, 465);
  ExpectRect(frame[1], 8835, 1665, 75, 465);
  ExpectRect(frame[2], 7350, 2115, 1560, 60);
}

TEST(FrameLayout, FullLayoutFollowsAMovedAndResizedBoardPastTheLeftEdge) {
  // A board dragged to Left 30 (less than a post's width) and given a 600 x 300 picture.
  Frame frame = DesignFrame();
  LayoutFrameFull(RectTw{30, 100, 600, 300}, frame);
  ExpectRect(frame[0], -45, 100, 75, 315);
  ExpectRect(frame[1], 630, 100, 75, 315);
  ExpectRect(frame[2], -45, 400, 750, 60);

  // Entirely off the left and top edges: nothing is clamped.
  LayoutFrameFull(RectTw{-900, -60, 405, 1200}, frame);
  ExpectRect(frame[0], -975, -60, 75, 1215);
  ExpectRect(frame[1], -495, -60, 75, 1215);
  ExpectRect(frame[2], -975, 1140, 555, 60);
}

TEST(FrameLayout, FullLayoutKeepsWhateverPostWidthAndBarHeightItFinds) {
  Frame frame{RectTw{0, 0, 33, 1}, RectTw{0, 0, 44, 1}, RectTw{0, 0, 1, 7}};
  LayoutFrameFull(RectTw{1500, 1500, 900, 600}, frame);
  EXPECT_EQ(frame[0].width, 33);
  EXPECT_EQ(frame[1].width, 44);
  EXPECT_EQ(frame[2].height, 7);
  EXPECT_EQ(frame[2].width, 1050);
}

TEST(FrameLayout, ResizeLayoutMovesTheFrameButLeavesThePostHeights) {
  Frame frame = DesignFrame();
  LayoutFrameOnResize(RectTw{30, 100, 600, 300}, frame);
  ExpectRect(frame[0], -45, 100, 75, 495);
  ExpectRect(frame[1], 630, 100, 75, 495);
  ExpectRect(frame[2], -45, 400, 750, 60);

  // After a full layout the heights come from the board; a later resize keeps them.
  LayoutFrameFull(RectTw{7425, 1665, 1410, 450}, frame);
  LayoutFrameOnResize(RectTw{7425, 1665, 3000, 1500}, frame);
  ExpectRect(frame[0], 7350, 1665, 75, 465);
  ExpectRect(frame[1], 10425, 1665, 75, 465);
  ExpectRect(frame[2], 7350, 3165, 3150, 60);
}

}  // namespace
}  // namespace rumona
