// The door strokes.
#include "doors/doors.h"

#include "common/resource.h"
#include "doors/sound.h"
#include "doors/step_timer.h"

namespace rumona {

std::function<void()> doorStepObserver;

namespace {

bool MovesOnScreen(const RectTw& before, const RectTw& after, int dpi) {
  return !(ToPixels(before, dpi) == ToPixels(after, dpi));
}

// A one-twip change moves a pixel edge only every fifteenth step at 96 DPI (every seventh or
// eighth at 192). Such a step waits for its place on the schedule and is shown at once; the
// others leave the screen as it is, so they neither draw nor wait: their delays are slept before
// the next step that shows.
void ShowStep(const StrokeWindow& window, StepTimer& timer, bool moved, const RectTw& before,
              const RectTw& after) {
  if (moved) {
    timer.CatchUp();
    window.repaint(before, after);
  }
  if (doorStepObserver) doorStepObserver();
}

}  // namespace

void FrontDoorStroke(bool open, RectTw& door, const StrokeWindow& window) {
  const WidthRun run = StrokeWidths(open, door.width, kFrontDoorOpenTw, kFrontDoorClosedTw);
  StepTimer timer;
  for (int k = 0; k < run.count; ++k) {
    const RectTw before = door;
    door.width = static_cast<float>(run.At(k));
    ShowStep(window, timer, MovesOnScreen(before, door, window.dpi), before, door);
    timer.Delay(window.speed());
  }
  timer.CatchUp();  // the last step's delay
}

void MiddleDoorStroke(bool open, Leaves leaves, RectTw& left, RectTw& right,
                      const StrokeWindow& window) {
  if (open)
    PlayWaveSync(IDR_WAVE_OPEN);  // the leaves wait for the buzzer's end
  else
    PlayWaveAsync(IDR_WAVE_CLOSE);  // the leaves move while it sounds
  const WidthRun run =
      StrokeWidths(open, LeadingLeafWidth(leaves, left, right), kLeafOpenTw, kLeafClosedTw);
  StepTimer timer;
  for (int k = 0; k < run.count; ++k) {
    const RectTw leftBefore = left, rightBefore = right;
    SetLeafWidths(leaves, run.At(k), left, right);
    const bool moved = MovesOnScreen(leftBefore, left, window.dpi) ||
                       MovesOnScreen(rightBefore, right, window.dpi);
    ShowStep(window, timer, moved, MovingLeavesBounds(leaves, leftBefore, rightBefore),
             MovingLeavesBounds(leaves, left, right));
    timer.Delay(window.speed());
  }
  timer.CatchUp();
}

}  // namespace rumona
