// The bus window's LoadIni and SaveIni: the settings record applied to both windows at start, and
// taken from them at the end.
#include "bus_window/form1.h"
#include "common/ansi.h"
#include "common/modal.h"
#include "settings/settings_file.h"

namespace rumona {

namespace {

// Where a window saved at (left, top) goes: there, even partly off screen, unless no monitor
// would show any of it (one that has since gone); then onto the nearest monitor's work area.
void PlaceReachable(WindowCore& window, double leftTw, double topTw) {
  const int dpi = SystemDpi();  // screen twips are at the system's DPI
  RECT rect{};
  if (!GetWindowRect(window.hwnd(), &rect)) return;  // no window to place
  OffsetRect(&rect, TwipsToPixels(leftTw, dpi) - rect.left, TwipsToPixels(topTw, dpi) - rect.top);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) ||
      !GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) {
    window.SetLeftTop(static_cast<float>(leftTw), static_cast<float>(topTw));
    return;
  }
  const RECT& work = info.rcWork;
  const ScreenRect moved =
      MoveInside({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top},
                 {work.left, work.top, work.right - work.left, work.bottom - work.top});
  window.SetLeftTop(PixelsToTwips(moved.left, dpi), PixelsToTwips(moved.top, dpi));
}

// Fields 5 to 9 go into the shared variables as soon as they are read, so that they stay stored
// when a later field fails.
void StoreSharedFields(Form1& form, const SettingsReadResult& read) {
  const SettingsRecord& r = read.record;
  if (read.fieldsRead >= 5) form.sign.StoreFolder(FromAnsi(r.signFolder));
  if (read.fieldsRead >= 6) form.strDir1 = FromAnsi(r.reservedText);
  if (read.fieldsRead >= 7) form.lngSpare[0] = r.spare0;
  if (read.fieldsRead >= 8) form.lngSpare[1] = r.spare1;
  if (read.fieldsRead >= 9) form.board.strKanbanPath = FromAnsi(r.kanbanPath);
}

// Applies a complete record in its fixed order; false at the first value that cannot be applied,
// with everything before it left applied.
bool ApplySettings(Form1& form, PanelControls& panel, const SettingsRecord& r) {
  PlaceReachable(form, r.busLeft, r.busTop);
  PlaceReachable(panel.Window(), r.panelLeft, r.panelTop);

  form.board.SetVisible(r.kanbanVisible);
  form.SetMenuChecked(kMnuViewKanban, r.kanbanVisible);
  form.board.SetFrameVisible(r.frameVisible);
  form.SetMenuChecked(kMnuViewWaku, r.frameVisible);

  form.board.Move(static_cast<float>(r.kanbanLeft), static_cast<float>(r.kanbanTop));
  // The windows show without waiting for the board's picture to be decoded. One deleted since
  // the last run leaves the board empty at its place; the path stays stored, and the rest of
  // the settings still apply.
  form.board.SetPicture(Picture());
  if (!form.board.strKanbanPath.empty())
    form.board.SetPictureWhenDecoded(form.board.strKanbanPath);
  form.PicKanban_DblClick();

  int16_t speed = 0;
  if (!NarrowSpeed(r.speed1, speed)) return false;
  panel.SetHScroll1Value(speed);
  if (!NarrowSpeed(r.speed2, speed)) return false;
  panel.SetHScroll2Value(speed);

  // A sign folder that is gone or holds no picture keeps the default sign; the folder stays
  // stored as read. An empty folder is accepted: the list keeps its folder.
  if (form.sign.PointListAtFolder() == ERROR_SUCCESS && !form.sign.Folder().empty())
    form.sign.ShowEntry(0);

  if (!ValidOption(r.option)) return false;
  panel.SelectOption1(r.option);
  return true;
}

// The fixed start when the settings cannot be read or applied; what was already applied stays.
void ApplyFallback(Form1& form, PanelControls& panel) {
  form.SetLeftTop(0, 0);
  panel.Window().SetLeftTop(0, form.OuterHeightTw());
  form.MnuKanbanReset_Click();
  panel.SetHScroll1Value(10000);
  panel.SetHScroll2Value(6000);
  panel.SelectOption1(0);
}


}  // namespace

void Form1::LoadIni() {
  const SettingsReadResult read = ReadSettingsFile();
  StoreSharedFields(*this, read);
  if (!read.complete() || !ApplySettings(*this, *panel_, read.record))
    ApplyFallback(*this, *panel_);
}

// A file that cannot be written is named in a message, since the process ends right after; the
// old file stays as it was.
void Form1::SaveIni() {
  const PanelControls& panel = *panel_;
  SettingsRecord r;
  r.option = panel.Option1Value(0) ? 0 : panel.Option1Value(1) ? 1 : 2;
  r.busLeft = Left();
  r.busTop = Top();
  r.panelLeft = panel_->Window().Left();
  r.panelTop = panel_->Window().Top();
  r.signFolder = ToAnsi(sign.Folder());
  r.reservedText = ToAnsi(strDir1);
  r.spare0 = lngSpare[0];
  r.spare1 = lngSpare[1];
  r.kanbanPath = ToAnsi(board.strKanbanPath);
  const RectTw boardRect = board.Rect();
  r.kanbanLeft = boardRect.left;
  r.kanbanTop = boardRect.top;
  r.kanbanVisible = MenuChecked(kMnuViewKanban);
  r.frameVisible = MenuChecked(kMnuViewWaku);
  r.speed1 = panel.HScroll1Value();
  r.speed2 = panel.HScroll2Value();
  const std::wstring failed = WriteSettingsFile(r);
  if (!failed.empty())
    ShowMessage(nullptr, L"設定を保存できませんでした。\n" + failed, MB_OK | MB_TASKMODAL);
}

}  // namespace rumona
