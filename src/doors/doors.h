#pragma once
// The door animations live on the bus window (Form1::Check1_Click, Form1::Check2_Click); this is
// what they offer besides.
#include <functional>

namespace rumona {

// Called after each step has been shown and before its delay; empty unless a test or the
// benchmark watches the doors move.
extern std::function<void()> doorStepObserver;

}  // namespace rumona
