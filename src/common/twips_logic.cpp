// Twips to pixels at a DPI and back, and whole twips from single-precision values.
#include "common/twips_logic.h"

namespace rumona {

int TwipsToPixels(double twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

float PixelsToTwips(int pixels, int dpi) {
  return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

RectPx ToPixels(const RectTw& r, int dpi) {
  return RectPx{TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
                TwipsToPixels(r.right(), dpi), TwipsToPixels(r.bottom(), dpi)};
}

int ScaledPixels(int basePixels, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(basePixels) * dpi / kBaseDpi));
}

int32_t RoundHalfEven(double value) {
  return static_cast<int32_t>(std::nearbyint(value));  // default rounding mode is to-nearest-even
}

}  // namespace rumona
