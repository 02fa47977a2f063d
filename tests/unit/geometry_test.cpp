#include <gtest/gtest.h>

#include "common/path_logic.h"
#include "common/twips_logic.h"

namespace rumona {
namespace {

TEST(Twips, EdgesConvertOneByOneSoAFixedRightEdgeStaysPut) {
  // The right leaf keeps its right edge at 7125 twips while it narrows a twip a step.
  for (int w = 795; w >= 110; --w)
    ASSERT_EQ(ToPixels(RectTw{7125.0f - w, 750, float(w), 2235}).right, 475) << w;
  EXPECT_EQ(ToPixels(RectTw{345, 705, 1095, 2220}), (RectPx{23, 47, 96, 195}));
}

TEST(Paths, OneBackslashBetweenFolderAndName) {
  EXPECT_EQ(JoinPath(L"c:\\signs", L"a.bmp"), L"c:\\signs\\a.bmp");
  EXPECT_EQ(JoinPath(L"c:\\", L"a.bmp"), L"c:\\a.bmp");
  std::wstring folder;
  EnsureTrailingBackslash(folder);
  EXPECT_EQ(folder, L"\\");
  EXPECT_EQ(FolderOf(L"C:\\toy.exe"), L"C:\\");
  EXPECT_EQ(BaseNameWithoutExtension(L"C:\\Toys.d\\my.toy.exe"), L"my.toy");
}

}  // namespace
}  // namespace rumona
