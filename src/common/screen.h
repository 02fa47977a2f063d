#pragma once
// The display: the DPIs the system gives, a window's outer size for a client area, and the
// places of top-level windows on the screen, in twips at the system's DPI.
#include <windows.h>

#include "common/twips_logic.h"

namespace rumona {

// The DPI of the system: positions of top-level windows on the screen are twips at this DPI.
int SystemDpi();
// The DPI the system has given a window: the monitor's where the system has per-monitor DPI.
int SystemDpiForWindow(HWND hwnd);

// Client-area size in pixels -> outer window size for the given styles, with the frame of `dpi`
// (the system's frame where it cannot give another DPI's).
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// A top-level window's outer rectangle on the screen, and moving one without activating it.
RectTw WindowRectTw(HWND hwnd);
void MoveWindowTw(HWND hwnd, float left, float top);

}  // namespace rumona
