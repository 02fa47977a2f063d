// Twips to pixels, and whole twips from single-precision values.
#include "common/twips_logic.h"

namespace rumona {

int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

RectPx ToPixels(const RectTw& r) {
  return RectPx{TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.right()),
                TwipsToPixels(r.bottom())};
}

int32_t RoundHalfEven(double value) {
  return static_cast<int32_t>(std::nearbyint(value));  // default rounding mode is to-nearest-even
}

}  // namespace rumona
