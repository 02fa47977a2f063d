#include "bus_window/form1.h"

namespace rumona {

// Listing the sign folder and stepping through it arrive with the destination sign work.
void Form1::picDir() {}

void Form1::Picture1_KeyDown(int16_t, int) {}

}  // namespace rumona
