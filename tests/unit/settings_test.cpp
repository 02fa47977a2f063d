#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "settings/settings_logic.h"

namespace rumona {
namespace {

const std::string kExample =
    "1215,900,1215,4500,\"c:\\signs\\\",\"\",0,0,\"c:\\pictures\\board.bmp\",7425,1665,#TRUE#,"
    "#TRUE#,10000,6000,0\r\n";

// The example line with field `n` (1-based) replaced by `text`.
std::string WithField(int n, const std::string& text) {
  std::string line = kExample.substr(0, kExample.size() - 2);
  std::vector<std::string> fields;
  size_t start = 0;
  bool quoted = false;
  for (size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] == '"') quoted = !quoted;
    if (i == line.size() || (line[i] == ',' && !quoted)) {
      fields.push_back(line.substr(start, i - start));
      start = i + 1;
    }
  }
  fields.at(static_cast<size_t>(n - 1)) = text;
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) out += (i ? "," : "") + fields[i];
  return out + "\r\n";
}

TEST(SettingsRecord, ExampleLineReadsAndWritesBackByteForByte) {
  const SettingsReadResult read = ReadSettingsRecord(kExample);
  ASSERT_TRUE(read.complete());
  const SettingsRecord& r = read.record;
  EXPECT_EQ(r.busLeft, 1215);
  EXPECT_EQ(r.busTop, 900);
  EXPECT_EQ(r.panelLeft, 1215);
  EXPECT_EQ(r.panelTop, 4500);
  EXPECT_EQ(r.signFolder, "c:\\signs\\");
  EXPECT_EQ(r.reservedText, "");
  EXPECT_EQ(r.spare0, 0);
  EXPECT_EQ(r.spare1, 0);
  EXPECT_EQ(r.kanbanPath, "c:\\pictures\\board.bmp");
  EXPECT_EQ(r.kanbanLeft, 7425);
  EXPECT_EQ(r.kanbanTop, 1665);
  EXPECT_TRUE(r.kanbanVisible);
  EXPECT_TRUE(r.frameVisible);
  EXPECT_EQ(r.speed1, 10000);
  EXPECT_EQ(r.speed2, 6000);
  EXPECT_EQ(r.option, 0);
  EXPECT_EQ(WriteSettingsRecord(r), kExample);
}

TEST(SettingsRecord, NegativePositionsReservedFieldsAndFalseFlagsRoundTrip) {
  SettingsRecord r;
  r.busLeft = -300;
  r.busTop = -45;
  r.panelLeft = -14985;
  r.panelTop = 0;
  r.signFolder = "d:\\x";
  r.reservedText = "kept, as is";
  r.spare0 = -2147483647 - 1;
  r.spare1 = 2147483647;
  r.kanbanLeft = -1500;
  r.kanbanTop = 30;
  r.kanbanVisible = false;
  r.frameVisible = false;
  r.speed1 = 1;
  r.speed2 = 30000;
  r.option = 2;
  const std::string line = WriteSettingsRecord(r);
  EXPECT_EQ(line,
            "-300,-45,-14985,0,\"d:\\x\",\"kept, as is\",-2147483648,2147483647,\"\",-1500,30,"
            "#FALSE#,#FALSE#,1,30000,2\r\n");
  const SettingsReadResult back = ReadSettingsRecord(line);
  ASSERT_TRUE(back.complete());
  EXPECT_EQ(WriteSettingsRecord(back.record), line);
  EXPECT_EQ(back.record.reservedText, "kept, as is");
  EXPECT_EQ(back.record.spare0, -2147483647 - 1);
}

TEST(SettingsRecord, ShiftJisPathsPassUntouched) {
  // 表 and ソ end in 0x5C, the byte of "\"; neither a quote nor a comma can be a trail byte.
  const std::string folder = "c:\\\x95\x5c\\\x83\x5c\x83\x74\x83\x67\\";
  const std::string board = "c:\\\x8a\xc5\x94\xc2,\x89\xe6\x91\x9c.bmp";
  SettingsRecord r;
  r.signFolder = folder;
  r.kanbanPath = board;
  r.speed1 = 10000;
  r.speed2 = 6000;
  const std::string line = WriteSettingsRecord(r);
  const SettingsReadResult back = ReadSettingsRecord(line);
  ASSERT_TRUE(back.complete());
  EXPECT_EQ(back.record.signFolder, folder);
  EXPECT_EQ(back.record.kanbanPath, board);
  EXPECT_EQ(WriteSettingsRecord(back.record), line);
}

