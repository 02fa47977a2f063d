#pragma once
// Message boxes and modal windows: every other window of the thread held still while one runs,
// and the window that was active before active again afterwards.
#include <windows.h>

#include <string>

#include "common/app.h"

namespace rumona {

class WindowCore;

// A message box captioned with the application's title unless a caption is given. Without an
// owner and with MB_TASKMODAL, every window of the thread waits for it, and the window that was
// active is active again afterwards.
int ShowMessage(HWND owner, const std::wstring& text, UINT style = MB_OK,
                const wchar_t* caption = kAppTitle);

// Shows a window modally with no owner: every other window of the thread is disabled until the
// window is destroyed, while a nested message loop runs. Returns when it is gone, with the
// window that was active when it opened active again.
void RunModal(WindowCore& dialog);
// Closes a window that RunModal shows, as EndDialog does: the other windows are enabled and the
// opener activated before it hides, so that the system does not hand the activation to the
// next window of another program.
void EndModal(WindowCore& dialog);

}  // namespace rumona
