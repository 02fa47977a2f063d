#pragma once
// How the bus window paints: what stays put during a door stroke (the bus artwork and the frame)
// is composed once into a still picture; a paint copies the area from it into a buffer, draws the
// doors there, and copies the buffer to the screen. So a door step only copies and stretches.
#include <windows.h>

#include <array>

#include "common/light_controls.h"
#include "common/picture.h"
#include "common/scoped_win.h"

namespace rumona {

class BusPainter {
 public:
  // The picture drawn at the client area's origin, the area's size in pixels, and the DPI the
  // lightweight controls' twips are turned into pixels at.
  void SetBackground(Picture background, SIZE client, int dpi);

  // Paints `area` of the bus window: the still picture, the doors over it, and the frame over a
  // door it crosses.
  void Paint(HDC dc, const RECT& area, const std::array<const LightImage*, 3>& doors,
             const std::array<LightShape, 3>& frame);
  // Paints a box of `size` filled white with `image` at its own size at the top-left.
  void PaintBox(HDC dc, SIZE size, const LightImage& image);

  HDC scratch() const { return pictureDc_.get(); }  // a DC to draw pictures from

 private:
  bool PrepareSurfaces(HDC like, const std::array<LightShape, 3>& frame);
  void DrawFrame(HDC dc, const RECT& area, const std::array<LightShape, 3>& frame) const;

  Picture background_;
  SIZE client_{};
  int dpi_ = kBaseDpi;
  Canvas still_, buffer_;
  std::array<LightShape, 3> composedFrame_{};  // the frame as the still picture shows it
  bool composed_ = false;
  ScopedMemDC pictureDc_{CreateCompatibleDC(nullptr)};
};

}  // namespace rumona
