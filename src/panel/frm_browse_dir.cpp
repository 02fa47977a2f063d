#include "bus_window/form1.h"

namespace rumona {

// The sign folder chooser; it arrives with the destination sign work.
void Form1::MnuEditHkPic_Click() {}

}  // namespace rumona
