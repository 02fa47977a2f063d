#pragma once
// Geometry is kept in twips, as the windows are designed; pixels only at the Win32 boundary.
#include <cmath>
#include <cstdint>

namespace rumona {

constexpr int kTwipsPerPixel = 15;  // the program is DPI-unaware, so 96 DPI always holds

struct RectTw {
  float left = 0, top = 0, width = 0, height = 0;
  float right() const { return left + width; }
  float bottom() const { return top + height; }
  bool Contains(float x, float y) const {
    return x >= left && x < right() && y >= top && y < bottom();
  }
  bool operator==(const RectTw&) const = default;
};

struct RectPx {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const RectPx&) const = default;
};

// Nearest pixel, halves away from zero.
int TwipsToPixels(double twips);

// Edges are converted one by one, so a rectangle whose right edge stays fixed in twips keeps its
// right pixel edge fixed too (the folding leaf).
RectPx ToPixels(const RectTw& r);

// Whole twips from a single-precision value: to nearest, halves to even.
int32_t RoundHalfEven(double value);

}  // namespace rumona
