#include <gtest/gtest.h>

#include "common/path_logic.h"
#include "common/twips_logic.h"

namespace rumona {
namespace {

TEST(Twips, RectanglesConvertEdgeByEdgeSoAFixedRightEdgeStaysPut) {
  // The right leaf keeps its right edge at 7125 twips while its width shrinks one twip a step.
  const int right = TwipsToPixels(7125);
  for (int w = 795; w >= 110; --w) {
    const RectPx px = ToPixels(RectTw{7125.0f - w, 750, static_cast<float>(w), 2235});
    ASSERT_EQ(px.right, right) << w;
  }
  EXPECT_EQ(ToPixels(RectTw{345, 705, 1095, 2220}), (RectPx{23, 47, 96, 195}));
  EXPECT_EQ(TwipsToPixels(-300), -20);
}

TEST(Twips, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(1094.5), 1094);
  EXPECT_EQ(RoundHalfEven(1095.5), 1096);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(70.4), 70);
  EXPECT_EQ(RoundHalfEven(70.6), 71);
}

TEST(Paths, JoinAddsOneBackslashOnlyWhenMissing) {
  EXPECT_EQ(JoinPath(L"c:\\signs", L"a.bmp"), L"c:\\signs\\a.bmp");
  EXPECT_EQ(JoinPath(L"c:\\", L"a.bmp"), L"c:\\a.bmp");
  EXPECT_EQ(JoinPath(L"", L"a.bmp"), L"\\a.bmp");
  std::wstring folder = L"c:\\signs";
  EnsureTrailingBackslash(folder);
  EXPECT_EQ(folder, L"c:\\signs\\");
  EnsureTrailingBackslash(folder);
  EXPECT_EQ(folder, L"c:\\signs\\");
  std::wstring empty;
  EnsureTrailingBackslash(empty);
  EXPECT_EQ(empty, L"\\");
}

TEST(Paths, ExecutableFolderAndBaseName) {
  EXPECT_EQ(FolderOf(L"C:\\Toys\\toy.exe"), L"C:\\Toys\\");
  EXPECT_EQ(FolderOf(L"C:\\toy.exe"), L"C:\\");
  EXPECT_EQ(BaseNameWithoutExtension(L"C:\\Toys\\toy.exe"), L"toy");
  EXPECT_EQ(BaseNameWithoutExtension(L"C:\\Toys\\my.toy.exe"), L"my.toy");
  EXPECT_EQ(BaseNameWithoutExtension(L"C:\\Toys.d\\toy"), L"toy");
}

}  // namespace
}  // namespace rumona
