// The start of the program's windows: the panel and the bus window, wired once.
#include "start_windows.h"

#include "common/modal.h"

namespace rumona {

bool StartWindows(Form1& form, frmSet& panel) {
  // Every window of the program works through the panel: without it nothing can run.
  if (!panel.Create(form) || !form.Create(panel)) {
    const DWORD error = GetLastError();
    ShowMessage(nullptr, SystemErrorText(error ? error : ERROR_CANNOT_MAKE), MB_OK | MB_ICONHAND);
    return false;
  }
  ShowWindow(panel.hwnd(), SW_SHOW);  // modeless, no owner
  SetWindowPos(panel.hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);  // 0x43
  form.Show();
  return true;
}

}  // namespace rumona
