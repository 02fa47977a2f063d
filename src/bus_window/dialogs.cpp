#include "bus_window/form1.h"

namespace rumona {

// The sign folder chooser; it arrives with the destination sign work.
void Form1::MnuEditHkPic_Click() {}

// The version dialog; it arrives with the version dialog work.
void Form1::MnuHelpVer_Click() {}

}  // namespace rumona
