// Window classes, controls, places in twips, the keyboard, message boxes and modal loops.
#include "common/window_parts.h"

#include <vector>

namespace rumona {

bool RegisterWindowClass(const wchar_t* name, WNDPROC proc, HBRUSH background, HICON icon,
                         UINT style) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  HINSTANCE inst = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(inst, name, &wc)) return true;
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateHiddenOwner() {
  constexpr wchar_t kClass[] = L"RumonaHiddenOwner";
  if (!RegisterWindowClass(kClass, &DefWindowProcW)) return nullptr;
  return CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

namespace {
constexpr wchar_t kDpiProp[] = L"RumonaDpi";
constexpr wchar_t kPlacesProp[] = L"RumonaPlaces";

// A function of user32 that older systems lack: null there.
template <class F>
F User32(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

HFONT FontOf(const ControlPlace& c, int dpi) { return c.font ? c.font->get() : DefaultUiFont(dpi); }
}  // namespace

int SystemDpi() {
  static const auto forSystem = User32<UINT(WINAPI*)()>("GetDpiForSystem");  // Windows 10 1607
  if (forSystem) return static_cast<int>(forSystem());
  const ScopedGetDC screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

int SystemDpiForWindow(HWND hwnd) {
  static const auto forWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");  // 10 1607
  const UINT dpi = forWindow && hwnd ? forWindow(hwnd) : 0;
  return dpi ? static_cast<int>(dpi) : SystemDpi();
}

int DpiOf(HWND hwnd) {
  const HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  const auto dpi = root ? reinterpret_cast<INT_PTR>(GetPropW(root, kDpiProp)) : 0;
  return dpi ? static_cast<int>(dpi) : SystemDpi();
}

void SetWindowDpi(HWND topLevel, int dpi) {
  SetPropW(topLevel, kDpiProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

void KeepControlPlaces(HWND topLevel, std::vector<ControlPlace>* places) {
  SetPropW(topLevel, kPlacesProp, places);
}

void PlaceControls(HWND topLevel) {
  const auto* places = static_cast<std::vector<ControlPlace>*>(GetPropW(topLevel, kPlacesProp));
  if (!places) return;
  const int dpi = DpiOf(topLevel);
  for (const ControlPlace& c : *places) {
    if (!IsWindow(c.hwnd)) continue;
    const RectPx px = ToPixels(c.rect, dpi);
    SetWindowPos(c.hwnd, nullptr, px.left, px.top, px.width(), px.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(c, dpi)), TRUE);
  }
}

HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style,
                 const RectTw& rect, int id, DWORD exStyle, const ScopedFont* font, void* param) {
  const HWND root = GetAncestor(parent, GA_ROOT);
  const int dpi = DpiOf(root);
  const RectPx px = ToPixels(rect, dpi);
  HWND hwnd = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, px.left, px.top,
                              px.width(), px.height(), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), param);
  if (!hwnd) return nullptr;
  const ControlPlace place{hwnd, rect, font};
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(place, dpi)), FALSE);
  if (auto* places = static_cast<std::vector<ControlPlace>*>(GetPropW(root, kPlacesProp)))
    places->push_back(place);
  return hwnd;
}

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

bool StackInOrder(std::initializer_list<HWND> order) {
  for (HWND hwnd : order) {
    if (!hwnd) return false;
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return true;
}

namespace {
int ScreenOrWindowDpi(HWND hwnd) {
  return GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD ? DpiOf(hwnd) : SystemDpi();
}
}  // namespace

RectTw WindowRectTw(HWND hwnd, HWND parent) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  const int dpi = ScreenOrWindowDpi(hwnd);
  return RectTw{PixelsToTwips(rc.left, dpi), PixelsToTwips(rc.top, dpi),
                PixelsToTwips(rc.right - rc.left, dpi), PixelsToTwips(rc.bottom - rc.top, dpi)};
}

void MoveWindowTw(HWND hwnd, float left, float top) {
  const int dpi = ScreenOrWindowDpi(hwnd);
  SetWindowPos(hwnd, nullptr, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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

namespace {
constexpr wchar_t kModalProp[] = L"RumonaModal";

// The windows of the thread that a modal window holds still, and the window that was active
// when it opened: the one that gets the activation back.
struct HeldWindows {
  HWND keep, opener;
  std::vector<HWND> disabled;
};

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

void RunModal(HWND dialog) {
  HeldWindows held = Hold(dialog);
  SetPropW(dialog, kModalProp, &held);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  MSG msg;
  while (IsWindow(dialog)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // keep the quit for the outer loop
      break;
    }
    if (got < 0) break;
    DispatchWithDialogKeys(msg);
  }
  if (IsWindow(dialog)) RemovePropW(dialog, kModalProp);
  Release(held);
}

void EndModal(HWND dialog) {
  if (auto* held = static_cast<HeldWindows*>(GetPropW(dialog, kModalProp))) Release(*held);
  ShowWindow(dialog, SW_HIDE);
  DestroyWindow(dialog);
}

namespace {
constexpr wchar_t kTabOrderProp[] = L"RumonaTabOrder";
constexpr wchar_t kDialogKeysProp[] = L"RumonaDialogKeys";
}  // namespace

bool CanTakeFocus(HWND hwnd) {
  if (!IsWindow(hwnd)) return false;
  // The control and its containers; the top-level window's own state is its opener's concern.
  for (HWND w = hwnd; GetWindowLongW(w, GWL_STYLE) & WS_CHILD; w = GetParent(w))
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) || !IsWindowEnabled(w)) return false;
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (lstrcmpiW(cls, L"Button") == 0 && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON))
    return IsChecked(hwnd);
  return true;
}

void SetTabOrder(HWND root, const std::vector<HWND>* order) {
  SetPropW(root, kTabOrderProp, reinterpret_cast<HANDLE>(const_cast<std::vector<HWND>*>(order)));
}

void UseDialogKeys(HWND window) { SetPropW(window, kDialogKeysProp, reinterpret_cast<HANDLE>(1)); }

void ForgetDialogKeys(HWND window) {
  RemovePropW(window, kDialogKeysProp);
  RemovePropW(window, kTabOrderProp);
}

HWND NextTabStop(HWND root, HWND from, bool backwards) {
  auto* order = static_cast<const std::vector<HWND>*>(GetPropW(root, kTabOrderProp));
  if (!order || order->empty()) return nullptr;
  const int n = static_cast<int>(order->size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if ((*order)[i] == from) at = i;
  for (int step = 1; step <= n; ++step) {
    int i = backwards ? (at - step + 2 * n) % n : (at + step) % n;
    if (at < 0) i = backwards ? n - step : step - 1;
    if (CanTakeFocus((*order)[i])) return (*order)[i];
  }
  return nullptr;
}

namespace {
bool PreTranslateDialogMessage(MSG& msg) {
  if (!msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetPropW(root, kTabOrderProp)) {
    if (HWND next = NextTabStop(root, GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
      SetFocus(next);
      if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next, EM_SETSEL, 0, -1);
    }
    return true;
  }
  if (!GetPropW(root, kDialogKeysProp)) return false;
  return IsDialogMessageW(root, &msg) != FALSE;
}
}  // namespace

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

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
  static const auto forDpi =  // Windows 10 1607
      User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT rc{0, 0, clientWidth, clientHeight};
  if (!forDpi || !forDpi(&rc, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace rumona
