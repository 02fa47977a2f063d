// The control panel: its controls, their look, and the handlers that drive the bus window.
#include "panel/frm_set.h"

#include <algorithm>
#include <string>

#include "common/accessible_name.h"
#include "common/app.h"
#include "doors/doors_logic.h"
#include "panel/panel_logic.h"
#include "common/resource.h"

namespace rumona {

constexpr wchar_t kPanelClass[] = L"RumonaFrmSet";

bool frmSet::Create(BusProcedures& bus) {
  bus_ = &bus;
  if (!Register(kPanelClass, panelBrush_.get()) ||
      !CreateTopLevel(kPanelClass, L"設定パネル", 0, 0))
    return false;
  UseDialogKeys();
  return true;
}

void frmSet::MakeForDpi() {
  digitFont_.reset(CreateJapaneseFont(JapaneseFace::kPGothic, 12, dpi()));
  displayFont_.reset(CreateJapaneseFont(JapaneseFace::kGothic, 14.25, dpi()));
  maePicture_ = Picture::Artwork(IDB_BUTTON_MAE, dpi());
  nakaPicture_ = Picture::Artwork(IDB_BUTTON_NAKA, dpi());
  if (!Check1) return;  // the buttons take them as they are made
  SendMessageW(Check1, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(maePicture_.bitmap()));
  SendMessageW(Check2, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(nakaPicture_.bitmap()));
}

bool frmSet::CreateControls() {
  MakeForDpi();

  // Creation order.
  Command3 = MakeControl(hwnd_, L"BUTTON", L"バージョン情報", WS_TABSTOP | BS_PUSHBUTTON,
                         {720, 2145, 1515, 360}, 0);
  FrameA = frameA_.Create(*this, hwnd_, {30, 30, 2190, 1965}, nullptr, 0x000000);
  HScroll1 =
      MakeControl(FrameA, L"SCROLLBAR", L"", WS_TABSTOP | SBS_HORZ, {855, 195, 1260, 240}, 0);
  HScroll2 =
      MakeControl(FrameA, L"SCROLLBAR", L"", WS_TABSTOP | SBS_HORZ, {840, 840, 1230, 240}, 0);
  for (int i = 0; i < 2; ++i) {
    HWND bar = i == 0 ? HScroll1 : HScroll2;
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_POS | SIF_PAGE, kSpeedMin, kSpeedMax, 0,
                  scrollValue_[i], 0};
    SetScrollInfo(bar, SB_CTL, &si, FALSE);
  }
  // The speed bars are named once the windows show: the names start COM, which start-up need not
  // wait for.
  PostMessageW(hwnd_, kNameBarsMessage, 0, 0);
  // A bitmap button shows its picture only: its caption names it for assistive technology.
  const DWORD doorStyle = WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_BITMAP;
  Check2 = MakeControl(FrameA, L"BUTTON", L"中扉", doorStyle, {60, 840, 735, 525}, 0);
  Check1 = MakeControl(FrameA, L"BUTTON", L"前扉", doorStyle, {75, 165, 735, 510}, 0);
  SendMessageW(Check1, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(maePicture_.bitmap()));
  SendMessageW(Check2, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(nakaPicture_.bitmap()));
  Frame2 = frame2_.Create(*this, FrameA, {60, 1410, 2085, 480}, L"中扉動作", 0xE0E0E0);
  const RectTw optionRects[3] = {{60, 180, 735, 270}, {795, 180, 570, 270}, {1470, 165, 555, 270}};
  const wchar_t* optionCaptions[3] = {L"両方", L"左", L"右"};
  for (int i = 0; i < 3; ++i)
    Option1[i] = MakeControl(Frame2, L"BUTTON", optionCaptions[i],
                             WS_TABSTOP | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0),
                             optionRects[i], 0);
  SendMessageW(Option1[0], BM_SETCHECK, BST_CHECKED, 0);
  const DWORD readout = SS_RIGHT | SS_NOPREFIX;
  lblMaeSpeed =
      MakeControl(FrameA, L"STATIC", L"0", readout, {885, 450, 1215, 240}, 0, WS_EX_STATICEDGE);
  lblNakaSpeed =
      MakeControl(FrameA, L"STATIC", L"0", readout, {870, 1110, 1200, 240}, 0, WS_EX_STATICEDGE);
  Frame1 = frame1_.Create(*this, hwnd_, {2265, 0, 1620, 2505}, nullptr, 0x404040);
  Command1 = MakeControl(Frame1, L"BUTTON", L"方向幕フォルダー", WS_TABSTOP | BS_PUSHBUTTON,
                         {75, 2190, 1530, 270}, 0);

  // The keypad, created from index 11 down to 0.
  const wchar_t* captions[12] = {L"0", L"1", L"2", L"3", L"4", L"5",
                                 L"6", L"7", L"8", L"9", L"C", L"設定"};
  for (int i = 11; i >= 0; --i) {
    const DWORD look = i >= 10 ? BS_OWNERDRAW : BS_PUSHBUTTON;
    Command2[i] = MakeControl(Frame1, L"BUTTON", captions[i], WS_TABSTOP | look,
                              KeypadKeyRect(i), 0, 0,
                              i < 10 ? &digitFont_ : nullptr);
  }
  Label1 = MakeControl(Frame1, L"STATIC", L"", SS_RIGHT | SS_NOPREFIX | SS_CENTERIMAGE,
                       {90, 240, 1455, 315}, 0, WS_EX_STATICEDGE, &displayFont_);
  focus_.Set(Command2[0]);
  return ApplyTabOrder();
}

