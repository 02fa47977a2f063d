#pragma once
// A top-level window keeps its focused control while another window is active and gives it back
// when it is activated again, however that happens, as a dialog does. Without this the default
// activation hands the focus to the top-level window itself, where no control sees the keys.
#include <windows.h>

namespace rumona {

class FocusMemory {
 public:
  // `first` takes the focus when nothing else has had it, or when that control cannot take it.
  void Start(HWND first) { first_ = last_ = first; }

  // For WM_ACTIVATE: remembers the focused control on the way out, gives it back on the way in.
  void OnActivate(HWND window, WPARAM wp) {
    if (LOWORD(wp) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus && IsChild(window, focus)) last_ = focus;
    } else {
      Restore();
    }
  }

  // Also for WM_SETFOCUS of the window itself: the focus belongs to one of its controls.
  void Restore() const {
    if (CanTakeFocus(last_))
      SetFocus(last_);
    else if (CanTakeFocus(first_))
      SetFocus(first_);
  }

 private:
  static bool CanTakeFocus(HWND control) {
    return control && IsWindow(control) && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) &&
           IsWindowEnabled(control);
  }

  HWND first_ = nullptr;
  HWND last_ = nullptr;
};

}  // namespace rumona
