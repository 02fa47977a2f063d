// The display's DPIs and the places of top-level windows on the screen.
#include "common/screen.h"

#include "common/scoped_win.h"

namespace rumona {

namespace {
// A function of user32 that older systems lack: null there.
template <class F>
F User32(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
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

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
  static const auto forDpi =  // Windows 10 1607
      User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT rc{0, 0, clientWidth, clientHeight};
  if (!forDpi || !forDpi(&rc, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

RectTw WindowRectTw(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const int dpi = SystemDpi();
  return RectTw{PixelsToTwips(rc.left, dpi), PixelsToTwips(rc.top, dpi),
                PixelsToTwips(rc.right - rc.left, dpi), PixelsToTwips(rc.bottom - rc.top, dpi)};
}

void MoveWindowTw(HWND hwnd, float left, float top) {
  SetWindowPos(hwnd, nullptr, TwipsToPixels(left, SystemDpi()), TwipsToPixels(top, SystemDpi()),
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rumona
