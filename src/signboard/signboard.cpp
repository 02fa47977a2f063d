#include "bus_window/form1.h"
#include "signboard/frame_logic.h"

namespace rumona {

namespace {
constexpr RectTw kDefaultBoard{7425, 1665, 1410, 450};

std::array<RectTw, 3> FrameRects(const std::array<LightShape, 3>& shapes) {
  return {shapes[0].rect, shapes[1].rect, shapes[2].rect};
}

void StoreFrameRects(std::array<LightShape, 3>& shapes, const std::array<RectTw, 3>& rects) {
  for (int i = 0; i < 3; ++i) shapes[i].rect = rects[i];
}
}  // namespace

void Form1::PicKanban_MouseDown(int button, int, float, float) {
  if (button == 2) ShowPopupMenu();
  // Dragging with the left button arrives with the signboard work.
}

void Form1::PicKanban_DblClick() {
  const auto before = FrameRects(shpK_Waku);
  auto rects = before;
  LayoutFrameFull(KanbanRect(), rects);
  StoreFrameRects(shpK_Waku, rects);
  RepaintFrame(before);
}

void Form1::PicKanban_Resize() {
  const auto before = FrameRects(shpK_Waku);
  auto rects = before;
  LayoutFrameOnResize(KanbanRect(), rects);
  StoreFrameRects(shpK_Waku, rects);
  RepaintFrame(before);
}

// The show/hide, frame and picture commands arrive with the signboard work.
void Form1::MnuViewKanban_Click() {}
void Form1::MnuViewWaku_Click() {}
void Form1::MnuSetKanban_Click() {}

void Form1::MnuKanbanReset_Click() {
  SetKanbanPicture(Picture());
  MoveSizeKanban(kDefaultBoard);
  PicKanban_DblClick();
}

}  // namespace rumona
