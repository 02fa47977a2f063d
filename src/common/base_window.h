#pragma once
// One small class per window. The object owns its window (destroying the object destroys the
// window) and what the program knows of it: its DPI, its controls' places in twips, its tab
// order, whether it takes dialog keys, and what a modal run of it holds still. `this` rides in
// through lpCreateParams and lives in GWLP_USERDATA; the derived class's HandleMessage is the
// window procedure.
#include <windows.h>
#include <windowsx.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "common/scoped_win.h"
#include "common/screen.h"
#include "common/twips_logic.h"

namespace rumona {

struct HeldWindows;

// A fixed dialog border: title bar and close box, no sizing, no minimize or maximize box, no
// icon. Overlapped, so that CW_USEDEFAULT gives the system's default place.
inline constexpr DWORD kFixedDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kFixedDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Registers a window class of this module once per process; true when it is registered now or
// already was. On false no window of the class can be created, so the caller's CreateWindowExW
// fails and its own failure path runs.
bool RegisterWindowClass(const wchar_t* name, WNDPROC proc, HBRUSH background = nullptr,
                         HICON icon = nullptr, UINT style = 0);

// A window that is never shown, to own a dialog; the caller destroys it after the dialog.
HWND CreateHiddenOwner();

// What every window object has, whatever its class.
class WindowCore {
 public:
  WindowCore(const WindowCore&) = delete;  // a window has exactly one object behind it
  WindowCore& operator=(const WindowCore&) = delete;

  HWND hwnd() const { return hwnd_; }
  // The DPI its contents are laid out at: its top-level window's.
  int dpi() const { return top_ ? top_->dpi_ : SystemDpi(); }
  // The object of the top-level window of `hwnd`, if that is one of the program's.
  static WindowCore* Of(HWND hwnd);

  // A top-level window's place on the screen, in twips.
  float Left() const { return WindowRectTw(hwnd_).left; }
  float Top() const { return WindowRectTw(hwnd_).top; }
  void SetLeftTop(float left, float top) { MoveWindowTw(hwnd_, left, top); }

  // A visible child control of `parent` (this window or one of its containers) at a place in
  // twips, with its id and font (null: the program's default font); `param` reaches
  // WM_NCCREATE. The place is kept, to lay the control out again at another DPI, unless the
  // control keeps its own. Null when the system refuses it; a window whose WM_CREATE makes
  // controls then fails its creation.
  HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style,
                   const RectTw& rect, int id, DWORD exStyle = 0, const ScopedFont* font = nullptr,
                   void* param = nullptr, bool keepPlace = true);

  // A mouse message's point in twips of the window's client area.
  float MouseXTw(LPARAM lp) const { return PixelsToTwips(GET_X_LPARAM(lp), dpi()); }
  float MouseYTw(LPARAM lp) const { return PixelsToTwips(GET_Y_LPARAM(lp), dpi()); }

 protected:
  WindowCore();
  ~WindowCore();
  // The window is this object's from WM_NCCREATE on; a top-level one is laid out at its DPI.
  void Attach(HWND hwnd, bool topLevel);
  // WM_DPICHANGED: the DPI taken, the fonts and pictures made for it (`make`), the rectangle the
  // system suggests taken, and the controls laid out again.
  template <class Make>
  void ChangeDpi(int dpi, const RECT& suggested, Make make) {
    dpi_ = dpi;
    make();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls();
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  // Tab, Enter and Esc as in a dialog, in every message loop of the program.
  void UseDialogKeys() { dialogKeys_ = true; }

  HWND hwnd_ = nullptr;
  // The focus order across nested containers that Tab and Shift+Tab walk, where the window has
  // one, instead of the per-container order of dialog navigation.
  std::vector<HWND> tabOrder_;

 private:
  friend bool PreTranslateDialogMessage(MSG& msg);
  friend void RunModal(WindowCore& dialog);
  friend void EndModal(WindowCore& dialog);
  void PlaceControls();

  struct ControlPlace {
    HWND hwnd;
    RectTw rect;
    const ScopedFont* font;
  };
  WindowCore* top_ = nullptr;  // the top-level window's object: itself, or its parent's
  int dpi_ = 0;
  std::vector<ControlPlace> places_;
  bool dialogKeys_ = false;
  HeldWindows* held_ = nullptr;  // while a modal run holds the other windows still
};

template <class Derived>
class BaseWindow : public WindowCore {
 protected:
  BaseWindow() = default;
  // The derived object is gone by now, so the window is detached from it before it is
  // destroyed: the messages of its destruction go to the default procedure.
  ~BaseWindow() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      const auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
      self = static_cast<Derived*>(create->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->Attach(hwnd, !(create->style & WS_CHILD));
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if constexpr (requires { self->MakeForDpi(); }) {
      if (msg == WM_DPICHANGED) {
        self->ChangeDpi(LOWORD(wp), *reinterpret_cast<const RECT*>(lp),
                        [self] { self->MakeForDpi(); });
        return 0;
      }
    }
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
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

  // Registers the class once and makes a visible child window of it for `top` (the top-level
  // window's object) at a place in twips, this object handling its messages; null when either
  // fails.
  HWND CreateChild(WindowCore& top, const wchar_t* className, UINT classStyle, HWND parent,
                   const RectTw& rect, DWORD style, DWORD exStyle = 0, const wchar_t* text = L"",
                   bool keepPlace = true) {
    if (!Register(className, nullptr, nullptr, classStyle)) return nullptr;
    return top.MakeControl(parent, className, text, style, rect, 0, exStyle, nullptr,
                           static_cast<Derived*>(this), keepPlace);
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

 private:
  SIZE OuterSize(int dpi) const {
    return OuterSizeForClient(TwipsToPixels(Derived::kClientWidthTw, dpi),
                              TwipsToPixels(Derived::kClientHeightTw, dpi), Derived::kStyle,
                              Derived::kExStyle, dpi);
  }

  ScopedWindow hiddenOwner_;  // goes after the window it owns, which the destructor ends
};

// The DPI a window's contents are laid out at: its top-level window's object's, the system's
// for a window not the program's.
inline int DpiOf(HWND hwnd) {
  const WindowCore* core = WindowCore::Of(hwnd);
  return core ? core->dpi() : SystemDpi();
}

std::wstring WindowText(HWND hwnd);

inline bool IsChecked(HWND button) {
  return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Stacks sibling controls in the given order, the first on top: dialog navigation follows the
// z-order of siblings. False when one of them is missing (was not made).
bool StackInOrder(std::initializer_list<HWND> order);

}  // namespace rumona
