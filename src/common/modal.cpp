// Message boxes and modal loops.
#include "common/modal.h"

#include <vector>

#include "common/base_window.h"
#include "common/keyboard.h"

namespace rumona {

// The windows of the thread that a modal window holds still, and the window that was active
// when it opened: the one that gets the activation back.
struct HeldWindows {
  HWND keep, opener;
  std::vector<HWND> disabled;
};

namespace {

BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM lp) {
  auto* held = reinterpret_cast<HeldWindows*>(lp);
  if (hwnd != held->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    held->disabled.push_back(hwnd);
  }
  return TRUE;
}

HeldWindows Hold(HWND keep) {
  HeldWindows held{keep, GetActiveWindow(), {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOthers, reinterpret_cast<LPARAM>(&held));
  return held;
}

// Once only: enables what was held and activates the opener.
void Release(HeldWindows& held) {
  for (HWND hwnd : held.disabled)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  held.disabled.clear();
  if (held.opener && IsWindowVisible(held.opener) && IsWindowEnabled(held.opener))
    SetForegroundWindow(held.opener);
  held.opener = nullptr;
}

}  // namespace

int ShowMessage(HWND owner, const std::wstring& text, UINT style, const wchar_t* caption) {
  if (owner || !(style & MB_TASKMODAL)) return MessageBoxW(owner, text.c_str(), caption, style);
  // Every window of the thread waits for the box, as MB_TASKMODAL has it; but the box is owned
  // by the active window, which it enables again before it hides, as a dialog's end does, so
  // that the activation goes back there rather than to another program's window.
  HeldWindows held = Hold(GetActiveWindow());
  const int answer = MessageBoxW(held.opener, text.c_str(), caption,
                                 held.opener ? style & ~MB_TASKMODAL : style);
  Release(held);
  return answer;
}

void RunModal(WindowCore& dialog) {
  const HWND hwnd = dialog.hwnd();
  HeldWindows held = Hold(hwnd);
  dialog.held_ = &held;
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  MSG msg;
  while (IsWindow(hwnd)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // keep the quit for the outer loop
      break;
    }
    if (got < 0) break;
    DispatchWithDialogKeys(msg);
  }
  dialog.held_ = nullptr;
  Release(held);
}

void EndModal(WindowCore& dialog) {
  if (dialog.held_) Release(*dialog.held_);
  ShowWindow(dialog.hwnd(), SW_HIDE);
  DestroyWindow(dialog.hwnd());
}

}  // namespace rumona