bool frmSet::ApplyTabOrder() {
  // Focus order follows the z-order of siblings, so stack each container's children by tab index.
  const auto order = {Frame1,      Command2[0],  Command2[1], Command2[2], Command2[3],
                       Command2[4], Command2[5],  Command2[6], Command2[7], Command2[8],
                       Command2[9], Command2[10], Command2[11], Label1,     FrameA,
                       Frame2,      Option1[2],   Option1[1],  Option1[0], Check1,
                       Check2,      HScroll2,     HScroll1,    lblNakaSpeed, lblMaeSpeed,
                       Command3,    Command1};
  if (!StackInOrder(order)) return false;
  // Tab walks the tab stops in this order across the containers.
  tabOrder_.clear();
  for (HWND hwnd : order)
    if (GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) tabOrder_.push_back(hwnd);
  return true;
}

bool frmSet::Option1Value(int index) const {
  return index >= 0 && index <= 2 && IsChecked(Option1[index]);
}

void frmSet::SelectOption1(int index) {
  for (int i = 0; i < 3; ++i)
    SendMessageW(Option1[i], BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void frmSet::SetScrollValue(int bar, int value) {
  value = std::clamp(value, kSpeedMin, kSpeedMax);
  HWND hwnd = bar == 0 ? HScroll1 : HScroll2;
  SetScrollPos(hwnd, SB_CTL, value, TRUE);
  if (value == scrollValue_[bar]) return;
  scrollValue_[bar] = value;
  if (bar == 0) HScroll1_Change(); else HScroll2_Change();
}

void frmSet::OnScroll(HWND bar, int code) {
  const int index = bar == HScroll1 ? 0 : bar == HScroll2 ? 1 : -1;
  if (index < 0) return;
  int value = scrollValue_[index];
  switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT: value -= 1; break;  // small and large change are both 1
    case SB_LINERIGHT:
    case SB_PAGERIGHT: value += 1; break;
    case SB_LEFT: value = kSpeedMin; break;
    case SB_RIGHT: value = kSpeedMax; break;
    case SB_THUMBPOSITION: {  // the thumb released after a drag
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(bar, SB_CTL, &si);
      value = si.nTrackPos;
      break;
    }
    default:
      return;  // dragging the thumb changes nothing until it is released
  }
  SetScrollValue(index, value);
}

void frmSet::Check1_Click() { bus_->Check1_Click(); }

void frmSet::Check2_Click() {
  // The option group is locked while the middle door stands open.
  const bool open = Check2Value() == 1;
  EnableWindow(Frame2, !open);
  for (HWND option : Option1) EnableWindow(option, !open);
  bus_->Check2_Click();
}

// The readouts show the bars' values.
void frmSet::HScroll1_Change() {
  SetWindowTextW(lblMaeSpeed, std::to_wstring(scrollValue_[0]).c_str());
}
void frmSet::HScroll2_Change() {
  SetWindowTextW(lblNakaSpeed, std::to_wstring(scrollValue_[1]).c_str());
}
void frmSet::Command1_Click() { bus_->MnuEditHkPic_Click(); }
void frmSet::Command3_Click() { bus_->MnuHelpVer_Click(); }

void frmSet::OnCommand(int code, HWND control) {
  if (!control || (code != BN_CLICKED && code != BN_DOUBLECLICKED)) return;
  if (const auto key = std::ranges::find(Command2, control); key != Command2.end())
    Command2_Click(static_cast<int16_t>(key - Command2.begin()));
  else if (control == Check1) Check1_Click();
  else if (control == Check2) Check2_Click();
  else if (control == Command1) Command1_Click();
  else if (control == Command3) Command3_Click();
}

LRESULT frmSet::OnCtlColor(HDC dc, HWND control) {
  const bool readout = control == lblMaeSpeed || control == lblNakaSpeed || control == Label1;
  if (readout) SetTextColor(dc, control == Label1 ? 0x0080FF : 0x80C0FF);
  if (readout || control == Check1 || control == Check2) {
    SetBkColor(dc, 0x000000);
    return reinterpret_cast<LRESULT>(blackBrush_.get());
  }
  if (std::ranges::find(Option1, control) != Option1.end()) {
    SetBkColor(dc, 0xE0E0E0);
    return reinterpret_cast<LRESULT>(optionBrush_.get());
  }
  return reinterpret_cast<LRESULT>(panelBrush_.get());
}

void frmSet::DrawKey(const DRAWITEMSTRUCT& item) {
  // "C" and "設定": a push button whose face is painted orange.
  RECT rc = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  UINT state = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0);
  DrawFrameControl(item.hDC, &rc, DFC_BUTTON, state);
  RECT face = rc;
  InflateRect(&face, -2, -2);
  ScopedBrush orange(CreateSolidBrush(0x0080FF));
  FillRect(item.hDC, &face, orange.get());
  wchar_t text[16] = {};
  GetWindowTextW(item.hwndItem, text, 16);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  {
    ScopedSelect font(item.hDC, DefaultUiFont(dpi()));
    if (pressed) OffsetRect(&rc, 1, 1);
    DrawTextW(item.hDC, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = face;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(item.hDC, &focus);
  }
}

LRESULT frmSet::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  switch (msg) {
    case WM_CREATE:
      return CreateControls() ? 0 : -1;  // a missing control fails the creation
    case WM_COMMAND:
      OnCommand(HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_HSCROLL:
      OnScroll(reinterpret_cast<HWND>(lp), LOWORD(wp));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM:
      DrawKey(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_ACTIVATE:
      focus_.OnActivate(hwnd_, wp);
      return 0;
    case kNameBarsMessage:
      // Named by what they set; the panel's window, and with it their names, lasts the process.
      SetAccessibleName(HScroll1, L"前扉の速度");
      SetAccessibleName(HScroll2, L"中扉の速度");
      return 0;
    case WM_CLOSE:
      return 0;  // the panel lives as long as the bus window
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace rumona
