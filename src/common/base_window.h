#pragma once
// One small class per window: `this` rides in through lpCreateParams and lives in GWLP_USERDATA,
// and the derived class's HandleMessage is the window procedure. The object owns its window:
// destroying the object destroys the window.
#include <windows.h>

#include <optional>
#include <vector>

#include "common/scoped_win.h"
#include "common/window_parts.h"

namespace rumona {

template <class Derived>
class BaseWindow {
 public:
  BaseWindow(const BaseWindow&) = delete;  // a window has exactly one object behind it
  BaseWindow& operator=(const BaseWindow&) = delete;
  HWND hwnd() const { return hwnd_; }
  // The DPI its contents are laid out at; kept here, since a door step asks for it each time.
  int dpi() const { return dpi_ ? dpi_ : DpiOf(hwnd_); }

  // A top-level window's place on the screen, in twips.
  float Left() const { return WindowRectTw(hwnd_).left; }
  float Top() const { return WindowRectTw(hwnd_).top; }
  void SetLeftTop(float left, float top) { MoveWindowTw(hwnd_, left, top); }

 protected:
  BaseWindow() = default;
  // The derived object is gone by now, so the window is detached from it before it is
  // destroyed: the messages of its destruction go to the default procedure.
  ~BaseWindow() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ForgetDialogKeys(hwnd_);
    DestroyWindow(hwnd_);
  }
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      const auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
      self = static_cast<Derived*>(create->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = hwnd;
      if (!(create->style & WS_CHILD)) {  // a top-level window lays its controls out at its DPI
        self->dpi_ = SystemDpiForWindow(hwnd);
        SetWindowDpi(hwnd, self->dpi_);
        KeepControlPlaces(hwnd, &self->controlPlaces_);
      }
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      ForgetDialogKeys(hwnd);
      LRESULT r = self->HandleMessage(msg, wp, lp);
      self->hwnd_ = nullptr;
      return r;
    }
    return self->HandleMessage(msg, wp, lp);
  }

  // Registers the class once per process; false when it cannot be (see RegisterWindowClass).
  static bool Register(const wchar_t* className, HBRUSH background, HICON icon = nullptr,
                       UINT style = 0) {
    return RegisterWindowClass(className, &BaseWindow::WindowProc, background, icon, style);
  }

  // Creates the top-level window at (x, y) with the derived class's style and a client area of
  // its kClientWidthTw x kClientHeightTw at its DPI; false when the system refuses it. A dialog
  // is owned by a window that is never shown: so it gets no taskbar button and belongs to no
  // visible window.
  bool CreateTopLevel(const wchar_t* className, const wchar_t* title, int x, int y,
                      bool dialog = false) {
    if (dialog) hiddenOwner_.reset(CreateHiddenOwner());
    const SIZE outer = OuterSize(SystemDpi());
    if (!CreateWindowExW(Derived::kExStyle, className, title, Derived::kStyle, x, y, outer.cx,
                         outer.cy, hiddenOwner_.get(), nullptr, GetModuleHandleW(nullptr),
                         static_cast<Derived*>(this)))
      return false;
    if (dpi() != SystemDpi()) {  // made on a monitor of another DPI than the system's
      const SIZE size = OuterSize(dpi());
      SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
  }

  SIZE ClientSize() const {
    return {TwipsToPixels(Derived::kClientWidthTw, dpi()),
            TwipsToPixels(Derived::kClientHeightTw, dpi())};
  }

  // WM_DPICHANGED: the window makes its fonts and pictures for the new DPI (the derived class's
  // MakeForDpi), takes the rectangle the system suggests, and lays its controls out again.
  void MoveToNewDpi(WPARAM wp, LPARAM lp) {
    dpi_ = LOWORD(wp);
    SetWindowDpi(hwnd_, dpi_);
    static_cast<Derived*>(this)->MakeForDpi();
    const RECT& r = *reinterpret_cast<const RECT*>(lp);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls(hwnd_);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  // Registers the class once and makes a visible child window of it at a place in twips, this
  // object handling its messages; null when either fails.
  HWND CreateChild(const wchar_t* className, UINT classStyle, HWND parent, const RectTw& rect,
                   DWORD style, DWORD exStyle = 0, const wchar_t* text = L"") {
    if (!Register(className, nullptr, nullptr, classStyle)) return nullptr;
    return MakeControl(parent, className, text, style, rect, 0, exStyle, nullptr,
                       static_cast<Derived*>(this));
  }

  // For a window that paints all of its area itself: answers WM_ERASEBKGND, and WM_PAINT and
  // WM_PRINTCLIENT through paint(dc, area to paint); nothing for any other message.
  template <class Paint>
  std::optional<LRESULT> PaintMessage(UINT msg, WPARAM wp, Paint paint) {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_PAINT) {
      const ScopedPaint ps(hwnd_);
      paint(ps.dc(), ps.rect());
    } else if (msg == WM_PRINTCLIENT) {
      RECT rc;
      GetClientRect(hwnd_, &rc);
      paint(reinterpret_cast<HDC>(wp), rc);
    } else {
      return std::nullopt;
    }
    return 0;
  }

  HWND hwnd_ = nullptr;

 private:
  int dpi_ = 0;  // a top-level window's; 0 for a child, which takes its top-level window's
  SIZE OuterSize(int dpi) const {
    return OuterSizeForClient(TwipsToPixels(Derived::kClientWidthTw, dpi),
                              TwipsToPixels(Derived::kClientHeightTw, dpi), Derived::kStyle,
                              Derived::kExStyle, dpi);
  }

  std::vector<ControlPlace> controlPlaces_;
  ScopedWindow hiddenOwner_;  // goes after the window it owns, which the destructor ends
};

}  // namespace rumona
