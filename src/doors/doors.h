#pragma once
// The door animations are procedures of the bus window: Form1::Check1_Click and Check2_Click,
// with the speed readouts Form1::HScroll1_Change and HScroll2_Change, in doors.cpp. This is what
// they offer besides.
#include <functional>

namespace rumona {

// Called after each step has been shown and before its delay; empty unless a test or the
// benchmark watches the doors move.
extern std::function<void()> doorStepObserver;

}  // namespace rumona
