#include "panel/frm_set.h"

namespace rumona {

// The keypad's behaviour arrives with the destination sign work.
void frmSet::Command2_Click(int16_t) {}

}  // namespace rumona
