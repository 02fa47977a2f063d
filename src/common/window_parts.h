#pragma once
// What every window of the program does the same way: its class, its child controls, its place
// in twips, its keyboard (tab order, dialog keys, the control that keeps the focus across
// activations), message boxes and modal loops.
#include <windows.h>
#include <windowsx.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "common/app.h"
#include "common/scoped_win.h"
#include "common/twips_logic.h"

namespace rumona {

// A message box captioned with the application's title unless a caption is given. Without an
// owner and with MB_TASKMODAL, every window of the thread waits for it, and the window that was
// active is active again afterwards.
int ShowMessage(HWND owner, const std::wstring& text, UINT style = MB_OK,
                const wchar_t* caption = kAppTitle);

// Shows a window modally with no owner: every other window of the thread is disabled until the
// window is destroyed, while a nested message loop runs. Returns when it is gone, with the
// window that was active when it opened active again.
void RunModal(HWND dialog);
// Closes a window that RunModal shows, as EndDialog does: the other windows are enabled and the
// opener activated before it hides, so that the system does not hand the activation to the
// next window of another program.
void EndModal(HWND dialog);

// Gives a top-level window a focus order across its nested containers (Tab and Shift+Tab),
// instead of the per-container order that dialog navigation would take.
void SetTabOrder(HWND root, const std::vector<HWND>* order);
// Whether a control can take the focus: it and its containers (not the top-level window) are
// enabled and visible, and of a group of option buttons only the selected one can.
bool CanTakeFocus(HWND control);
// The next control in that order that can take the focus.
HWND NextTabStop(HWND root, HWND from, bool backwards);

// Gives a top-level window Tab, Enter and Esc as in a dialog, in every message loop of the
// program. ForgetDialogKeys takes that and its tab order off again as the window goes.
void UseDialogKeys(HWND window);
void ForgetDialogKeys(HWND window);
// Hands one message to its window, through the dialog-style keyboard handling of whichever
// window it belongs to.
void DispatchWithDialogKeys(MSG& msg);

// Processes every window message that is pending now, once.
void DoEvents();

// Client-area size in pixels -> outer window size for the given styles, with the frame of `dpi`
// (the system's frame where it cannot give another DPI's).
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// The DPI of the system: positions of top-level windows on the screen are twips at this DPI.
int SystemDpi();
// The DPI a window's contents are laid out at: its top-level window's, as recorded with
// SetWindowDpi when it was made or moved to a monitor of another DPI; the system's otherwise.
int DpiOf(HWND hwnd);
void SetWindowDpi(HWND topLevel, int dpi);
// The DPI the system has given a window: the monitor's where the system has per-monitor DPI.
int SystemDpiForWindow(HWND hwnd);

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

// Where a control lies in twips of its parent, and the font it is set in (null: the program's
// default font), so that it can be laid out again at another DPI.
struct ControlPlace {
  HWND hwnd;
  RectTw rect;
  const ScopedFont* font;
};
// The places of a top-level window's controls, which MakeControl adds to.
void KeepControlPlaces(HWND topLevel, std::vector<ControlPlace>* places);
// Lays the controls out again at the window's DPI, fonts and all.
void PlaceControls(HWND topLevel);

// A visible child control at a place in twips at its parent's DPI, with its id and font (null:
// the program's default font); `param` reaches WM_NCCREATE. Null when the system refuses it; a
// window whose WM_CREATE makes controls then fails its creation.
HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style,
                 const RectTw& rect, int id, DWORD exStyle = 0, const ScopedFont* font = nullptr,
                 void* param = nullptr);

std::wstring WindowText(HWND hwnd);

inline bool IsChecked(HWND button) {
  return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Stacks sibling controls in the given order, the first on top: dialog navigation follows the
// z-order of siblings. False when one of them is missing (was not made).
bool StackInOrder(std::initializer_list<HWND> order);

// A window's outer rectangle in twips of its parent's client area at the window's DPI (no
// parent: of the screen, at the system's DPI), and moving a window without activating it.
RectTw WindowRectTw(HWND hwnd, HWND parent = nullptr);
void MoveWindowTw(HWND hwnd, float left, float top);

// The shift state handlers receive with a key or a press: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState();
// A mouse message's point in twips of the window's client area.
inline float MouseXTw(HWND hwnd, LPARAM lp) { return PixelsToTwips(GET_X_LPARAM(lp), DpiOf(hwnd)); }
inline float MouseYTw(HWND hwnd, LPARAM lp) { return PixelsToTwips(GET_Y_LPARAM(lp), DpiOf(hwnd)); }

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
