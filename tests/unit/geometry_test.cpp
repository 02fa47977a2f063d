#include <gtest/gtest.h>

#include "common/twips_logic.h"

namespace rumona {
namespace {

TEST(Twips, EdgesConvertOneByOneSoAFixedRightEdgeStaysPut) {
  // The right leaf keeps its right edge at 7125 twips while it narrows a twip a step.
  for (int w = 795; w >= 110; --w)
    ASSERT_EQ(ToPixels(RectTw{7125.0f - w, 750, float(w), 2235}).right, 475) << w;
  EXPECT_EQ(ToPixels(RectTw{345, 705, 1095, 2220}), (RectPx{23, 47, 96, 195}));
}

}  // namespace
}  // namespace rumona
