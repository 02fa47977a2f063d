// Dialog keys, the tab order across containers, and the focus kept across activations.
#include "common/keyboard.h"

#include "common/base_window.h"

namespace rumona {

bool CanTakeFocus(HWND hwnd) {
  if (!IsWindow(hwnd)) return false;
  // The control and its containers; the top-level window's own state is its opener's concern.
  for (HWND w = hwnd; GetWindowLongW(w, GWL_STYLE) & WS_CHILD; w = GetParent(w))
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) || !IsWindowEnabled(w)) return false;
  const LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (lstrcmpiW(cls, L"Button") == 0 && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON))
    return IsChecked(hwnd);
  return true;
}

namespace {
// The next control after `from` in `order` that can take the focus.
HWND NextTabStop(const std::vector<HWND>& order, HWND from, bool backwards) {
  const int n = static_cast<int>(order.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (order[i] == from) at = i;
  for (int step = 1; step <= n; ++step) {
    int i = backwards ? (at - step + 2 * n) % n : (at + step) % n;
    if (at < 0) i = backwards ? n - step : step - 1;
    if (CanTakeFocus(order[i])) return order[i];
  }
  return nullptr;
}
}  // namespace

bool PreTranslateDialogMessage(MSG& msg) {
  WindowCore* window = WindowCore::Of(msg.hwnd);
  if (!window) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !window->tabOrder_.empty()) {
    if (HWND next = NextTabStop(window->tabOrder_, GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
      SetFocus(next);
      if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next, EM_SETSEL, 0, -1);
    }
    return true;
  }
  return window->dialogKeys_ && IsDialogMessageW(window->hwnd(), &msg);
}

void DispatchWithDialogKeys(MSG& msg) {
  if (PreTranslateDialogMessage(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void DoEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    DispatchWithDialogKeys(msg);
  }
}

int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

void FocusMemory::Remember(HWND window) {
  HWND focus = GetFocus();
  if (focus && IsChild(window, focus)) last_ = focus;
}

void FocusMemory::Restore() const {
  if (CanTakeFocus(last_))
    SetFocus(last_);
  else if (CanTakeFocus(first_))
    SetFocus(first_);
}

}  // namespace rumona
