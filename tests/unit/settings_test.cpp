#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/path_logic.h"
#include "doors/doors_logic.h"
#include "panel/panel_logic.h"
#include "settings/settings_logic.h"

namespace rumona {
namespace {

// The settings file is named after the executable and lies beside it.
TEST(Paths, TheSettingsFileIsNamedAfterTheExecutableBesideIt) {
  const std::wstring exe = L"C:\\Toys\\t.exe";
  EXPECT_EQ(FolderOf(exe) + BaseNameWithoutExtension(exe), L"C:\\Toys\\t");
  EXPECT_EQ(BaseNameWithoutExtension(L"C:\\Toys.d\\.toy"), L".toy");
  EXPECT_EQ(JoinPath(L"C:\\a", L"b") + L"|" + JoinPath(L"C:\\", L"b"), L"C:\\a\\b|C:\\b");
}

const std::vector<std::string> kFields = {
    "1215", "900", "1215", "4500", "\"c:\\signs\\\"", "\"\"", "0", "0",
    "\"c:\\pictures\\board.bmp\"", "7425", "1665", "#TRUE#", "#TRUE#", "10000", "6000", "0"};

// The typical line with field `n` (1-based) replaced, and what follows the last field.
std::string Line(int n = 0, const std::string& text = "", const std::string& end = "\r\n") {
  std::string out;
  for (int i = 1; i <= 16; ++i) out += (i > 1 ? "," : "") + (i == n ? text : kFields[i - 1]);
  return out + end;
}

// Every field a value of its own, so a field written or read in the wrong place shows.
TEST(SettingsRecord, EveryFieldIsWrittenInItsPlaceAndReadBack) {
  const SettingsRecord r{-300, -45, -14985, 7, "d:\\x", "kept, as is", -2147483647 - 1,
                         2147483647, "e:\\b.gif", -1500, 30, false, true, 1, 30000, 2};
  const std::string line =
      "-300,-45,-14985,7,\"d:\\x\",\"kept, as is\",-2147483648,2147483647,\"e:\\b.gif\","
      "-1500,30,#FALSE#,#TRUE#,1,30000,2\r\n";
  EXPECT_EQ(WriteSettingsRecord(r), line);
  const SettingsReadResult back = ReadSettingsRecord(line);
  ASSERT_TRUE(back.complete());
  EXPECT_EQ(WriteSettingsRecord(back.record), line);
}

TEST(SettingsRecord, SinglesAreWrittenShortestWithoutExponent) {
  const std::pair<float, const char*> cases[] = {
      {1215, "1215"}, {-300, "-300"}, {1215.5f, "1215.5"}, {0.1f, "0.1"}, {-0.0f, "0"},
      {1e7f, "10000000"}, {123456789.0f, "123456792"}, {1e-7f, "0.0000001"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatSingle(value), text) << value;
}

// How far the reading gets: the fields before a bad one are read, it and the later ones not.
TEST(SettingsRecord, ReadingStopsAtTheFirstBadField) {
  const std::pair<std::string, int> cases[] = {
      {Line(1, ""), 0}, {Line(1, "12abc"), 0}, {Line(2, "1 2"), 1}, {Line(3, "+5"), 2},
      {Line(4, "1e3"), 3}, {Line(4, "-"), 3}, {Line(1, "2147483648"), 0},
      {Line(2, "-2147483649"), 1}, {Line(5, "c:\\signs"), 4}, {Line(6, "\"ab\"cd"), 5},
      {Line(7, "#TRUE#"), 6}, {Line(9, ""), 8}, {Line(11, "0x10"), 10}, {Line(12, "TRUE"), 11},
      {Line(13, "1"), 12}, {Line(14, "99999999999"), 13}, {Line(15, "--1"), 14},
      {Line(16, "40000"), 15}, {Line(16, "-32769"), 15}, {Line(16, ""), 15},
      {Line(16, "-32768"), 16}, {Line(16, "3"), 16}, {Line(14, "0"), 16},
      {Line(1, " \t1215 "), 16}, {Line(12, "#true#"), 16}, {Line(0, "", ",17,\"more\r\n"), 16},
      {Line(0, "", "\r\n9,9\r\n"), 16}, {Line(0, "", ""), 16}, {"", 0}, {"1215,900,\r\n", 2},
      {"1215,900,1215,4500,\"c:\\si", 4}, {"1215,900,1215,4500\r\n\"c:\\\"", 4}};
  for (const auto& [line, fieldsRead] : cases)
    EXPECT_EQ(ReadSettingsRecord(line).fieldsRead, fieldsRead) << line;
  // A position is rounded half to even.
  EXPECT_EQ(ReadSettingsRecord(Line(1, "1216.5")).record.busLeft, 1216);
}

TEST(SettingsRecord, SpeedsOutsideTheScrollBarOrSixteenBitsAreRefused) {
  int16_t s = 0;
  EXPECT_TRUE(NarrowSpeed(1, s) && s == 1);
  EXPECT_TRUE(NarrowSpeed(30000, s) && s == 30000);
  for (int32_t bad : {0, -1, 30001, 65537, 70000, -65535}) EXPECT_FALSE(NarrowSpeed(bad, s)) << bad;
  EXPECT_EQ(s, 30000);  // nothing wraps into range
  EXPECT_TRUE(ValidOption(0) && ValidOption(2));
  EXPECT_FALSE(ValidOption(3) || ValidOption(-1));
}

TEST(SettingsPlacement, WindowsMoveOntoTheAreaOnlyAsFarAsNeeded) {
  const ScreenRect area{0, 40, 1280, 984};
  EXPECT_EQ(MoveInside({-20000, 60, 770, 243}, area), (ScreenRect{0, 60, 770, 243}));
  EXPECT_EQ(MoveInside({90000, 0, 269, 190}, area), (ScreenRect{1011, 40, 269, 190}));
  EXPECT_EQ(MoveInside({100, 900, 269, 190}, area), (ScreenRect{100, 834, 269, 190}));
  EXPECT_EQ(MoveInside({5000, 5000, 2000, 2000}, area), (ScreenRect{0, 40, 2000, 2000}));
}

}  // namespace
}  // namespace rumona
