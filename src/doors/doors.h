#pragma once
// The door strokes: a door's rectangles stepped from where they stand to open or closed, one
// twip a step, each step that moves a pixel repainted at once and paced by the speed.
#include <functional>

#include "common/twips_logic.h"
#include "doors/doors_logic.h"

namespace rumona {

// What a stroke needs of the window it runs in.
struct StrokeWindow {
  int dpi;  // its contents' DPI: a step that moves no pixel edge is not drawn
  // Repaints the union of two rectangles of the window at once, without pumping messages.
  std::function<void(const RectTw& before, const RectTw& after)> repaint;
  std::function<int()> speed;  // a step's delay in 100 ns, read at every step
};

// The front door's stroke to open or closed; returns when it has ended.
void FrontDoorStroke(bool open, RectTw& door, const StrokeWindow& window);
// The middle door's: the chosen leaves move, after the opening buzzer or while the closing sound
// plays.
void MiddleDoorStroke(bool open, Leaves leaves, RectTw& left, RectTw& right,
                      const StrokeWindow& window);

// Called after each step has been shown and before its delay; empty unless a test or the
// benchmark watches the doors move.
extern std::function<void()> doorStepObserver;

}  // namespace rumona
