#pragma once
// Where the program's two lasting windows are made and introduced to each other.
#include "bus_window/form1.h"
#include "panel/frm_set.h"

namespace rumona {

// Creates the panel and the bus window, each handed the other, loads the settings into them and
// shows them: the panel on top of all windows first, then the bus window, active. When the system
// refuses one of them, says why and returns false.
bool StartWindows(Form1& form, frmSet& panel);

}  // namespace rumona
