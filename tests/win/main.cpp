#include <windows.h>

#include <gtest/gtest.h>

namespace {

// A modal window that no test answers would hold the run until ctest's timeout: after 15 s the
// test fails, naming the window, and the window is closed so that the run goes on.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  static HWND seen = nullptr;
  static ULONGLONG since = 0;
  bool held = false;  // a window of ours is disabled: a modal window is open
  EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM lp) {
    *reinterpret_cast<bool*>(lp) |= IsWindowVisible(w) && !IsWindowEnabled(w);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&held));
  const HWND modal = held ? GetActiveWindow() : nullptr;
  if (modal != seen) {
    seen = modal;
    since = GetTickCount64();
  } else if (modal && GetTickCount64() - since > 15000) {
    wchar_t title[128] = {};
    char utf8[512] = {};
    GetWindowTextW(modal, title, 128);
    WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
    ADD_FAILURE() << "\"" << utf8 << "\" was left open for 15 s without an answer";
    if (!EndDialog(modal, IDCANCEL)) PostMessageW(modal, WM_CLOSE, 0, 0);
    since = GetTickCount64();
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  SetTimer(nullptr, 0, 1000, &Watchdog);
  return RUN_ALL_TESTS();
}
