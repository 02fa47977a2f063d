// The window objects' shared part: which windows are the program's, their DPI and their
// controls' places.
#include "common/base_window.h"

#include <algorithm>

#include "common/app.h"

namespace rumona {

namespace {
// The window objects alive: every window of the program is made and used on its one GUI thread.
std::vector<WindowCore*>& Live() {
  static std::vector<WindowCore*> live;
  return live;
}

HFONT FontOf(const ScopedFont* font, int dpi) { return font ? font->get() : DefaultUiFont(dpi); }
}  // namespace

WindowCore::WindowCore() { Live().push_back(this); }

WindowCore::~WindowCore() { std::erase(Live(), this); }

WindowCore* WindowCore::Of(HWND hwnd) {
  const HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  if (!root) return nullptr;
  const auto found = std::ranges::find(Live(), root, &WindowCore::hwnd_);
  return found == Live().end() ? nullptr : *found;
}

void WindowCore::Attach(HWND hwnd, bool topLevel) {
  hwnd_ = hwnd;
  if (topLevel) {
    top_ = this;
    dpi_ = SystemDpiForWindow(hwnd);
  } else {
    top_ = Of(GetParent(hwnd));
  }
}

HWND WindowCore::MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style,
                             const RectTw& rect, int id, DWORD exStyle, const ScopedFont* font,
                             void* param, bool keepPlace) {
  const RectPx px = ToPixels(rect, dpi());
  HWND hwnd = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, px.left, px.top,
                              px.width(), px.height(), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), param);
  if (!hwnd) return nullptr;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(font, dpi())), FALSE);
  if (keepPlace) places_.push_back({hwnd, rect, font});
  return hwnd;
}

void WindowCore::PlaceControls() {
  for (const ControlPlace& c : places_) {
    const RectPx px = ToPixels(c.rect, dpi_);
    SetWindowPos(c.hwnd, nullptr, px.left, px.top, px.width(), px.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(c.font, dpi_)), TRUE);
  }
}

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

}  // namespace rumona
