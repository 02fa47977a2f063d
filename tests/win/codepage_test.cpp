#include <gtest/gtest.h>

#include "common/app.h"
#include "test_support.h"

namespace rumona::test {
namespace {

// Names that the ANSI code page cannot hold (Hangul is in neither 932 nor 1252): a sign folder
// and a board picture so named are still in effect after a restart; a path with no form that
// the settings file can hold is refused with a message when it is chosen, and nothing changes.
TEST(AnyCodePage, ChosenPathsOutsideTheCodePageAreStillInEffectAfterARestart) {
  TempDir dir;
  const std::wstring folder = dir.File(L"가"), board = folder + L"\\가.bmp";
  CreateDirectoryW(folder.c_str(), nullptr);
  WriteBmp(folder + L"\\a.bmp", 40, 24, 0x0000FF);
  WriteBmp(board, 60, 20, 0xFF0000);
  DeleteFileW(SettingsFilePath().c_str());
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
      if (command) SendMessageW(app.form().hwnd(), WM_COMMAND, command, 0);
      else SendMessageW(app.panel().Command1, BM_CLICK, 0, 0);
      return refusals;
    };
    EXPECT_EQ(choose(0, folder + L"\\없음"), 1);
    EXPECT_EQ(app.form().strDir[0], L"");
    EXPECT_EQ(choose(0, folder) + choose(kMnuSetKanban, board), 0);
    SendMessageW(app.form().hwnd(), WM_CLOSE, 0, 0);
  }
  App app(true);
  EXPECT_EQ(app.form().ImgDesiMaku.picture.widthPx(), 40);  // the folder's picture
  EXPECT_EQ(app.form().KanbanPicture().widthPx(), 60);
  DeleteFileW(SettingsFilePath().c_str());
}

}  // namespace
}  // namespace rumona::test
