#include "bus_window/form1.h"

namespace rumona {

// The version dialog; it arrives with the version dialog work.
void Form1::MnuHelpVer_Click() {}

}  // namespace rumona
