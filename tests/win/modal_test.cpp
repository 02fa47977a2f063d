#include <gtest/gtest.h>

#include "test_support.h"

namespace rumona::test {
namespace {

// Each modal window of the program closed with another program's window on the desktop: the
// window that opened it is active again, not the other program's. A missing folder chosen gives
// one message, with the chooser closed, then exactly one chooser holding it.
TEST(Modal, ClosingGivesTheActivationBackToTheOpenerNotToAnotherProgram) {
  STARTUPINFOW si{.cb = sizeof si};
  PROCESS_INFORMATION other{};
  wchar_t command[] = L"notepad.exe";
  ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                             &other));
  HWND notepad = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (notepad = FindWindowW(L"Notepad", nullptr)); }, 30000));
  // Returns once the other program has handled what it was sent, an activation too.
  const auto settle = [&] { SendMessageTimeoutW(notepad, WM_NULL, 0, 0, 0, 5000, nullptr); };
  TempDir dir;
  App app;
  Form1& f = app.form();
  const std::wstring listed = f.sign.List().Path();
  const struct {
    HWND opener;
    WPARAM command;  // to the bus window, or a click on a panel's button
    HWND button;
    std::wstring typed;  // in the chooser: typed and confirmed once, else cancelled
  } cases[] = {{app.panel().hwnd(), 0, app.panel().Command3, L""},  // the version dialog
               {f.hwnd(), kMnuSetKanban, nullptr, L""},  // the file-open dialog
               {app.panel().hwnd(), 0, app.panel().Command1, dir.File(L"gone")}};  // and a message
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    for (HWND w : {notepad, f.hwnd(), c.opener}) {  // as clicks on each would leave them
      SetForegroundWindow(w);
      settle();
    }
    EXPECT_EQ(GetForegroundWindow(), c.opener);
    int modals = 0;
    std::wstring said;
    const auto answer = [&](HWND hwnd) {
      ++modals;
      HWND edit = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
      const bool confirm = WindowText(edit) != c.typed;
      if (confirm) SetWindowTextW(edit, c.typed.c_str());
      PostMessageW(hwnd, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
    };
    ModalAnswerer version(frmShowVersion::kTitle, [&](HWND hwnd) {
      EXPECT_EQ(WindowText(GetFocus()), L"OK");
      answer(hwnd);
    }), chooser(L"画像の位置", answer),
        open(L"開く", answer), box(kAppTitle, [&](HWND hwnd) {
          said = WindowText(GetDlgItem(hwnd, 0xFFFF)) + (FindOwnWindow(L"画像の位置") ? L"+" : L"");
          answer(hwnd);
        });
    if (c.button) SendMessageW(c.button, BM_CLICK, 0, 0);
    else SendMessageW(f.hwnd(), WM_COMMAND, c.command, 0);
    settle();
    EXPECT_EQ(modals, c.typed.empty() ? 1 : 3);
    EXPECT_EQ(said, c.typed.empty() ? L"" : L"指定したパスが見つかりません。再度指定しなおしてください。");
    EXPECT_EQ(f.sign.Folder() + L"|" + f.sign.List().Path(), c.typed + L"|" + listed);
    EXPECT_EQ(GetForegroundWindow(), c.opener);
    EXPECT_TRUE(IsWindowEnabled(f.hwnd()) && IsWindowEnabled(app.panel().hwnd()));
  }
  TerminateProcess(other.hProcess, 0);
  CloseHandle(other.hProcess);
  CloseHandle(other.hThread);
}

TEST(VersionDialog, EachLibraryFailureIsReportedWithTheRequestAndTheDialogStaysOpen) {
  TempDir dir;
  frmShowVersion dialog;
  ASSERT_TRUE(dialog.Create());
  ShowWindow(dialog.hwnd(), SW_SHOW);
  WriteFileBytes(dir.File(L"broken.dll"), "not a library");
  RECT link;  // the pointer over the link line shows the pointing hand
  GetWindowRect(dialog.Label5, &link);
  MouseAt({(link.left + link.right) / 2, (link.top + link.bottom) / 2}, {MOUSEEVENTF_MOVE});
  const int size = ScaledPixels(32, dialog.dpi());
  const HCURSOR hand = static_cast<HCURSOR>(LoadImageW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_LINK), IMAGE_CURSOR, size, size, 0));
  // A cursor's hot spot, which tells the hand from the system's cursors and its size scales.
  const auto hotSpot = [](HCURSOR c) {
    ICONINFO info{};
    GetIconInfo(c, &info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return std::pair(info.xHotspot, info.yHotspot);
  };
  EXPECT_TRUE(WaitUntil([&] { return hotSpot(GetCursor()) == hotSpot(hand); }));
  DestroyCursor(hand);
  // The library, the start of the message (the library's path unless given) and the cause.
  const std::tuple<std::wstring, std::wstring, DWORD> failures[] = {
      {dir.File(L"QMR5Res.DLL"), L"", ERROR_MOD_NOT_FOUND},
      {dir.File(L"broken.dll"), L"", ERROR_BAD_EXE_FORMAT},
      {ExePath(), L"QMR5Res.DLL / NuberaHpURL", ERROR_PROC_NOT_FOUND}};
  for (const auto& [library, starts, cause] : failures) {
    dialog.libraryPath = library;
    std::wstring text;
    ModalAnswerer box(L"Nubhpurl.dllのエラー", [&](HWND hwnd) {
      text = WindowText(GetDlgItem(hwnd, 0xFFFF));
      EXPECT_TRUE(SendDlgItemMessageW(hwnd, 0x440, STM_GETICON, 0, 0));  // the stop sign
      PressButton(hwnd, L"OK");
    });
    SendMessageW(dialog.Label5, WM_LBUTTONDOWN, 0, 0);  // the link line
    SendMessageW(dialog.Label5, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(text.starts_with(starts.empty() ? library : starts)) << text;
    EXPECT_NE(text.find(SystemErrorText(cause)), std::wstring::npos) << text;
    EXPECT_TRUE(text.ends_with(L"\r\n\r\n 上記内容をぬべらHP関係者まで報告してください。"))
        << text;
    EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
  }
}

}  // namespace
}  // namespace rumona::test
