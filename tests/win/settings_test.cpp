#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/app.h"
#include "test_support.h"

namespace rumona::test {
namespace {

std::string ReadBytes(const std::wstring& path) {
  std::string out;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<no file>";
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(file);
  return out;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A 24-bit bitmap of one colour (0xRRGGBB).
void WriteBitmap(const std::wstring& path, int width, int height, uint32_t rgb) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * height);
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
  bytes.append(reinterpret_cast<const char*>(&ih), sizeof ih);
  std::string row(static_cast<size_t>(stride), '\0');
  for (int x = 0; x < width; ++x) {
    row[x * 3] = static_cast<char>(rgb & 0xFF);
    row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
    row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
  }
  for (int y = 0; y < height; ++y) bytes += row;
  WriteBytes(path, bytes);
}

void DeleteTree(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteTree(folder + name + L"\\");
      else
        DeleteFileW((folder + name).c_str());
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

// The test folder's path in the ANSI file: plain ASCII under the build folder.
std::string Ascii(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) {
    EXPECT_LT(c, 0x80) << "the build folder's path is expected to be ASCII";
    out += static_cast<char>(c);
  }
  return out;
}

RECT WindowRect(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  return rc;
}

void Close(App& app) {
  SendMessageW(app.form().hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.endCalls, 1);
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u) << "the tests run under the Japanese code page";
    Clean();
    CreateDirectoryW(work.c_str(), nullptr);
  }
  void TearDown() override { Clean(); }
  void Clean() {
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(ini.c_str());
    DeleteFileW(temp.c_str());
    RemoveDirectoryW(temp.c_str());
    DeleteTree(work);
  }

  // The fallback record as the bus window's geometry gives it, with the fields the fallback
  // leaves alone.
  static std::string FallbackLine(App& app, const std::string& middle, const char* flags) {
    const RECT bus = WindowRect(app.form().hwnd());
    return "0,0,0," + std::to_string((bus.bottom - bus.top) * kTwipsPerPixel) + "," + middle +
           ",7425,1665," + flags + ",10000,6000,0\r\n";
  }

  const std::wstring ini = SettingsFilePath();
  const std::wstring temp = ini + L".tmp";
  const std::wstring work = ExeFolder() + L"settings_test_files\\";
  const std::string workA = Ascii(work);
};

