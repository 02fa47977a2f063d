#pragma once
// Where the signboard's frame goes: two posts beside the board and a bar under it.
#include <array>

#include "common/twips_logic.h"

namespace rumona {

struct FrameLayoutConstants {
  static constexpr float kPostOffset = 75;   // left post and bar start this far left of the board
  static constexpr float kPostOverhang = 15; // posts reach this far below the board's bottom
  static constexpr float kBarExtra = 150;    // the bar is this much wider than the board
};

// The full layout: posts flush against the board from its top, bar under it. Posts keep their
// widths and the bar its height.
void LayoutFrameFull(const RectTw& board, std::array<RectTw, 3>& frame);

// The layout run when the board changes size: as the full one but the posts' heights stay.
void LayoutFrameOnResize(const RectTw& board, std::array<RectTw, 3>& frame);

}  // namespace rumona
