// The bus window: its creation and loading, its controls, input, menu, and the procedures of
// the sign and the doors.
#include "bus_window/form1.h"

#include "bus_window/file_list.h"
#include "common/app.h"
#include "common/modal.h"
#include "common/resource.h"

namespace rumona {

std::function<void()> endProcess = [] { ExitProcess(0); };

namespace {

constexpr wchar_t kFormClass[] = L"RumonaForm1";
constexpr wchar_t kTitlePrefix[] = L"ルモナ　-　";

RECT ToRect(const RectPx& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

Form1::~Form1() {
  if (MnuTempMenu1) DestroyMenu(MnuTempMenu1);
}

bool Form1::Create(PanelControls& panel) {
  panel_ = &panel;
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_RUMONA));
  if (!Register(kFormClass, nullptr, icon, CS_DBLCLKS) || !CreateTopLevel(kFormClass, L"", 0, 0))
    return false;
  Form_Load();
  return true;
}

void Form1::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetFocus(Picture1);
}

// The artwork is drawn for 1x and 2x and resampled for the DPIs between; the users' pictures keep
// their size in twips.
void Form1::MakeForDpi() {
  const int dpi = this->dpi();
  painter_.SetBackground(Picture::Artwork(IDB_BUS, dpi), ClientSize(), dpi);
  imgNakaorido[0].picture = Picture::Artwork(IDB_DOOR_MIDDLE_LEFT, dpi);
  imgNakaorido[1].picture = Picture::Artwork(IDB_DOOR_MIDDLE_RIGHT, dpi);
  Image1.picture = Picture::Artwork(IDB_DOOR_FRONT, dpi);
  sign.SetDpi(dpi);
  board.SetDpi(dpi);
}

bool Form1::CreateControls() {
  // Creation order: the board first, then the sign box.
  PicKanban = boardBox_.Create(Signboard::kDesignRect);
  board.SetBox(PicKanban);
  Picture1 = signBox_.Create(DestinationSign::kBoxRect);
  sign.SetBox(Picture1);

  MnuTempMenu1 = CreatePopupMenu();
  return PicKanban && Picture1 && MnuTempMenu1 &&
         AppendMenuW(MnuTempMenu1, MF_STRING | MF_CHECKED, kMnuViewKanban, L"看板の表示") &&
         AppendMenuW(MnuTempMenu1, MF_STRING | MF_CHECKED, kMnuViewWaku, L"枠の表示") &&
         AppendMenuW(MnuTempMenu1, MF_STRING, kMnuSetKanban, L"看板の画像を設定...") &&
         AppendMenuW(MnuTempMenu1, MF_SEPARATOR, 0, nullptr) &&
         AppendMenuW(MnuTempMenu1, MF_STRING, kMnuKanbanReset, L"看板のリセット");
}

// The settings place both windows; the panel is shown by whoever wired the two, before this
// window, so that this one ends up active.
void Form1::Form_Load() {
  LoadIni();
  SetWindowTextW(hwnd_, (std::wstring(kTitlePrefix) + ExeBaseName()).c_str());
}

void Form1::Form_Unload() {
  SaveIni();
  endProcess();
}

void Form1::Form_MouseDown(int button, int, float, float) {
  if (button == 2) ShowPopupMenu();
}

// Opened from the keyboard, the menu keeps off the focused control (or client area) where the
// screen has room, so that the sign stays in view.
void Form1::ShowPopupMenu(HWND focused) {
  UINT flags = TPM_LEFTALIGN | TPM_LEFTBUTTON;
  TPMPARAMS beside{sizeof(TPMPARAMS), {}};
  POINT pt;
  if (focused) {
    GetClientRect(focused, &beside.rcExclude);
    MapWindowPoints(focused, nullptr, reinterpret_cast<POINT*>(&beside.rcExclude), 2);
    pt = {beside.rcExclude.left, beside.rcExclude.bottom};
    flags |= TPM_VERTICAL;
  } else {
    GetCursorPos(&pt);
  }
  TrackPopupMenuEx(MnuTempMenu1, flags, pt.x, pt.y, hwnd_, focused ? &beside : nullptr);
}

bool Form1::picDir() {
  const DWORD error = sign.PointListAtFolder();
  if (error == ERROR_SUCCESS) return false;
  // No owner and task-modal: the bus window and the panel both wait for the box.
  if (IsPathNotFound(error)) {
    ShowMessage(nullptr, L"指定したパスが見つかりません。再度指定しなおしてください。",
                MB_OK | MB_TASKMODAL);
    return true;
  }
  ShowMessage(nullptr, SystemErrorText(error), MB_OK | MB_TASKMODAL);
  return false;
}

void Form1::ShowSignNumber(std::optional<int16_t> number) {
  // The separator stays in the stored folder even when the picture then fails to load.
  sign.AppendSeparator();
  if (number) sign.ShowEntry(*number);
}

StrokeWindow Form1::StrokeFor(int (PanelControls::*speed)() const) {
  return {dpi(), [this](const RectTw& a, const RectTw& b) { RepaintNow(a, b); },
          [this, speed] { return (panel_->*speed)(); }};
}

