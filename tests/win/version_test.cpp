#include <gtest/gtest.h>

#include <string>

#include "../../qmr5res/qmr5res.h"
#include "common/app.h"
#include "panel/frm_show_version.h"
#include "test_support.h"

namespace rumona::test {
namespace {

TEST(VersionDialog, OpensModallyFromThePanelWithTheModelLineAndEnterOrEscUnloadsIt) {
  App app;
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    bool othersEnabled = true, focusOnOk = false;
    std::wstring model;
    HWND seen = nullptr;
    ModalAnswerer dialog(frmShowVersion::kTitle, [&](HWND hwnd) {
      seen = hwnd;
      othersEnabled = IsWindowEnabled(app.panel().hwnd()) || IsWindowEnabled(app.form().hwnd());
      focusOnOk = WindowText(GetFocus()) == L"OK";
      for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (WindowText(c).starts_with(frmShowVersion::kModelPrefix)) model = WindowText(c);
      PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    });
    SendMessageW(app.panel().Command3, BM_CLICK, 0, 0);  // returns once the dialog has closed
    EXPECT_TRUE(dialog.answered()) << key;
    EXPECT_FALSE(othersEnabled);
    EXPECT_TRUE(focusOnOk);
    EXPECT_EQ(model, L"型番・製造番号：rumona_win_tests");
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_TRUE(IsWindowEnabled(app.panel().hwnd()) && IsWindowEnabled(app.form().hwnd()));
  }
}

TEST(VersionDialog, EachLibraryFailureIsReportedWithTheRequestAndTheDialogStaysOpen) {
  TempDir dir;
  frmShowVersion dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(dialog.libraryPath, ExeFolder() + L"QMR5Res.DLL");  // beside the exe, and only there
  ShowWindow(dialog.hwnd(), SW_SHOW);
  WriteFileBytes(dir.File(L"broken.dll"), "not a library");
  const struct {
    std::wstring library, starts, contains;
  } failures[] = {
      {dir.File(L"QMR5Res.DLL"), dir.File(L"QMR5Res.DLL"), SystemErrorText(ERROR_MOD_NOT_FOUND)},
      {dir.File(L"broken.dll"), dir.File(L"broken.dll"), L""},
      {ExePath(), L"QMR5Res.DLL / NuberaHpURL", SystemErrorText(ERROR_PROC_NOT_FOUND)},
  };
  for (const auto& failure : failures) {
    dialog.libraryPath = failure.library;
    std::wstring text;
    bool icon = false;
    ModalAnswerer box(frmShowVersion::kLinkErrorTitle, [&](HWND hwnd) {
      text = WindowText(GetDlgItem(hwnd, 0xFFFF));
      icon = SendDlgItemMessageW(hwnd, 0x0440, STM_GETICON, 0, 0) != 0;  // the stop sign
      PressButton(hwnd, L"OK");
    });
    SendMessageW(dialog.Label5, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageW(dialog.Label5, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    Pump();
    EXPECT_EQ(box.answers(), 1) << text;
    EXPECT_TRUE(text.starts_with(failure.starts)) << text;
    EXPECT_NE(text.find(failure.contains), std::wstring::npos) << text;
    EXPECT_TRUE(text.ends_with(L"\r\n\r\n 上記内容をぬべらHP関係者まで報告してください。")) << text;
    EXPECT_TRUE(icon);
    EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
  }
}

TEST(QMR5Res, ExportsTheAddressUndecoratedAsStaticAnsiText) {
  HMODULE library = LoadLibraryW((ExeFolder() + L"QMR5Res.dll").c_str());
  ASSERT_NE(library, nullptr) << "QMR5Res.dll is built beside the test exe";
  auto url = reinterpret_cast<NuberaHpURLProc>(
      reinterpret_cast<void*>(GetProcAddress(library, "NuberaHpURL")));
  ASSERT_NE(url, nullptr);
  const char* first = url();
  EXPECT_EQ(url(), first);  // the same static text at every call
  EXPECT_TRUE(std::string(first).starts_with("https://")) << first;
  EXPECT_NE(std::string(first).find("example.com"), std::string::npos) << first;
  FreeLibrary(library);
}

}  // namespace
}  // namespace rumona::test