TEST(SettingsRecord, AQuoteInsideATextIsLeftOutSoTheFileStaysReadable) {
  SettingsRecord r;
  r.signFolder = "c:\\a\"b";
  r.speed1 = r.speed2 = 1;
  const SettingsReadResult back = ReadSettingsRecord(WriteSettingsRecord(r));
  ASSERT_TRUE(back.complete());
  EXPECT_EQ(back.record.signFolder, "c:\\ab");
}

TEST(SettingsRecord, SinglesAreWrittenShortestAndWithoutExponent) {
  EXPECT_EQ(FormatSingle(1215), "1215");
  EXPECT_EQ(FormatSingle(-300), "-300");
  EXPECT_EQ(FormatSingle(1215.5f), "1215.5");
  EXPECT_EQ(FormatSingle(0.1f), "0.1");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(1e7f), "10000000");
  // As short as any text of that value; among equally short ones, the exact one.
  EXPECT_EQ(FormatSingle(123456789.0f), "123456792");
  EXPECT_EQ(FormatSingle(1e-7f), "0.0000001");
  // Any finite single comes back as itself, in plain decimal.
  std::mt19937 gen(7);
  for (int i = 0; i < 20000; ++i) {
    uint32_t bits = gen();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    if (!std::isfinite(f)) continue;
    const std::string text = FormatSingle(f);
    ASSERT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << text;
    ASSERT_EQ(std::strtof(text.c_str(), nullptr), f == 0 ? 0.0f : f) << text;
  }
}

TEST(SettingsRecord, BlanksBeforeFieldsAndTextAfterTheLastAreIgnored) {
  const std::string spaced =
      " 1215,\t900,  1215,4500 , \"c:\\signs\\\" ,\"\",0,0,\"c:\\pictures\\board.bmp\",7425,1665,"
      " #true#,#False#,10000,6000,0";
  SettingsReadResult read = ReadSettingsRecord(spaced);
  ASSERT_TRUE(read.complete());
  EXPECT_EQ(read.record.panelTop, 4500);
  EXPECT_EQ(read.record.signFolder, "c:\\signs\\");
  EXPECT_TRUE(read.record.kanbanVisible);
  EXPECT_FALSE(read.record.frameVisible);

  const std::string tail = kExample.substr(0, kExample.size() - 2);
  for (const std::string& extra :
       {std::string(",17,\"more\",#TRUE#\r\n"), std::string("\r\n9,9,9\r\n"),
        std::string("\n"), std::string("\r"), std::string(",garbage \"unclosed")}) {
    read = ReadSettingsRecord(tail + extra);
    EXPECT_TRUE(read.complete()) << extra;
    EXPECT_EQ(WriteSettingsRecord(read.record), kExample) << extra;
  }
}

TEST(SettingsRecord, FractionsInPositionsAndNumbersRoundHalfToEven) {
  SettingsReadResult read = ReadSettingsRecord(WithField(1, "1215.5"));
  ASSERT_TRUE(read.complete());
  EXPECT_EQ(read.record.busLeft, 1216);
  EXPECT_EQ(ReadSettingsRecord(WithField(2, "1216.5")).record.busTop, 1216);
  EXPECT_EQ(ReadSettingsRecord(WithField(10, "-0.5")).record.kanbanLeft, 0);
  EXPECT_EQ(ReadSettingsRecord(WithField(11, ".75")).record.kanbanTop, 1);
  EXPECT_EQ(ReadSettingsRecord(WithField(7, "2.5")).record.spare0, 2);
  EXPECT_EQ(ReadSettingsRecord(WithField(14, "9999.5")).record.speed1, 10000);
  EXPECT_EQ(ReadSettingsRecord(WithField(16, "1.4")).record.option, 1);
}

