// The program's entry: its two windows, then the message loop until the bus window ends it.
#include <windows.h>

#include "common/keyboard.h"
#include "start_windows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  rumona::frmSet panel;
  rumona::Form1 form;
  if (!rumona::StartWindows(form, panel)) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) rumona::DispatchWithDialogKeys(msg);
  return 0;
}
