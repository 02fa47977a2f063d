#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace rumona::test {
namespace {

const std::wstring kIni = SettingsFilePath(), kTemp = kIni + L".tmp";

std::string Ascii(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

RECT Outer(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  return rc;
}

void Close(App& app) {
  SendMessageW(app.form().hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.endCalls, 1);
}

class Settings : public testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    SetFileAttributesW(kIni.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(kIni.c_str());
    RemoveDirectoryW(kTemp.c_str());
  }
  TempDir dir;
};

TEST_F(Settings, EveryFieldGoesFromTheWindowsToTheFileAndBack) {
  ASSERT_EQ(GetACP(), 932u);
  const std::wstring signs = dir.File(L"看板表"), board = dir.File(L"board.bmp");
  CreateDirectoryW(signs.c_str(), nullptr);
  WriteBmp(signs + L"\\b.bmp", 30, 20, 0xFF0000);
  WriteBmp(signs + L"\\a.bmp", 40, 24, 0x0000FF);
  WriteBmp(board, 60, 30, 0x00FF00);
  // "表" and "予" end in the byte of "\" in Shift-JIS.
  const std::string line = "1215,900,1215,4500,\"" + Ascii(dir.path()) +
                           "\\\x8a\xc5\x94\xc2\x95\x5c\",\"\x97\x5c\x94\xf5\",-7,123456,\"" +
                           Ascii(board) + "\",3000,1500,#FALSE#,#FALSE#,123,29999,2\r\n";
  {
    App app(true);
    Form1& f = app.form();
    frmSet& p = app.panel();
    f.SetLeftTop(1215, 900);
    p.SetLeftTop(1215, 4500);
    f.strDir[0] = signs;  // as the chooser stores it: no trailing "\"
    f.strDir[1] = L"予備";
    f.lngSpare[0] = -7;
    f.lngSpare[1] = 123456;
    f.strKanbanPath = board;
    f.MoveKanban(3000, 1500);
    SendMessageW(f.hwnd(), WM_COMMAND, kMnuViewKanban, 0);
    SendMessageW(f.hwnd(), WM_COMMAND, kMnuViewWaku, 0);
    p.SetHScroll1Value(123);
    p.SetHScroll2Value(29999);
    p.SelectOption1(2);
    Close(app);
  }
  EXPECT_EQ(ReadFileBytes(kIni), line);
  App app(true);
  Form1& f = app.form();
  frmSet& p = app.panel();
  EXPECT_EQ(Outer(f.hwnd()).left, 81);
  EXPECT_EQ(Outer(f.hwnd()).top, 60);
  EXPECT_EQ(Outer(p.hwnd()).left, 81);
  EXPECT_EQ(Outer(p.hwnd()).top, 300);
  EXPECT_EQ(f.strDir[0], signs);  // left as read
  EXPECT_EQ(f.ImgDesiMaku.picture.widthPx(), 40);  // entry 0 of the list: a.bmp
  EXPECT_EQ(f.strDir[1], L"予備");
  EXPECT_EQ(f.lngSpare[0], -7);
  EXPECT_EQ(f.lngSpare[1], 123456);
  EXPECT_EQ(f.strKanbanPath, board);
  // The board at its place, sized to its picture and hidden; the hidden frame laid round it.
  const RECT boardRect = RectInParent(f.PicKanban), expected = PxRect(3000, 1500, 900, 450);
  EXPECT_TRUE(EqualRect(&boardRect, &expected));
  EXPECT_FALSE(IsWindowVisible(f.PicKanban));
  for (const LightShape& s : f.shpK_Waku) EXPECT_FALSE(s.visible);
  EXPECT_EQ(f.shpK_Waku[0].rect.left, 2925);
  EXPECT_EQ(f.shpK_Waku[1].rect.height, 465);
  EXPECT_EQ(f.shpK_Waku[2].rect.top, 1950);
  EXPECT_EQ(f.shpK_Waku[2].rect.width, 1050);
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"123");
  EXPECT_EQ(WindowText(p.lblNakaSpeed), L"29999");
  EXPECT_TRUE(p.Option1Value(2));
  Close(app);
  EXPECT_EQ(ReadFileBytes(kIni), line);
}

