#include "bus_window/form1.h"
#include "panel/frm_set.h"

namespace rumona {

// Reading the settings file arrives with the settings work; until then every start uses the
// fixed defaults.
void Form1::LoadIni() {
  SetLeftTop(0, 0);
  frmSet& panel = frmSet::Get();
  panel.SetLeftTop(0, OuterHeightTw());
  MnuKanbanReset_Click();
  panel.SetHScroll1Value(10000);
  panel.SetHScroll2Value(6000);
  panel.SelectOption1(0);
}

void Form1::SaveIni() {}

}  // namespace rumona
