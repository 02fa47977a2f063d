// The door strokes as numbers: widths step by step and which leaves move.
#include "doors/doors_logic.h"

#include <algorithm>

namespace rumona {

bool NarrowSpeed(int32_t value, int16_t& speed) {
  // The range lies inside 16 bits, so a value past them is refused with it.
  if (value < kSpeedMin || value > kSpeedMax) return false;
  speed = static_cast<int16_t>(value);
  return true;
}

WidthRun StrokeWidths(bool open, double currentWidth, int openWidth, int closedWidth) {
  if (!open) return WidthRun{openWidth, closedWidth - openWidth + 1, +1};
  const int w0 = RoundHalfEven(currentWidth);
  if (w0 < openWidth) return WidthRun{w0, 0, -1};
  return WidthRun{w0, w0 - openWidth + 1, -1};
}

Leaves ChooseLeaves(bool bothSelected, bool leftSelected) {
  if (bothSelected) return Leaves::Both;
  if (leftSelected) return Leaves::Left;
  return Leaves::Right;
}

double LeadingLeafWidth(Leaves leaves, const RectTw& left, const RectTw& right) {
  return leaves == Leaves::Right ? right.width : left.width;
}

void SetLeafWidths(Leaves leaves, int w, RectTw& left, RectTw& right) {
  const float width = static_cast<float>(w);
  if (leaves != Leaves::Right) left.width = width;
  if (leaves != Leaves::Left) {
    right.width = width;
    right.left = kRightLeafRightEdgeTw - width;
  }
}

RectTw MovingLeavesBounds(Leaves leaves, const RectTw& left, const RectTw& right) {
  if (leaves == Leaves::Left) return left;
  if (leaves == Leaves::Right) return right;
  const float l = std::min(left.left, right.left), t = std::min(left.top, right.top);
  const float r = std::max(left.right(), right.right());
  const float b = std::max(left.bottom(), right.bottom());
  return RectTw{l, t, r - l, b - t};
}

}  // namespace rumona