TEST_F(SettingsFile, FirstRunStartsFromTheFallbackAndWritesAllSixteenFields) {
  App app(true);
  const RECT bus = WindowRect(app.form().hwnd());
  const RECT panel = WindowRect(app.panel().hwnd());
  EXPECT_EQ(bus.left, 0);
  EXPECT_EQ(bus.top, 0);
  EXPECT_EQ(panel.left, 0);
  EXPECT_EQ(panel.top, bus.bottom - bus.top);
  EXPECT_EQ(app.panel().HScroll1Value(), 10000);
  EXPECT_EQ(app.panel().HScroll2Value(), 6000);
  EXPECT_TRUE(app.panel().Option1Value(0));
  Close(app);
  EXPECT_EQ(ReadBytes(ini), FallbackLine(app, "\"\",\"\",0,0,\"\"", "#TRUE#,#TRUE#"));
  EXPECT_EQ(GetFileAttributesW(temp.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsFile, EveryFieldSurvivesARestart) {
  const std::wstring signs = work + L"看板表";  // chosen in the chooser: no trailing "\"
  const std::wstring board = work + L"board.bmp";
  CreateDirectoryW(signs.c_str(), nullptr);
  WriteBitmap(signs + L"\\b.bmp", 30, 20, 0xFF0000);
  WriteBitmap(signs + L"\\a.bmp", 40, 24, 0x0000FF);
  WriteBitmap(board, 60, 30, 0x00FF00);
  const std::string expected = "1215,900,1215,4500,\"" + workA + "\x8a\xc5\x94\xc2\x95\x5c" +
                               "\",\"\x97\x5c\x94\xf5\",-7,123456,\"" + workA +
                               "board.bmp\",3000,1500,#FALSE#,#FALSE#,123,29999,2\r\n";
  {
    App app(true);
    Form1& f = app.form();
    frmSet& p = app.panel();
    f.SetLeftTop(1215, 900);
    p.SetLeftTop(1215, 4500);
    f.strDir[0] = signs;
    f.strDir[1] = L"予備";
    f.lngSpare[0] = -7;
    f.lngSpare[1] = 123456;
    f.strKanbanPath = board;
    f.SetKanbanPicture(Picture::FromFile(board));
    f.MoveKanban(3000, 1500);
    f.SetKanbanVisible(false);
    f.SetMenuChecked(kMnuViewKanban, false);
    for (LightShape& s : f.shpK_Waku) s.visible = false;
    f.SetMenuChecked(kMnuViewWaku, false);
    p.SetHScroll1Value(123);
    p.SetHScroll2Value(29999);
    p.SelectOption1(2);
    Close(app);
    EXPECT_EQ(ReadBytes(ini), expected);
  }
  App app(true);
  Form1& f = app.form();
  frmSet& p = app.panel();
  RECT bus = WindowRect(f.hwnd()), panel = WindowRect(p.hwnd());
  EXPECT_EQ(bus.left, 81);
  EXPECT_EQ(bus.top, 60);
  EXPECT_EQ(panel.left, 81);
  EXPECT_EQ(panel.top, 300);
  EXPECT_EQ(f.strDir[0], signs);
  EXPECT_EQ(f.strDir[1], L"予備");
  EXPECT_EQ(f.lngSpare[0], -7);
  EXPECT_EQ(f.lngSpare[1], 123456);
  EXPECT_EQ(f.strKanbanPath, board);
  // The board comes back at its place, sized to its picture, hidden, and the frame is laid
  // round it though it is not shown.
  const RECT boardRect = RectInParent(f.PicKanban), expectBoard = PxRect(3000, 1500, 900, 450);
  EXPECT_TRUE(EqualRect(&boardRect, &expectBoard));
  EXPECT_EQ(f.KanbanPicture().widthPx(), 60);
  EXPECT_FALSE(IsWindowVisible(f.PicKanban));
  EXPECT_FALSE(f.MenuChecked(kMnuViewKanban));
  EXPECT_FALSE(f.MenuChecked(kMnuViewWaku));
  for (const LightShape& s : f.shpK_Waku) EXPECT_FALSE(s.visible);
  EXPECT_EQ(f.shpK_Waku[0].rect.left, 2925);
  EXPECT_EQ(f.shpK_Waku[0].rect.height, 465);
  EXPECT_EQ(f.shpK_Waku[1].rect.left, 3900);
  EXPECT_EQ(f.shpK_Waku[2].rect.top, 1950);
  EXPECT_EQ(f.shpK_Waku[2].rect.width, 1050);
  EXPECT_EQ(p.HScroll1Value(), 123);
  EXPECT_EQ(p.HScroll2Value(), 29999);
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"123");
  EXPECT_EQ(WindowText(p.lblNakaSpeed), L"29999");
  EXPECT_FALSE(p.Option1Value(0));
  EXPECT_TRUE(p.Option1Value(2));
  Close(app);
  EXPECT_EQ(ReadBytes(ini), expected);
}

TEST_F(SettingsFile, SignFolderShowsItsFirstPictureAtStart) {
  const std::wstring signs = work + L"signs\\";
  CreateDirectoryW(signs.c_str(), nullptr);
  WriteBitmap(signs + L"B.bmp", 30, 20, 0xFF0000);
  WriteBitmap(signs + L"a.bmp", 40, 24, 0x0000FF);
  WriteBytes(ini, "1215,900,1215,4500,\"" + workA + "signs\",\"\",0,0,\"\",7425,1665,#TRUE#,"
                  "#TRUE#,10000,6000,0\r\n");
  App app(true);
  Form1& f = app.form();
  if (f.File1.ListCount() == 0) GTEST_SKIP() << "the sign list does not read folders yet";
  EXPECT_EQ(f.ImgDesiMaku.picture.widthPx(), 40);
  EXPECT_EQ(f.ImgDesiMaku.picture.heightPx(), 24);
  EXPECT_EQ(f.strDir[0], work + L"signs");  // left as read, without a "\" added
}

// A deleted board picture or sign folder, or one without pictures, no longer throws the other
// settings away: the board stays empty at its place, the sign keeps its default picture, and
// the paths are kept for the next close.
TEST_F(SettingsFile, MissingPicturesKeepEveryOtherField) {
  CreateDirectoryW((work + L"empty").c_str(), nullptr);
  WriteBytes(work + L"empty\\notes.txt", "not a picture");
  const std::vector<std::string> lines = {
      "1215,900,1215,4500,\"" + workA + "gone\\\",\"\",0,0,\"" + workA +
          "gone.bmp\",3000,1500,#TRUE#,#TRUE#,123,456,1\r\n",
      "-300,-150,1215,4500,\"" + workA + "empty\",\"x\",1,2,\"" + workA +
          "empty\\notes.txt\",3000,1500,#TRUE#,#FALSE#,123,456,2\r\n",
      "1215,900,1215,4500,\"\",\"\",0,0,\"" + workA + "gone.bmp\",3000,1500,#FALSE#,#TRUE#,"
          "123,456,1\r\n",
      // The example of a typical run, on a machine without its folders.
      "1215,900,1215,4500,\"c:\\signs\\\",\"\",0,0,\"c:\\pictures\\board.bmp\",7425,1665,"
          "#TRUE#,#TRUE#,10000,6000,0\r\n",
  };
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    WriteBytes(ini, line);
    App app(true);
    Form1& f = app.form();
    const RECT bus = WindowRect(f.hwnd());
    EXPECT_NE(bus.left, 0);  // not the fallback
    EXPECT_TRUE(f.KanbanPicture().empty());
    EXPECT_EQ(f.ImgDesiMaku.picture.widthPx(), 52);  // the default sign
    const RectTw board = f.KanbanRect();
    EXPECT_EQ(f.shpK_Waku[0].rect.left, board.left - 75);
    EXPECT_EQ(f.shpK_Waku[2].rect.top, board.top + board.height);
    EXPECT_EQ(board.width, 1410);
    Close(app);
    EXPECT_EQ(ReadBytes(ini), line);
  }
}

