#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "bus_window/sign_list_logic.h"

namespace rumona {
namespace {

TEST(SignList, PictureExtensionsMatchWithCaseIgnored) {
  for (const wchar_t* name : {L"a.bmp", L"b.wmf", L"c.emf", L"d.gif", L"e.jpg", L"f.jpeg",
                              L"g.png", L"PHOTO.JpEg", L"方向幕.BMP", L"x.jpg.jpg", L"ÉTÉ.GIF"})
    EXPECT_TRUE(MatchesAnyPattern(name, kSignPatterns)) << name;
  for (const wchar_t* name : {L"c.txt", L"a.bmpx", L"a.jpe", L"bmp", L"a.bmp.txt", L"a.pngx",
                              L"a_bmp", L""})
    EXPECT_FALSE(MatchesAnyPattern(name, kSignPatterns)) << name;
  EXPECT_FALSE(MatchesAnyPattern(L"a.txt", L";;"));  // empty items match nothing
  EXPECT_TRUE(MatchesAnyPattern(L"été.txt", L"*.bmp;;ÉTÉ.*"));
}

TEST(SignList, ListsVisibleFilesInCaseFoldedOrder) {
  const std::vector<DirEntry> dir = {
      {L"c.txt", kAttrArchive},  {L"B.gif", kAttrArchive},  {L"a.bmp", kAttrArchive},
      {L"sub.bmp", kAttrDirectory}, {L"h.jpg", kAttrHidden | kAttrArchive},
      {L"s.jpg", kAttrSystem},   {L"Ab.JPG", kAttrReadOnly}, {L"_x.emf", kAttrNormal},
      {L"10.wmf", 0},            {L"2.wmf", kAttrArchive},  {L"ｂ.bmp", 0}, {L"Ｃ.bmp", 0}};
  const std::vector<std::wstring> expected = {L"10.wmf", L"2.wmf",  L"_x.emf", L"a.bmp",
                                              L"Ab.JPG", L"B.gif", L"ｂ.bmp", L"Ｃ.bmp"};
  EXPECT_EQ(SignListFromDirectory(dir), expected);
  // Names equal but for case keep one order whatever order the folder gives them in.
  EXPECT_EQ(SignListFromDirectory({{L"a.bmp", 0}, {L"A.bmp", 0}}),
            SignListFromDirectory({{L"A.bmp", 0}, {L"a.bmp", 0}}));
}

TEST(SignList, CountNeverExceedsASixteenBitNumber) {
  std::vector<DirEntry> dir;
  for (int i = 40000; i > 0; --i) dir.push_back({L"s" + std::to_wstring(100000 + i) + L".bmp", 0});
  const auto list = SignListFromDirectory(dir);
  ASSERT_EQ(list.size(), 32767u);
  EXPECT_EQ(list.front(), L"s100001.bmp");
  EXPECT_EQ(list.back(), L"s132767.bmp");
}

// Down stays on the last entry, so that the next Up shows the one before it; an index left past
// the end by a smaller folder: Down stays, Up goes to the last entry.
TEST(SignStep, StopsAtTheLastEntryAndComesBackFromBeyondTheList) {
  EXPECT_EQ(StepSignIndex(2, 3, kKeyDown), std::nullopt);
  EXPECT_EQ(StepSignIndex(7, 3, kKeyDown), std::nullopt);
  EXPECT_EQ(StepSignIndex(7, 3, kKeyUp), 2);
  EXPECT_EQ(StepSignIndex(4, 0, kKeyUp), 0);
}

}  // namespace
}  // namespace rumona
