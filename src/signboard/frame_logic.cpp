// The signboard frame's two layouts round the board.
#include "signboard/frame_logic.h"

namespace rumona {

void LayoutFrameFull(const RectTw& board, std::array<RectTw, 3>& frame) {
  using C = FrameLayoutConstants;
  frame[0].left = board.left - C::kPostOffset;
  frame[0].top = board.top;
  frame[0].height = board.height + C::kPostOverhang;
  frame[1].left = board.left + board.width;
  frame[1].top = board.top;
  frame[1].height = board.height + C::kPostOverhang;
  frame[2].left = board.left - C::kPostOffset;
  frame[2].top = board.top + board.height;
  frame[2].width = board.width + C::kBarExtra;
}

void LayoutFrameOnResize(const RectTw& board, std::array<RectTw, 3>& frame) {
  using C = FrameLayoutConstants;
  frame[0].left = board.left - C::kPostOffset;
  frame[0].top = board.top;
  frame[1].left = board.left + board.width;
  frame[1].top = board.top;
  frame[2].left = board.left - C::kPostOffset;
  frame[2].top = board.top + board.height;
  frame[2].width = board.width + C::kBarExtra;
}

}  // namespace rumona
