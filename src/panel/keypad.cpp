// The sign-number keypad of the panel: digits into its display, "設定" shows that entry.
#include "panel/frm_set.h"
#include "panel/panel_logic.h"

namespace rumona {

void frmSet::Command2_Click(int16_t index) {
  if (index >= 0 && index <= 9) {
    const std::wstring display = WindowText(Label1);
    const std::wstring next = KeypadAfterDigit(display, index);
    if (next != display) SetWindowTextW(Label1, next.c_str());
    return;
  }
  if (index == kKeypadClear) {
    SetWindowTextW(Label1, L"");
    return;
  }
  // Every failure from here on leaves the sign as it is, silently; the display keeps its digits
  // and the arrow keys' position is not moved.
  if (index == kKeypadSet) bus_->ShowSignNumber(KeypadEntryNumber(WindowText(Label1)));
}

}  // namespace rumona