TEST_F(Settings, MissingPicturesKeepEveryOtherField) {
  const std::string line = "-300,-150,1215,4500,\"c:\\signs\\\",\"\",0,0,\"c:\\board.bmp\","
                           "3000,1500,#TRUE#,#TRUE#,123,456,1\r\n";
  WriteFileBytes(kIni, line);
  App app(true);
  EXPECT_EQ(Outer(app.form().hwnd()).left, -20);
  EXPECT_TRUE(app.form().KanbanPicture().empty());
  EXPECT_EQ(app.form().ImgDesiMaku.picture.widthPx(), 52);  // the default sign
  EXPECT_EQ(WindowText(app.panel().lblNakaSpeed), L"456");
  Close(app);
  EXPECT_EQ(ReadFileBytes(kIni), line);
}

// A line that fails, what it stored before the failure (fields 5 to 9) and which flags it applied.
struct FailingLine {
  const char* line;  // nullptr: no file at all
  const char* stored;
  const char* flags;
};
class SettingsFallback : public Settings, public testing::WithParamInterface<FailingLine> {};

TEST_P(SettingsFallback, KeepsWhatWasStoredAndAppliedBeforeTheBadField) {
  const FailingLine& c = GetParam();
  if (c.line) WriteFileBytes(kIni, c.line);
  App app(true);
  Form1& f = app.form();
  const RECT bus = Outer(f.hwnd()), panel = Outer(app.panel().hwnd());
  EXPECT_EQ(bus.left, 0);
  EXPECT_EQ(bus.top, 0);
  EXPECT_EQ(panel.left, 0);
  EXPECT_EQ(panel.top, bus.bottom);
  const RECT board = RectInParent(f.PicKanban), design = PxRect(7425, 1665, 1410, 450);
  EXPECT_TRUE(EqualRect(&board, &design));
  EXPECT_EQ(f.shpK_Waku[0].rect.height, 465);
  EXPECT_EQ(IsWindowVisible(f.PicKanban) != FALSE, c.flags[1] == 'T');
  EXPECT_EQ(WindowText(app.panel().lblMaeSpeed), L"10000");
  EXPECT_EQ(WindowText(app.panel().lblNakaSpeed), L"6000");
  EXPECT_TRUE(app.panel().Option1Value(0));
  Close(app);
  EXPECT_EQ(ReadFileBytes(kIni), "0,0,0," + std::to_string(bus.bottom * 15) + "," + c.stored +
                                     ",7425,1665," + c.flags + ",10000,6000,0\r\n");
  EXPECT_EQ(GetFileAttributesW(kTemp.c_str()), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingsFallback,
    testing::Values(
        FailingLine{nullptr, R"("","",0,0,"")", "#TRUE#,#TRUE#"},
        FailingLine{"", R"("","",0,0,"")", "#TRUE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"c:\\s\\\",\"r\",5\r\n", R"("c:\s\","r",5,0,"")", "#TRUE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"\",\"r\",5,6,\"c:\\b.bmp\",3000,x,#FALSE#,#FALSE#,123,456,1",
                    R"("","r",5,6,"c:\b.bmp")", "#TRUE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"\",\"r\",5,6,\"\",3000,1500,#FALSE#,#FALSE#,123,456,3",
                    R"("","r",5,6,"")", "#FALSE#,#FALSE#"},
        FailingLine{"1,2,3,4,\"\",\"\",0,0,\"\",3000,1500,#FALSE#,#TRUE#,70000,456,1",
                    R"("","",0,0,"")", "#FALSE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"\",\"\",0,0,\"\",3000,1500,#TRUE#,#FALSE#,123,0,1",
                    R"("","",0,0,"")", "#TRUE#,#FALSE#"}));

TEST_F(Settings, AFailedOrReadOnlyWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  const std::string old = " 1215, 900,1215,4500,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,"
                          "10000,6000,1\r\n";  // blanks that a write would drop
  WriteFileBytes(kIni, old);
  ASSERT_TRUE(CreateDirectoryW(kTemp.c_str(), nullptr));  // where the new file would go
  for (DWORD attributes : {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_READONLY}) {
    SetFileAttributesW(kIni.c_str(), attributes);
    App app(true);
    EXPECT_TRUE(app.panel().Option1Value(1));
    app.panel().SelectOption1(2);
    Close(app);
    EXPECT_EQ(ReadFileBytes(kIni), old) << attributes;
    RemoveDirectoryW(kTemp.c_str());
  }
  EXPECT_EQ(GetFileAttributesW(kTemp.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace rumona::test
