#pragma once
// The keyboard of the program's windows: the message loops' dialog keys and tab order, and the
// control that keeps the focus across activations.
#include <windows.h>

namespace rumona {

// Whether a control can take the focus: it and its containers (not the top-level window) are
// enabled and visible, and of a group of option buttons only the selected one can.
bool CanTakeFocus(HWND control);

// Hands one message to its window, through the dialog-style keyboard handling (tab order, Tab,
// Enter and Esc) of whichever of the program's windows it belongs to.
void DispatchWithDialogKeys(MSG& msg);

// Processes every window message that is pending now, once.
void DoEvents();

// The shift state handlers receive with a key or a press: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState();

// The control that had the focus when its window lost the activation, focused again when the
// window gets it back, however that happens, as a dialog does. Without it the default activation
// hands the focus to the top-level window itself, where no control sees the keys.
class FocusMemory {
 public:
  // `first` takes the focus until another control has had it, or when that one cannot take it.
  void Set(HWND first) { first_ = last_ = first; }
  void Remember(HWND window);  // the focused control, if it is one of window's
  void Restore() const;        // also for WM_SETFOCUS of the window itself
  void OnActivate(HWND window, WPARAM wp) {
    if (LOWORD(wp) == WA_INACTIVE) Remember(window); else Restore();
  }

 private:
  HWND first_ = nullptr;
  HWND last_ = nullptr;
};

}  // namespace rumona
