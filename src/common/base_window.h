#pragma once
// One small class per window: `this` rides in through lpCreateParams and lives in GWLP_USERDATA,
// and the derived class's HandleMessage is the window procedure.
#include <windows.h>

#include "common/window_parts.h"

namespace rumona {

template <class Derived>
class BaseWindow {
 public:
  HWND hwnd() const { return hwnd_; }

 protected:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = hwnd;
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
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

  HWND hwnd_ = nullptr;
};

}  // namespace rumona
