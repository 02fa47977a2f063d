#include <gtest/gtest.h>

#include "common/app.h"
#include "panel/frm_show_version.h"
#include "test_support.h"

namespace rumona::test {
namespace {

TEST(VersionDialog, OpensModallyFromThePanelWithTheModelLineAndEnterOrEscUnloadsIt) {
  App app;
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    HWND seen = nullptr;
    ModalAnswerer dialog(frmShowVersion::kTitle, [&](HWND hwnd) {
      seen = hwnd;
      EXPECT_FALSE(IsWindowEnabled(app.panel().hwnd()) || IsWindowEnabled(app.form().hwnd()));
      EXPECT_EQ(WindowText(GetFocus()), L"OK");
      EXPECT_TRUE(FindWindowExW(hwnd, 0, nullptr, L"型番・製造番号：rumona_win_tests"));
      PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    });
    SendMessageW(app.panel().Command3, BM_CLICK, 0, 0);  // returns once the dialog has closed
    EXPECT_TRUE(seen && !IsWindow(seen)) << key;
    EXPECT_TRUE(IsWindowEnabled(app.panel().hwnd()) && IsWindowEnabled(app.form().hwnd()));
  }
}

TEST(VersionDialog, EachLibraryFailureIsReportedWithTheRequestAndTheDialogStaysOpen) {
  TempDir dir;
  frmShowVersion dialog;
  ASSERT_TRUE(dialog.Create());
  ShowWindow(dialog.hwnd(), SW_SHOW);
  WriteFileBytes(dir.File(L"broken.dll"), "not a library");
  const struct {
    std::wstring library, starts, contains;
  } failures[] = {
      {dir.File(L"QMR5Res.DLL"), dir.File(L"QMR5Res.DLL"), SystemErrorText(ERROR_MOD_NOT_FOUND)},
      {dir.File(L"broken.dll"), dir.File(L"broken.dll"), SystemErrorText(ERROR_BAD_EXE_FORMAT)},
      {ExePath(), L"QMR5Res.DLL / NuberaHpURL", SystemErrorText(ERROR_PROC_NOT_FOUND)}};
  for (const auto& failure : failures) {
    dialog.libraryPath = failure.library;
    std::wstring text;
    ModalAnswerer box(L"Nubhpurl.dllのエラー", [&](HWND hwnd) {
      text = WindowText(GetDlgItem(hwnd, 0xFFFF));
      EXPECT_TRUE(SendDlgItemMessageW(hwnd, 0x440, STM_GETICON, 0, 0));  // the stop sign
      PressButton(hwnd, L"OK");
    });
    SendMessageW(dialog.Label5, WM_LBUTTONDOWN, 0, 0);  // the link line
    SendMessageW(dialog.Label5, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(text.starts_with(failure.starts)) << text;
    EXPECT_NE(text.find(failure.contains), std::wstring::npos) << text;
    EXPECT_TRUE(text.ends_with(L"\r\n\r\n 上記内容をぬべらHP関係者まで報告してください。"))
        << text;
    EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
  }
}

}  // namespace
}  // namespace rumona::test
