// The door strokes and the speed readouts: procedures of the bus window that the panel calls.
#include "doors/doors.h"

#include <string>

#include "bus_window/form1.h"
#include "doors/doors_logic.h"
#include "doors/sound.h"
#include "doors/step_timer.h"
#include "panel/frm_set.h"
#include "resource.h"

namespace rumona {

std::function<void()> doorStepObserver;

namespace {

bool MovesOnScreen(const RectTw& before, const RectTw& after, int dpi) {
  return !(ToPixels(before, dpi) == ToPixels(after, dpi));
}

// A one-twip change moves a pixel edge only every fifteenth step at 96 DPI (every seventh or
// eighth at 192). Such a step waits for its
// place on the schedule and is shown at once; the others leave the screen as it is, so they
// neither draw nor wait: their delays are slept before the next step that shows.
void ShowStep(Form1& form, StepTimer& timer, bool moved, const RectTw& before,
              const RectTw& after) {
  if (moved) {
    timer.CatchUp();
    form.RepaintNow(before, after);
  }
  if (doorStepObserver) doorStepObserver();
}

}  // namespace

void Form1::Check1_Click() {
  frmSet& panel = this->panel();
  const WidthRun run =
      StrokeWidths(panel.Check1Value() != 0, Image1.rect.width, kFrontDoorOpenTw, kFrontDoorClosedTw);
  StepTimer timer;
  for (int k = 0; k < run.count; ++k) {
    const RectTw before = Image1.rect;
    Image1.rect.width = static_cast<float>(run.At(k));
    ShowStep(*this, timer, MovesOnScreen(before, Image1.rect, dpi()), before, Image1.rect);
    timer.Delay(panel.HScroll1Value());  // read at every step
  }
  timer.CatchUp();  // the last step's delay
}

void Form1::Check2_Click() {
  frmSet& panel = this->panel();
  const bool open = panel.Check2Value() != 0;
  if (open)
    PlayWaveSync(IDR_WAVE_OPEN);  // the leaves wait for the buzzer's end
  else
    PlayWaveAsync(IDR_WAVE_CLOSE);  // the leaves move while it sounds
  const int dpi = this->dpi();
  const Leaves leaves = ChooseLeaves(panel.Option1Value(0), panel.Option1Value(1));
  RectTw& left = imgNakaorido[0].rect;
  RectTw& right = imgNakaorido[1].rect;
  const WidthRun run =
      StrokeWidths(open, LeadingLeafWidth(leaves, left, right), kLeafOpenTw, kLeafClosedTw);
  StepTimer timer;
  for (int k = 0; k < run.count; ++k) {
    const RectTw leftBefore = left, rightBefore = right;
    SetLeafWidths(leaves, run.At(k), left, right);
    const bool moved =
        MovesOnScreen(leftBefore, left, dpi) || MovesOnScreen(rightBefore, right, dpi);
    ShowStep(*this, timer, moved,
             MovingLeavesBounds(leaves, leftBefore, rightBefore),
             MovingLeavesBounds(leaves, left, right));
    timer.Delay(panel.HScroll2Value());
  }
  timer.CatchUp();
}

void Form1::HScroll1_Change() {
  frmSet& panel = this->panel();
  SetWindowTextW(panel.lblMaeSpeed, std::to_wstring(panel.HScroll1Value()).c_str());
}

void Form1::HScroll2_Change() {
  frmSet& panel = this->panel();
  SetWindowTextW(panel.lblNakaSpeed, std::to_wstring(panel.HScroll2Value()).c_str());
}

}  // namespace rumona
