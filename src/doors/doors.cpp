#include <string>

#include "bus_window/form1.h"
#include "panel/frm_set.h"

namespace rumona {

// The door animations arrive with the doors work.
void Form1::Check1_Click() {}
void Form1::Check2_Click() {}

void Form1::HScroll1_Change() {
  frmSet& panel = frmSet::Get();
  SetWindowTextW(panel.lblMaeSpeed, std::to_wstring(panel.HScroll1Value()).c_str());
}

void Form1::HScroll2_Change() {
  frmSet& panel = frmSet::Get();
  SetWindowTextW(panel.lblNakaSpeed, std::to_wstring(panel.HScroll2Value()).c_str());
}

}  // namespace rumona
