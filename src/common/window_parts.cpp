#include "common/window_parts.h"

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

HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style,
                 const RectTw& rect, int id, DWORD exStyle, HFONT font, void* param) {
  const RectPx px = ToPixels(rect);
  HWND hwnd = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, px.left, px.top,
                              px.width(), px.height(), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), param);
  if (hwnd && font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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

RectTw WindowRectTw(HWND hwnd, HWND parent) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  return RectTw{static_cast<float>(rc.left * kTwipsPerPixel),
                static_cast<float>(rc.top * kTwipsPerPixel),
                static_cast<float>((rc.right - rc.left) * kTwipsPerPixel),
                static_cast<float>((rc.bottom - rc.top) * kTwipsPerPixel)};
}

void MoveWindowTw(HWND hwnd, float left, float top) {
  SetWindowPos(hwnd, nullptr, TwipsToPixels(left), TwipsToPixels(top), 0, 0,
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

}  // namespace rumona
