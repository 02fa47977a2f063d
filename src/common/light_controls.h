#pragma once
// The lightweight controls: an image and a rectangle shape that have no window of their own and
// are painted by the window they lie on.
#include <windows.h>

#include "common/picture.h"
#include "common/twips_logic.h"

namespace rumona {

struct LightImage {
  RectTw rect;
  Picture picture;
  bool visible = true;
};

// Outline and solid fill.
struct LightShape {
  RectTw rect;
  bool visible = true;
  COLORREF outline = 0x808080;
  COLORREF fill = 0xE0E0E0;
  bool operator==(const LightShape&) const = default;
};

}  // namespace rumona
