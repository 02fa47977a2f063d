// The bus window's paint pipeline: a still picture, a buffer, the doors drawn between them.
#include "bus_window/bus_paint.h"

namespace rumona {

namespace {
RECT ToRect(const RectPx& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
}  // namespace

void BusPainter::SetBackground(Picture background, SIZE client, int dpi) {
  background_ = std::move(background);
  client_ = client;
  dpi_ = dpi;
  still_.Reset();
  buffer_.Reset();
}

bool BusPainter::PrepareSurfaces(HDC like, const std::array<LightShape, 3>& frame) {
  const RECT all{0, 0, client_.cx, client_.cy};
  if (!buffer_) {
    if (!still_.Create(like, client_.cx, client_.cy) ||
        !buffer_.Create(like, client_.cx, client_.cy)) {
      still_.Reset();
      buffer_.Reset();
      return false;
    }
    composed_ = false;
  }
  if (composed_ && composedFrame_ == frame) return true;
  if (background_.empty())
    FillRect(still_.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
  else
    background_.Draw(still_.dc(), 0, 0, background_.widthPx(), background_.heightPx(),
                     pictureDc_.get());
  DrawFrame(still_.dc(), all, frame);
  composedFrame_ = frame;
  composed_ = true;
  return true;
}

void BusPainter::DrawFrame(HDC dc, const RECT& area, const std::array<LightShape, 3>& frame) const {
  // The stock DC brush takes any colour without a brush being made.
  const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  for (const LightShape& s : frame) {
    if (!s.visible) continue;
    RECT r = ToRect(ToPixels(s.rect, dpi_)), clip;
    if (!IntersectRect(&clip, &r, &area)) continue;
    SetDCBrushColor(dc, s.fill);
    FillRect(dc, &r, brush);
    SetDCBrushColor(dc, s.outline);
    FrameRect(dc, &r, brush);
  }
}

void BusPainter::Paint(HDC dc, const RECT& area, const std::array<const LightImage*, 3>& doors,
                       const std::array<LightShape, 3>& frame) {
  const RECT client{0, 0, client_.cx, client_.cy};
  RECT paint;
  if (!IntersectRect(&paint, &area, &client) || !PrepareSurfaces(dc, frame)) return;
  const int w = paint.right - paint.left, h = paint.bottom - paint.top;
  HDC buffer = buffer_.dc();
  // A door's picture covers its rectangle: the still picture is copied only where the doors
  // leave the area bare (during a stroke, the strip a door's edge has just left).
  RECT bare = paint;
  for (const LightImage* door : doors) {
    if (!door->visible || !door->picture.bitmap()) continue;
    const RECT r = ToRect(ToPixels(door->rect, dpi_));
    SubtractRect(&bare, &bare, &r);  // unchanged unless the rest is one rectangle
  }
  if (!IsRectEmpty(&bare))
    BitBlt(buffer, bare.left, bare.top, bare.right - bare.left, bare.bottom - bare.top,
           still_.dc(), bare.left, bare.top, SRCCOPY);
  bool drewDoor = false;
  for (const LightImage* door : doors) {
    if (!door->visible || door->picture.empty()) continue;
    const RectPx px = ToPixels(door->rect, dpi_);
    RECT r = ToRect(px), clip;
    if (!IntersectRect(&clip, &r, &paint)) continue;
    if (!door->picture.StretchInto(buffer_, px.left, px.top, px.width(), px.height())) {
      BitBlt(buffer, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top,
             still_.dc(), clip.left, clip.top, SRCCOPY);  // the bus, should the picture not cover
      door->picture.Draw(buffer, px.left, px.top, px.width(), px.height(), pictureDc_.get());
    }
    drewDoor = true;
  }
  if (drewDoor) DrawFrame(buffer, paint, frame);  // the frame lies above a door it overlaps
  BitBlt(dc, paint.left, paint.top, w, h, buffer, paint.left, paint.top, SRCCOPY);
}

void BusPainter::PaintBox(HDC dc, SIZE size, const LightImage& image) {
  const RECT rc{0, 0, size.cx, size.cy};
  HDC buffer = dc;
  // Through the buffer when it can be had, so that the box does not flicker white.
  if (PrepareSurfaces(dc, composedFrame_)) buffer = buffer_.dc();
  FillRect(buffer, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (image.visible)
    image.picture.Draw(buffer, 0, 0, image.picture.widthPx(), image.picture.heightPx(),
                       pictureDc_.get());
  if (buffer != dc) BitBlt(dc, 0, 0, size.cx, size.cy, buffer, 0, 0, SRCCOPY);
}

}  // namespace rumona
