#pragma once
// Geometry is kept in twips, as the windows are designed; pixels only at the Win32 boundary, at
// the DPI of the window they are for. A twip is 1/1440 inch: 15 to the pixel at 96 DPI, 10 at
// 144, 7.5 at 192.
#include <cmath>
#include <cstdint>

namespace rumona {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kBaseDpi = 96;  // the DPI the windows were designed at
// A picture's pixel counts as a pixel at the base DPI: a picture keeps its size in twips, and
// is resampled for a screen of another DPI.
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kBaseDpi;

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

// Nearest pixel at `dpi`, halves away from zero.
inline int TwipsToPixels(double twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}
inline float PixelsToTwips(int pixels, int dpi) {
  return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

// Edges are converted one by one, so that pieces that meet in twips meet in pixels, and a
// rectangle whose right edge stays fixed in twips keeps its right pixel edge (the folding leaf).
inline RectPx ToPixels(const RectTw& r, int dpi) {
  return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.right(), dpi),
          TwipsToPixels(r.bottom(), dpi)};
}

// A length in base-DPI pixels (a picture's size, a border) at `dpi`, to the nearest pixel.
inline int ScaledPixels(int basePixels, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(basePixels) * dpi / kBaseDpi));
}

// Whole twips from a single-precision value: to nearest, halves to even (the default rounding
// mode).
inline int32_t RoundHalfEven(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

}  // namespace rumona