// On a failure the fixed start applies, and what was applied before it stays applied.
TEST_F(SettingsFile, FallbackKeepsWhatWasAlreadyReadOrApplied) {
  const std::string gone = "\"" + workA + "gone.bmp\"";
  struct Case {
    std::string line, middle;
    const char* flags;
  } cases[] = {
      // Field 16 out of range: everything up to the sign was applied.
      {"1215,900,1215,4500,\"\",\"r\",5,6," + gone + ",3000,1500,#FALSE#,#FALSE#,123,456,3\r\n",
       "\"\",\"r\",5,6," + gone, "#FALSE#,#FALSE#"},
      // A speed past 16 bits falls back instead of wrapping into range (70000 -> 4464).
      {"1215,900,1215,4500,\"\",\"r\",5,6," + gone + ",3000,1500,#FALSE#,#TRUE#,70000,456,1\r\n",
       "\"\",\"r\",5,6," + gone, "#FALSE#,#TRUE#"},
      {"1215,900,1215,4500,\"\",\"r\",5,6," + gone + ",3000,1500,#TRUE#,#FALSE#,123,0,1\r\n",
       "\"\",\"r\",5,6," + gone, "#TRUE#,#FALSE#"},
      // A bad field 11: fields 5 to 9 were stored, nothing was applied.
      {"1215,900,1215,4500,\"\",\"r\",5,6," + gone + ",3000,x,#FALSE#,#FALSE#,123,456,1\r\n",
       "\"\",\"r\",5,6," + gone, "#TRUE#,#TRUE#"},
      // A short file.
      {"1215,900,1215,4500,\"" + workA + "\",\"r\",5\r\n", "\"" + workA + "\",\"r\",5,0,\"\"",
       "#TRUE#,#TRUE#"},
      {"", "\"\",\"\",0,0,\"\"", "#TRUE#,#TRUE#"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    WriteBytes(ini, c.line);
    App app(true);
    const RECT bus = WindowRect(app.form().hwnd());
    EXPECT_EQ(bus.left, 0);
    EXPECT_EQ(bus.top, 0);
    const RECT board = RectInParent(app.form().PicKanban), expectBoard =
                                                             PxRect(7425, 1665, 1410, 450);
    EXPECT_TRUE(EqualRect(&board, &expectBoard));
    EXPECT_EQ(WindowText(app.panel().lblMaeSpeed), L"10000");
    EXPECT_TRUE(app.panel().Option1Value(0));
    Close(app);
    EXPECT_EQ(ReadBytes(ini), FallbackLine(app, c.middle, c.flags));
  }
}

// A saved place that no monitor shows any more is moved onto the nearest one; a window partly
// off screen stays where it was.
TEST_F(SettingsFile, WindowsOutsideEveryMonitorComeBackOnScreen) {
  WriteBytes(ini, "-300000,900,30000000,30000000,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,"
                  "10000,6000,0\r\n");
  {
    App app(true);
    const RECT bus = WindowRect(app.form().hwnd()), panel = WindowRect(app.panel().hwnd());
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromRect(&bus, MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_EQ(bus.left, mi.rcWork.left);
    EXPECT_EQ(bus.top, 60);
    EXPECT_EQ(panel.right, mi.rcWork.right);
    EXPECT_EQ(panel.bottom, mi.rcWork.bottom);
    EXPECT_NE(MonitorFromRect(&panel, MONITOR_DEFAULTTONULL), nullptr);
  }
  const int screenRight = GetSystemMetrics(SM_CXSCREEN);
  const std::string partly = "-300,-150," + std::to_string((screenRight - 10) * 15) +
                             ",4500,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n";
  WriteBytes(ini, partly);
  App app(true);
  const RECT bus = WindowRect(app.form().hwnd()), panel = WindowRect(app.panel().hwnd());
  EXPECT_EQ(bus.left, -20);
  EXPECT_EQ(bus.top, -10);
  EXPECT_EQ(panel.left, screenRight - 10);
  Close(app);
  EXPECT_EQ(ReadBytes(ini), partly);
}

// When the new file cannot be written, the old one stays as it was and the close goes on.
TEST_F(SettingsFile, AFailedWriteLeavesTheOldFileUntouched) {
  // Blanks that a successful write would drop.
  const std::string old = " 1215, 900,1215,4500,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,"
                          "10000,6000,1\r\n";
  WriteBytes(ini, old);
  ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));  // where the new file would go
  {
    App app(true);
    EXPECT_TRUE(app.panel().Option1Value(1));
    app.panel().SelectOption1(2);
    Close(app);
    EXPECT_EQ(FindOwnWindow(kAppTitle), nullptr);
  }
  EXPECT_EQ(ReadBytes(ini), old);
  RemoveDirectoryW(temp.c_str());

  // A settings file marked read-only is not replaced either, and no temporary file is left.
  SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  {
    App app(true);
    app.panel().SelectOption1(2);
    Close(app);
  }
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_EQ(GetFileAttributesW(temp.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace rumona::test