void Form1::Check1_Click() {
  FrontDoorStroke(panel_->Check1Value() != 0, Image1.rect,
                  StrokeFor(&PanelControls::HScroll1Value));
}

void Form1::Check2_Click() {
  const Leaves leaves = ChooseLeaves(panel_->Option1Value(0), panel_->Option1Value(1));
  MiddleDoorStroke(panel_->Check2Value() != 0, leaves, imgNakaorido[0].rect, imgNakaorido[1].rect,
                   StrokeFor(&PanelControls::HScroll2Value));
}

void Form1::Picture1_KeyDown(int16_t keyCode, int) {
  // The separator is stored for every key, before the key is looked at; it is saved with it.
  sign.AppendSeparator();
  sign.Step(keyCode);
}

void Form1::PicKanban_MouseDown(int button, int, float, float) {
  if (button == 1) {
    // The press becomes a press on a title bar: the system's move loop drags the board inside
    // this call until the button comes up.
    ReleaseCapture();
    int32_t zero = 0;
    SendMessageA(PicKanban, WM_NCLBUTTONDOWN, HTCAPTION, reinterpret_cast<LPARAM>(&zero));
  } else if (button == 2) {
    ShowPopupMenu();
  }
}

void Form1::MnuViewKanban_Click() {
  const bool show = !MenuChecked(kMnuViewKanban);
  // A hidden board cannot keep the focus: hand it on as the tab order would.
  if (!show && GetFocus() == PicKanban) SetFocus(Picture1);
  board.SetVisible(show);
  SetMenuChecked(kMnuViewKanban, show);
}

void Form1::MnuViewWaku_Click() {
  const bool show = !MenuChecked(kMnuViewWaku);
  board.SetFrameVisible(show);
  PicKanban_DblClick();
  SetMenuChecked(kMnuViewWaku, show);
}

bool Form1::MenuChecked(UINT id) const {
  return (GetMenuState(MnuTempMenu1, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Form1::SetMenuChecked(UINT id, bool checked) {
  CheckMenuItem(MnuTempMenu1, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Form1::RepaintNow(const RectTw& a, const RectTw& b) {
  RECT ra = ToRect(ToPixels(a, dpi())), rb = ToRect(ToPixels(b, dpi())), u;
  UnionRect(&u, &ra, &rb);
  RedrawWindow(hwnd_, &u, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // one call: a step's frame
}

// A press on the window's own area. The door images take their own mouse input; only the front
// door has a handler.
void Form1::OnPress(UINT msg, LPARAM lp) {
  const float x = MouseXTw(lp), y = MouseYTw(lp);
  const bool left = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
  const bool right = msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK;
  if (Image1.visible && Image1.rect.Contains(x, y)) {
    if (left) {
      pressOnImage1_ = true;
      SetCapture(hwnd_);
    }
    return;
  }
  for (const LightImage& leaf : imgNakaorido)
    if (leaf.visible && leaf.rect.Contains(x, y)) return;
  Form_MouseDown(left ? 1 : right ? 2 : 4, ShiftState(), x, y);
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (auto r = PaintMessage(msg, wp, [this](HDC dc, const RECT& rc) {
        painter_.Paint(dc, rc, {&imgNakaorido[0], &imgNakaorido[1], &Image1}, board.Frame());
      }))
    return *r;
  switch (msg) {
    case WM_CREATE:
      if (!CreateControls()) return -1;  // a missing control fails the creation
      MakeForDpi();
      focus_.Set(Picture1);
      return 0;
    case WM_ACTIVATE:
      focus_.OnActivate(hwnd_, wp);
      return 0;
    case WM_SETFOCUS:
      focus_.Restore();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnPress(msg, lp);
      return 0;
    case WM_LBUTTONUP:
      if (pressOnImage1_) {
        pressOnImage1_ = false;
        ReleaseCapture();
        if (Image1.rect.Contains(MouseXTw(lp), MouseYTw(lp))) Image1_Click();
      }
      return 0;
    case WM_CAPTURECHANGED:
      pressOnImage1_ = false;
      return 0;
    case WM_CONTEXTMENU:
      // Shift+F10 or the Menu key (no position), with the focus here or on a box, which hands
      // the message up. The mouse's come after a right press has opened the menu already, or
      // belong to the title bar, whose menu the system opens.
      if (GET_X_LPARAM(lp) != -1 || GET_Y_LPARAM(lp) != -1) break;
      ShowPopupMenu(reinterpret_cast<HWND>(wp));
      return 0;
    case WM_COMMAND:
      if (lp != 0) return 0;
      switch (LOWORD(wp)) {
        case kMnuViewKanban: MnuViewKanban_Click(); break;
        case kMnuViewWaku: MnuViewWaku_Click(); break;
        case kMnuSetKanban: MnuSetKanban_Click(); break;
        case kMnuKanbanReset: MnuKanbanReset_Click(); break;
      }
      return 0;
    case WM_CLOSE:
      Form_Unload();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // the window never holds up the end of the session
    case WM_ENDSESSION:
      // The system closes the window only once the end is certain; a cancelled end leaves it.
      // Form_Unload ends the process, so nothing is saved a second time.
      if (wp) Form_Unload();
      return 0;
    case WM_DESTROY:
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace rumona
