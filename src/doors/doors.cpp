// The door strokes.
#include "doors/doors.h"

#include <algorithm>

#include "common/resource.h"
#include "doors/sound.h"
#include "doors/step_timer.h"

namespace rumona {

std::function<void()> doorStepObserver;

namespace {

bool MovesOnScreen(const RectTw& before, const RectTw& after, int dpi) {
  return !(ToPixels(before, dpi) == ToPixels(after, dpi));
}

// The door's moving rectangles (the front door twice, or the two leaves) and the area they cover.
struct DoorRects {
  RectTw a, b, bounds;
};

// A step is shown once the door has moved on the screen of the artwork's design, 96 DPI: a
// one-twip change moves a pixel edge there only every fifteenth step. On a finer screen the door
// then moves two pixels or so at a time: each frame covers the same distance at every scale,
// for the same work. Such a step waits for its place on the schedule and is shown at once; the
// others neither draw nor wait: their delays are slept before the next step that shows.
class Frames {
 public:
  Frames(const StrokeWindow& window, const DoorRects& door)
      : window_(window), frameDpi_(std::min(window.dpi, kBaseDpi)), shown_(door) {}
  // After a step: shows the door when it has moved far enough since it was last shown.
  void Step(StepTimer& timer, const DoorRects& door) {
    if (Moved(door, frameDpi_)) Show(timer, door);
    if (doorStepObserver) doorStepObserver();
  }
  // At the end: the last steps, where they moved only finer pixels than those.
  void End(StepTimer& timer, const DoorRects& door) {
    if (Moved(door, window_.dpi)) Show(timer, door);
  }

 private:
  bool Moved(const DoorRects& door, int dpi) const {
    return MovesOnScreen(shown_.a, door.a, dpi) || MovesOnScreen(shown_.b, door.b, dpi);
  }
  void Show(StepTimer& timer, const DoorRects& door) {
    timer.CatchUp();
    window_.repaint(shown_.bounds, door.bounds);
    shown_ = door;
  }
  const StrokeWindow& window_;
  const int frameDpi_;
  DoorRects shown_;
};

// Steps a door through the widths of `run`: `set` gives it a width, `now` its rectangles.
template <class Set, class Now>
void Stroke(const WidthRun& run, const StrokeWindow& window, Set set, Now now) {
  StepTimer timer;
  Frames frames(window, now());
  for (int k = 0; k < run.count; ++k) {
    set(run.At(k));
    frames.Step(timer, now());
    timer.Delay(window.speed());
  }
  frames.End(timer, now());
  timer.CatchUp();  // the last step's delay
}

}  // namespace

void FrontDoorStroke(bool open, RectTw& door, const StrokeWindow& window) {
  Stroke(StrokeWidths(open, door.width, kFrontDoorOpenTw, kFrontDoorClosedTw), window,
         [&](int width) { door.width = static_cast<float>(width); },
         [&] { return DoorRects{door, door, door}; });
}

void MiddleDoorStroke(bool open, Leaves leaves, RectTw& left, RectTw& right,
                      const StrokeWindow& window) {
  if (open)
    PlayWaveSync(IDR_WAVE_OPEN);  // the leaves wait for the buzzer's end
  else
    PlayWaveAsync(IDR_WAVE_CLOSE);  // the leaves move while it sounds
  Stroke(StrokeWidths(open, LeadingLeafWidth(leaves, left, right), kLeafOpenTw, kLeafClosedTw),
         window, [&](int width) { SetLeafWidths(leaves, width, left, right); },
         [&] { return DoorRects{left, right, MovingLeavesBounds(leaves, left, right)}; });
}

}  // namespace rumona
