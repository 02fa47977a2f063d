#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "settings/settings_logic.h"
#include "test_support.h"

namespace rumona::test {
namespace {

using namespace std::string_literals;

const std::wstring kIni = SettingsFilePath(), kTemp = kIni + L".tmp", kProbe = kIni + L".probe";

class Settings : public testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    SetFileAttributesW(kIni.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(kIni.c_str());
    RemoveDirectoryW(kTemp.c_str());
    RemoveDirectoryW(kProbe.c_str());
  }
  std::string StartAndClose(std::function<void(App&)> meanwhile = {}) {
    App app(true);
    if (meanwhile) meanwhile(app);
    SendMessageW(app.form().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.endCalls, 1);
    return ReadFileBytes(kIni);
  }
};

// Every field goes into the windows and comes back out, the same at every DPI (the positions are
// whole pixels at 96, 144 and 192 DPI); a picture that is gone changes nothing else.
TEST_F(Settings, AFileWithAMissingPictureIsAppliedAndWrittenBackWhole) {
  TempDir dir;
  std::string folder(dir.path().begin(), dir.path().end());  // ASCII here
  const std::string line = "-300,-150,1230,4500,\"" + folder + "\",\"\x97\x5c\x94\xf5\",5,-6,"
                           "\"c:\\gone.bmp\",3000,1500,#FALSE#,#TRUE#,123,456,1\r\n";
  WriteFileBytes(kIni, line);
  EXPECT_EQ(StartAndClose([](App& app) {
              WaitForPictures(app.form());
              EXPECT_TRUE(app.form().board.picture().empty());
            }),
            line);
}

// A line that fails, what it stored before the failure (fields 5 to 9) and the flags it applied.
struct FailingLine {
  const char *line, *stored, *flags;  // no line: no file at all
};
class SettingsFallback : public Settings, public testing::WithParamInterface<FailingLine> {};

TEST_P(SettingsFallback, KeepsWhatWasStoredAndAppliedBeforeTheBadField) {
  const FailingLine& c = GetParam();
  if (c.line) WriteFileBytes(kIni, c.line);
  RECT bus{};
  const std::string written = StartAndClose([&](App& app) {
    bus = RectInParent(app.form().hwnd());
    EXPECT_EQ(Edges(RectInParent(app.form().PicKanban)), Edges(PxRect(7425, 1665, 1410, 450)));
    EXPECT_EQ(IsWindowVisible(app.form().PicKanban) != FALSE, c.flags[1] == 'T');
  });
  // The windows' places as they are, in screen twips at the system's DPI: the bus at the top-left,
  // the panel just below it.
  EXPECT_EQ(written, "0,0,0," + FormatSingle(PixelsToTwips(bus.bottom, SystemDpi())) + "," + c.stored +
                         ",7425,1665," + c.flags + ",10000,6000,0\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingsFallback,
    testing::Values(
        FailingLine{nullptr, R"("","",0,0,"")", "#TRUE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"c:\\s\\\",\"r\"\r\n", R"("c:\s\","r",0,0,"")", "#TRUE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"\",\"r\",5,6,x\r\n", R"("","r",5,6,"")", "#TRUE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"\",\"r\",5,6,\"c:\\b.bmp\",x,1500,#FALSE#,#FALSE#,123,456,1",
                    R"("","r",5,6,"c:\b.bmp")", "#TRUE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"\",\"r\",5,6,\"\",3000,1500,#FALSE#,#FALSE#,123,456,3",
                    R"("","r",5,6,"")", "#FALSE#,#FALSE#"},
        FailingLine{"1,2,3,4,\"\",\"\",0,0,\"\",3000,1500,#FALSE#,#TRUE#,70000,456,1",
                    R"("","",0,0,"")", "#FALSE#,#TRUE#"},
        FailingLine{"1,2,3,4,\"\",\"\",0,0,\"\",3000,1500,#TRUE#,#FALSE#,123,0,1",
                    R"("","",0,0,"")", "#TRUE#,#FALSE#"}),
    Row);

TEST_F(Settings, AFailedWriteKeepsTheOldFileWithAMessageAndWithoutTheUsersFolderItStaysBeside) {
  const std::string old = " 1215, 900,1215,4500,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,"
                          "10000,6000,1\r\n";  // blanks that a write would drop
  std::vector<std::wstring> said;
  ModalAnswerer box(kAppTitle, [&](HWND b) {
    said.push_back(WindowText(GetDlgItem(b, 0xFFFF)));
    PostMessageW(b, WM_CLOSE, 0, 0);
  });
  WriteFileBytes(kIni, old);
  ASSERT_TRUE(CreateDirectoryW(kTemp.c_str(), nullptr));  // where the new file would go
  for (DWORD attributes : {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_READONLY}) {
    SetFileAttributesW(kIni.c_str(), attributes);
    EXPECT_EQ(StartAndClose([](App& app) { app.panel().SelectOption1(2); }), old) << attributes;
    RemoveDirectoryW(kTemp.c_str());
  }
  EXPECT_EQ(GetFileAttributesW(kTemp.c_str()), INVALID_FILE_ATTRIBUTES);
  TearDown();
  CreateDirectoryW(kIni.c_str(), nullptr);  // the new file is written, but cannot take its place
  StartAndClose();
  EXPECT_EQ(GetFileAttributesW(kTemp.c_str()), INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryW(kIni.c_str());
  EXPECT_EQ(said, std::vector<std::wstring>(3, L"設定を保存できませんでした。\n" + kIni));

  // The executable's folder refuses new files (its probe cannot be made) and the system cannot
  // name the user's application-data folder: the settings are read and written beside the
  // executable all the same, with no message, and nothing goes to a drive root.
  Swapped<decltype(shGetFolderPathCall)> failing(
      shGetFolderPathCall, [](HWND, int, HANDLE, DWORD, LPWSTR) -> HRESULT { return E_FAIL; });
  const auto record = [](const char* option) {  // the panel at the top: not the fallback's place
    return "0,0,0,0,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,10000,6000,"s + option + "\r\n";
  };
  WriteFileBytes(kIni, record("1"));
  ASSERT_TRUE(CreateDirectoryW(kProbe.c_str(), nullptr));
  EXPECT_EQ(StartAndClose([](App& app) { app.panel().SelectOption1(2); }), record("2"));
  EXPECT_EQ(said.size(), 3u);
  const std::wstring root = L"\\" + ExeBaseName();
  EXPECT_FALSE(DeleteFileW((root + L"\\" + ExeBaseName() + L".ini").c_str()));
  RemoveDirectoryW(root.c_str());
}

// Names that the ANSI code page cannot hold (Hangul is in neither 932 nor 1252): a sign folder
// and a board picture so named are still in effect after a restart; a path with no form that
// the settings file can hold is refused with a message when it is chosen, and nothing changes.
TEST_F(Settings, ChosenPathsOutsideTheCodePageAreStillInEffectAfterTheSessionEnds) {
  TempDir dir;
  const std::wstring folder = dir.File(L"가"), board = folder + L"\\가.bmp";
  CreateDirectoryW(folder.c_str(), nullptr);
  WriteBmp(folder + L"\\a.bmp", 40, 24, 0x0000FF);
  WriteBmp(board, 60, 20, 0xFF0000);
  {
    App app(true);
    // Chooses a path in the chooser or the file-open dialog; a message naming it counts, and
    // cancels the chooser that stays open after it.
    const auto choose = [&](WPARAM command, const std::wstring& path) {
      int refusals = 0;
      HWND dialog = nullptr;
      const auto answer = [&](HWND hwnd) {
        HWND name = GetDlgItem(hwnd, 0x47c);  // the file-open dialog's name box
        SetWindowTextW(name ? name : FindWindowExW(hwnd, nullptr, L"Edit", nullptr), path.c_str());
        PostMessageW(hwnd, WM_COMMAND, dialog ? IDCANCEL : IDOK, 0);  // a chooser again: no
        dialog = hwnd;
      };
      ModalAnswerer chooser(L"画像の位置", answer), file(L"開く", answer), file1252(L"Open", answer);
      ModalAnswerer box(kAppTitle, [&](HWND hwnd) {
        refusals += WindowText(GetDlgItem(hwnd, 0xFFFF)).ends_with(L"\r\n\r\n" + path);
        PressButton(hwnd, L"OK");
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      });
      if (command) Command(app.form().hwnd(), command);
      else SendMessageW(app.panel().Command1, BM_CLICK, 0, 0);
      return refusals;
    };
    EXPECT_EQ(choose(0, folder + L"\\없음"), 1);
    EXPECT_EQ(app.form().sign.Folder(), L"");
    EXPECT_EQ(choose(0, folder) + choose(kMnuSetKanban, board), 0);
    WaitForPictures(app.form());
    // Only an end of the session that really comes unloads the window: saved, then the end.
    EXPECT_TRUE(SendMessageW(app.form().hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    SendMessageW(app.form().hwnd(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(GetFileAttributesW(kIni.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(app.endCalls, 0);
    SendMessageW(app.form().hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(app.endCalls, 1);
  }
  App app(true);
  WaitForPictures(app.form());
  EXPECT_EQ(app.form().sign.Image().rect.width, 40 * 15);  // the folder's picture, in twips
  EXPECT_EQ(app.form().board.picture().widthPx(), 60);
}

}  // namespace
}  // namespace rumona::test
