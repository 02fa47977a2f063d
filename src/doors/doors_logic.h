#pragma once
// The door strokes as plain numbers: which widths a stroke steps through and which leaves move.
#include <cstdint>

#include "common/twips_logic.h"

namespace rumona {

// The speeds of the two doors, as the panel's bars set them: idle counts a door step, so a larger
// value is a slower door.
inline constexpr int kSpeedMin = 1;
inline constexpr int kSpeedMax = 30000;

// A speed read as 32 bits narrowed to 16 and checked against the bars' range; false when it would
// not fit (a value past 16 bits is refused, never wrapped into range).
bool NarrowSpeed(int32_t value, int16_t& speed);

// Front door (Image1): its left edge stays put, the right edge moves.
inline constexpr int kFrontDoorClosedTw = 1095;
inline constexpr int kFrontDoorOpenTw = 70;

// Middle folding door (imgNakaorido): the left leaf keeps its left edge, the right leaf its
// right edge.
inline constexpr int kLeafClosedTw = 795;
inline constexpr int kLeafOpenTw = 110;
inline constexpr float kRightLeafRightEdgeTw = 7125;

// The widths of one stroke, one twip apart, in the order they are set.
struct WidthRun {
  int first = 0;
  int count = 0;  // 0: no step at all
  int direction = 1;  // +1 widening (closing), -1 narrowing (opening)
  int At(int step) const { return first + direction * step; }
  int last() const { return At(count - 1); }
};

// Closing always runs from the open width up to the closed one, whatever the width is now.
// Opening runs from the current width, rounded to whole twips with halves to even, down to the
// open width; nothing at all when that is already below it.
WidthRun StrokeWidths(bool open, double currentWidth, int openWidth, int closedWidth);

enum class Leaves { Both, Left, Right };

// The option group, read in its own order: "両方" first, then "左"; otherwise the right leaf.
Leaves ChooseLeaves(bool bothSelected, bool leftSelected);

// The width an opening starts from: the left leaf's unless the right leaf moves alone.
double LeadingLeafWidth(Leaves leaves, const RectTw& left, const RectTw& right);

// One step at width w: the moving leaves take the width; the right leaf's Left follows so that
// its right edge stays at 7125.
void SetLeafWidths(Leaves leaves, int w, RectTw& left, RectTw& right);

// What a step of the chosen leaves can change on screen: the moving leaves' bounding box.
RectTw MovingLeavesBounds(Leaves leaves, const RectTw& left, const RectTw& right);

}  // namespace rumona