// Each bad field stops the reading there: the fields before it are stored, it and the later
// ones are not.
TEST(SettingsRecord, ABadFieldStopsTheReadingWhereItStands) {
  struct Case {
    int field;
    const char* text;
  } cases[] = {
      {1, ""},            {1, "abc"},          {1, "12abc"},       {2, "1 2"},
      {3, "+5"},          {4, "1e3"},          {4, "-"},           {4, "."},
      {1, "2147483648"},  {2, "-2147483649"},  {10, "2147483647.5"}, {11, "0x10"},
      {5, "c:\\signs"},   {6, "\"ab\"cd"},     {9, ""},            {7, "#TRUE#"},
      {8, "1.2.3"},       {12, "TRUE"},        {12, "#TRUE"},      {13, "1"},
      {13, "\"#TRUE#\""}, {14, "99999999999"}, {15, "--1"},        {16, "40000"},
      {16, "-32769"},     {16, ""},            {16, "0 1"},
  };
  for (const Case& c : cases) {
    const SettingsReadResult read = ReadSettingsRecord(WithField(c.field, c.text));
    EXPECT_EQ(read.fieldsRead, c.field - 1) << "field " << c.field << " = " << c.text;
  }
  // What was read before the bad field is there.
  const SettingsReadResult read = ReadSettingsRecord(WithField(10, "x"));
  EXPECT_EQ(read.record.kanbanPath, "c:\\pictures\\board.bmp");
  EXPECT_EQ(read.record.signFolder, "c:\\signs\\");
  EXPECT_EQ(read.record.kanbanLeft, 0);
  // Values that read but will not apply are the applier's business.
  EXPECT_TRUE(ReadSettingsRecord(WithField(16, "3")).complete());
  EXPECT_TRUE(ReadSettingsRecord(WithField(14, "0")).complete());
  EXPECT_TRUE(ReadSettingsRecord(WithField(15, "70000")).complete());
  EXPECT_TRUE(ReadSettingsRecord(WithField(1, "-2147483648")).complete());
  EXPECT_TRUE(ReadSettingsRecord(WithField(16, "-32768")).complete());
}

TEST(SettingsRecord, ShortFilesStopAtTheirEnd) {
  EXPECT_EQ(ReadSettingsRecord("").fieldsRead, 0);
  EXPECT_EQ(ReadSettingsRecord("\r\n").fieldsRead, 0);
  EXPECT_EQ(ReadSettingsRecord("1215,900").fieldsRead, 2);
  EXPECT_EQ(ReadSettingsRecord("1215,900,\r\n").fieldsRead, 2);
  EXPECT_EQ(ReadSettingsRecord("1215,900,1215,4500,\"c:\\si").fieldsRead, 4);
  // The record is one line: fields on the next line do not complete it.
  EXPECT_EQ(ReadSettingsRecord("1215,900,1215,4500\r\n\"c:\\\",\"\",0,0").fieldsRead, 4);
  const std::string cut = kExample.substr(0, kExample.find(",6000"));
  const SettingsReadResult read = ReadSettingsRecord(cut);
  EXPECT_EQ(read.fieldsRead, 14);
  EXPECT_EQ(read.record.speed1, 10000);
}

TEST(SettingsRecord, SpeedsOutsideTheScrollBarOrSixteenBitsAreRefused) {
  int16_t s = 0;
  EXPECT_TRUE(NarrowSpeed(1, s));
  EXPECT_EQ(s, 1);
  EXPECT_TRUE(NarrowSpeed(30000, s));
  EXPECT_EQ(s, 30000);
  s = 5;
  for (int32_t bad : {0, -1, 30001, 32767, 32768, 65537, 70000, -65535, 2147483647}) {
    EXPECT_FALSE(NarrowSpeed(bad, s)) << bad;
    EXPECT_EQ(s, 5) << bad;  // nothing wraps into range
  }
  EXPECT_TRUE(ValidOption(0));
  EXPECT_TRUE(ValidOption(2));
  EXPECT_FALSE(ValidOption(3));
  EXPECT_FALSE(ValidOption(-1));
}

TEST(SettingsPlacement, WindowsMoveOntoTheAreaOnlyAsFarAsNeeded) {
  const ScreenRect area{0, 0, 1280, 1024};
  EXPECT_EQ(MoveInside({-20000, 60, 770, 243}, area), (ScreenRect{0, 60, 770, 243}));
  EXPECT_EQ(MoveInside({90000, 90000, 269, 190}, area), (ScreenRect{1011, 834, 269, 190}));
  EXPECT_EQ(MoveInside({100, 100, 269, 190}, area), (ScreenRect{100, 100, 269, 190}));
  // A second monitor to the left, with a taskbar at its top.
  const ScreenRect left{-1920, 40, 1920, 1040};
  EXPECT_EQ(MoveInside({-5000, 0, 770, 243}, left), (ScreenRect{-1920, 40, 770, 243}));
  // Larger than the area: its top-left corner stays visible.
  EXPECT_EQ(MoveInside({5000, 5000, 2000, 2000}, area), (ScreenRect{0, 0, 2000, 2000}));
}

}  // namespace
}  // namespace rumona
