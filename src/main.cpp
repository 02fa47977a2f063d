#include <windows.h>

#include "bus_window/form1.h"
#include "common/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  rumona::Form1 form;
  if (!form.Create()) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) rumona::DispatchWithDialogKeys(msg);
  return 0;
}
