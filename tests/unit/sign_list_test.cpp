#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bus_window/sign_list_logic.h"

namespace rumona {
namespace {

bool Listed(const wchar_t* name) { return MatchesAnyPattern(name, kSignPatterns); }

TEST(SignPatterns, EveryPictureExtensionMatchesWithCaseIgnored) {
  for (const wchar_t* name : {L"a.bmp", L"b.wmf", L"c.emf", L"d.gif", L"e.jpg", L"f.jpeg",
                              L"A.BMP", L"Sign.Gif", L"PHOTO.JpEg", L"方向幕.BMP", L".bmp",
                              L"two.dots.jpg", L"a.jpg.bmp"})
    EXPECT_TRUE(Listed(name)) << name;
  for (const wchar_t* name : {L"c.txt", L"a.bmpx", L"a.jpgx", L"a.jpe", L"bmp", L"a.bmp.txt",
                              L"a.png", L"a.bm", L"a_bmp", L"", L"a.ｂｍｐ"})
    EXPECT_FALSE(Listed(name)) << name;
}

TEST(SignPatterns, WildcardsAndPatternLists) {
  EXPECT_TRUE(MatchesPattern(L"abc", L"a?c"));
  EXPECT_FALSE(MatchesPattern(L"ac", L"a?c"));
  EXPECT_TRUE(MatchesPattern(L"anything", L"*"));
  EXPECT_TRUE(MatchesPattern(L"", L"*"));
  EXPECT_TRUE(MatchesPattern(L"aXbXc", L"a*b*c"));
  EXPECT_FALSE(MatchesPattern(L"aXbXd", L"a*b*c"));
  EXPECT_TRUE(MatchesPattern(L"x.jpg.jpg", L"*.jpg"));  // the star has to give back characters
  EXPECT_TRUE(MatchesPattern(L"ÉTÉ.GIF", L"été.gif"));
  // Empty items of a list match nothing; the last item counts.
  EXPECT_FALSE(MatchesAnyPattern(L"a.txt", L";;"));
  EXPECT_TRUE(MatchesAnyPattern(L"a.txt", L"*.bmp;;*.txt"));
  // A long name against many stars stays quick (no exponential backtracking).
  std::wstring longName(5000, L'a');
  EXPECT_FALSE(MatchesPattern(longName, L"*a*a*a*a*a*a*a*a*b"));
}

TEST(SignAttributes, FoldersHiddenAndSystemFilesStayOut) {
  EXPECT_TRUE(IsListedAttributes(kAttrNormal));
  EXPECT_TRUE(IsListedAttributes(kAttrArchive));
  EXPECT_TRUE(IsListedAttributes(kAttrReadOnly));
  EXPECT_TRUE(IsListedAttributes(kAttrReadOnly | kAttrArchive));
  EXPECT_TRUE(IsListedAttributes(0));
  EXPECT_FALSE(IsListedAttributes(kAttrDirectory));
  EXPECT_FALSE(IsListedAttributes(kAttrHidden | kAttrArchive));
  EXPECT_FALSE(IsListedAttributes(kAttrSystem));
  EXPECT_FALSE(IsListedAttributes(kAttrReadOnly | kAttrHidden));
}

TEST(SignOrder, NamesSortWithCaseIgnored) {
  std::vector<DirEntry> dir = {{L"c.txt", kAttrArchive},   {L"B.gif", kAttrArchive},
                               {L"a.bmp", kAttrArchive},   {L"sub.bmp", kAttrDirectory},
                               {L"h.jpg", kAttrHidden},    {L"s.jpg", kAttrSystem},
                               {L"Ab.JPG", kAttrReadOnly}, {L"_x.emf", kAttrNormal},
                               {L"10.wmf", kAttrArchive},  {L"2.wmf", kAttrArchive}};
  const std::vector<std::wstring> expected = {L"10.wmf", L"2.wmf", L"_x.emf",
                                              L"a.bmp",  L"Ab.JPG", L"B.gif"};
  EXPECT_EQ(SignListFromDirectory(dir), expected);
}

TEST(SignOrder, OrderIsStrictAndStableForCaseTwins) {
  EXPECT_TRUE(SignNameLess(L"a.bmp", L"B.bmp"));
  EXPECT_TRUE(SignNameLess(L"A.bmp", L"b.bmp"));
  EXPECT_FALSE(SignNameLess(L"b.bmp", L"A.bmp"));
  EXPECT_TRUE(SignNameLess(L"a.bmp", L"a.bmpx"));
  // Names equal but for case still have one order, whatever order the folder gave them in.
  EXPECT_NE(SignNameLess(L"A.bmp", L"a.bmp"), SignNameLess(L"a.bmp", L"A.bmp"));
  const auto one = SignListFromDirectory({{L"a.bmp", 0}, {L"A.bmp", 0}});
  const auto two = SignListFromDirectory({{L"A.bmp", 0}, {L"a.bmp", 0}});
  EXPECT_EQ(one, two);
  EXPECT_TRUE(SignNameLess(L"ｂ.bmp", L"Ｃ.bmp"));
}

TEST(SignOrder, CountNeverExceedsASixteenBitNumber) {
  std::vector<DirEntry> dir;
  for (int i = 0; i < 40000; ++i) dir.push_back({L"s" + std::to_wstring(100000 + i) + L".bmp", 0});
  const auto list = SignListFromDirectory(dir);
  ASSERT_EQ(list.size(), 32767u);
  EXPECT_EQ(list.front(), L"s100000.bmp");
  EXPECT_EQ(list.back(), L"s132766.bmp");
}

// Runs keys from an index, returning the index after each and whether a picture loads.
struct Step {
  int32_t index;
  bool loads;
  bool operator==(const Step&) const = default;
};
void PrintTo(const Step& s, std::ostream* os) { *os << "{" << s.index << (s.loads ? ", loads}" : "}"); }
std::vector<Step> Press(int32_t index, int32_t count, std::initializer_list<int16_t> keys) {
  std::vector<Step> out;
  for (int16_t key : keys) {
    const auto next = StepSignIndex(index, count, key);
    if (next) index = *next;
    out.push_back({index, next.has_value()});
  }
  return out;
}

TEST(SignStepping, StopsAtBothEndsWithoutWrapping) {
  using S = std::vector<Step>;
  // Two entries: Up at 0 does nothing, Down shows 1, a second Down does nothing, Up shows 0.
  EXPECT_EQ(Press(0, 2, {kKeyUp, kKeyDown, kKeyDown, kKeyUp}),
            (S{{0, false}, {1, true}, {1, false}, {0, true}}));
  // Other keys change nothing and load nothing, whatever the index.
  EXPECT_EQ(Press(1, 5, {37, 39, 13, 32, 0}),
            (S{{1, false}, {1, false}, {1, false}, {1, false}, {1, false}}));
  // One entry: neither key moves.
  EXPECT_EQ(Press(0, 1, {kKeyDown, kKeyUp}), (S{{0, false}, {0, false}}));
}

TEST(SignStepping, DownNeverRunsPastTheEndOfTheList) {
  using S = std::vector<Step>;
  // An empty list: the index stays 0 however often Down is pressed.
  EXPECT_EQ(Press(0, 0, {kKeyDown, kKeyDown, kKeyDown, kKeyUp}),
            (S{{0, false}, {0, false}, {0, false}, {0, false}}));
  // Index 7 left over from a larger folder, new folder of 3: Down does nothing, one Up shows
  // the last entry, the next Up the one before.
  EXPECT_EQ(Press(7, 3, {kKeyDown, kKeyDown, kKeyUp, kKeyUp}),
            (S{{7, false}, {7, false}, {2, true}, {1, true}}));
  // Index 4 and an empty folder: one Up brings it back to 0.
  EXPECT_EQ(Press(4, 0, {kKeyUp, kKeyUp}), (S{{0, true}, {0, false}}));
  // Inside a new, larger folder the old index steps on from where it was.
  EXPECT_EQ(Press(2, 10, {kKeyDown}), (S{{3, true}}));
  EXPECT_EQ(Press(9, 10, {kKeyDown, kKeyUp}), (S{{9, false}, {8, true}}));
}

}  // namespace
}  // namespace rumona
