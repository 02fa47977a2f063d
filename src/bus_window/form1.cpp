#include "bus_window/form1.h"

#include "common/app.h"
#include "common/scoped_win.h"
#include "panel/frm_set.h"
#include "resource.h"

namespace rumona {

Form1* Form1::instance_ = nullptr;

namespace {

constexpr wchar_t kFormClass[] = L"RumonaForm1";
constexpr wchar_t kTitlePrefix[] = L"ルモナ　-　";

RECT ToRect(const RectPx& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The same place, the picture's own size.
RectTw SizedTo(RectTw r, const Picture& picture) {
  r.width = static_cast<float>(picture.widthPx() * kTwipsPerPixel);
  r.height = static_cast<float>(picture.heightPx() * kTwipsPerPixel);
  return r;
}

}  // namespace

Form1::Form1() {
  endProcess = [] { ExitProcess(0); };
  imgNakaorido[0] = LightImage{{5535, 750, 795, 2235}, {}, true, true};
  imgNakaorido[1] = LightImage{{6330, 750, 795, 2235}, {}, true, true};
  Image1 = LightImage{{345, 705, 1095, 2220}, {}, true, true};
  ImgDesiMaku = LightImage{{0, 0, 780, 480}, {}, true, false};
  shpK_Waku[0].rect = {7350, 1650, 75, 495};
  shpK_Waku[1].rect = {8835, 1650, 75, 495};
  shpK_Waku[2].rect = {7350, 2115, 1560, 60};
}

Form1::~Form1() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (MnuTempMenu1) DestroyMenu(MnuTempMenu1);
  if (instance_ == this) instance_ = nullptr;
}

bool Form1::Create() {
  instance_ = this;
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_RUMONA));
  Register(kFormClass, nullptr, icon, CS_DBLCLKS);

  background_ = Picture::FromResource(IDB_BUS);
  imgNakaorido[0].picture = Picture::FromResource(IDB_DOOR_MIDDLE_LEFT);
  imgNakaorido[1].picture = Picture::FromResource(IDB_DOOR_MIDDLE_RIGHT);
  Image1.picture = Picture::FromResource(IDB_DOOR_FRONT);

  if (!CreateTopLevel(kFormClass, L"", 0, 0)) return false;
  Form_Load();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetFocus(Picture1);
  return true;
}

void Form1::CreateControls() {
  // Creation order: the board first, then the sign box.
  PicKanban = board_.Create(hwnd_, {7425, 1665, 1410, 450});
  Picture1 = sign_.Create(hwnd_, {4425, 675, 780, 480});
  ImgDesiMaku.picture = Picture::FromResource(IDB_SIGN_DEFAULT);
  ImgDesiMaku.rect = SizedTo(ImgDesiMaku.rect, ImgDesiMaku.picture);

  MnuTempMenu1 = CreatePopupMenu();
  AppendMenuW(MnuTempMenu1, MF_STRING | MF_CHECKED, kMnuViewKanban, L"看板の表示");
  AppendMenuW(MnuTempMenu1, MF_STRING | MF_CHECKED, kMnuViewWaku, L"枠の表示");
  AppendMenuW(MnuTempMenu1, MF_STRING, kMnuSetKanban, L"看板の画像を設定...");
  AppendMenuW(MnuTempMenu1, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(MnuTempMenu1, MF_STRING, kMnuKanbanReset, L"看板のリセット");
}

void Form1::Form_Load() {
  LoadIni();
  frmSet& panel = frmSet::Get();
  ShowWindow(panel.hwnd(), SW_SHOW);  // modeless, no owner
  SetWindowPos(panel.hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);  // 0x43
  SetWindowTextW(hwnd_, (std::wstring(kTitlePrefix) + ExeBaseName()).c_str());
}

void Form1::Form_Unload() {
  SaveIni();
  endProcess();
}

void Form1::Form_MouseDown(int button, int, float, float) {
  if (button == 2) ShowPopupMenu();
}

void Form1::ShowPopupMenu() {
  POINT pt;
  GetCursorPos(&pt);
  TrackPopupMenu(MnuTempMenu1, TPM_LEFTALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
}

void Form1::Image1_Click() { SetFocus(Picture1); }
void Form1::ImgDesiMaku_Click() { SetFocus(Picture1); }
void Form1::Picture1_Click() { SetFocus(Picture1); }

RectTw Form1::KanbanRect() const { return WindowRectTw(PicKanban, hwnd_); }

void Form1::MoveSizeKanban(const RectTw& rect) {
  const RectTw before = KanbanRect();
  const RectPx px = ToPixels(rect);
  SetWindowPos(PicKanban, nullptr, px.left, px.top, px.width(), px.height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  const RectTw after = KanbanRect();
  if (after.width != before.width || after.height != before.height) PicKanban_Resize();
}

void Form1::SetKanbanPicture(Picture picture) {
  kanbanPicture_ = std::move(picture);
  InvalidateRect(PicKanban, nullptr, FALSE);
  // The empty picture keeps the board's size.
  if (!kanbanPicture_.empty()) MoveSizeKanban(SizedTo(KanbanRect(), kanbanPicture_));
}

bool Form1::KanbanVisible() const { return IsWindowVisible(PicKanban) != FALSE; }

void Form1::SetKanbanVisible(bool visible) {
  ShowWindow(PicKanban, visible ? SW_SHOWNA : SW_HIDE);
}

bool Form1::MenuChecked(UINT id) const {
  return (GetMenuState(MnuTempMenu1, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Form1::SetMenuChecked(UINT id, bool checked) {
  CheckMenuItem(MnuTempMenu1, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Form1::SetSignPicture(Picture picture) {
  ImgDesiMaku.picture = std::move(picture);
  ImgDesiMaku.rect = SizedTo(ImgDesiMaku.rect, ImgDesiMaku.picture);
  InvalidateRect(Picture1, nullptr, FALSE);
  UpdateWindow(Picture1);
}

void Form1::RepaintNow(const RectTw& a, const RectTw& b) {
  RECT ra = ToRect(ToPixels(a)), rb = ToRect(ToPixels(b)), u;
  UnionRect(&u, &ra, &rb);
  InvalidateRect(hwnd_, &u, FALSE);
  UpdateWindow(hwnd_);
}

void Form1::RepaintFrame(const std::array<RectTw, 3>& before) {
  for (int i = 0; i < 3; ++i) {
    RECT ra = ToRect(ToPixels(before[i])), rb = ToRect(ToPixels(shpK_Waku[i].rect));
    InvalidateRect(hwnd_, &ra, FALSE);
    InvalidateRect(hwnd_, &rb, FALSE);
  }
  UpdateWindow(hwnd_);
}

bool Form1::PrepareSurfaces(HDC like) {
  if (!buffer_) {
    const int w = TwipsToPixels(kClientWidthTw), h = TwipsToPixels(kClientHeightTw);
    if (!still_.Create(like, w, h) || !buffer_.Create(like, w, h)) {
      still_.Reset();
      buffer_.Reset();
      return false;
    }
    composed_ = false;
  }
  if (!composed_ || composedFrame_ != shpK_Waku) ComposeStill();
  return true;
}

void Form1::ComposeStill() {
  const RECT all{0, 0, TwipsToPixels(kClientWidthTw), TwipsToPixels(kClientHeightTw)};
  if (background_.empty())
    FillRect(still_.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
  else
    background_.Draw(still_.dc(), 0, 0, background_.widthPx(), background_.heightPx(),
                     pictureDc_.get());
  DrawFrame(still_.dc(), all);
  composedFrame_ = shpK_Waku;
  composed_ = true;
}

void Form1::DrawFrame(HDC dc, const RECT& paint) const {
  // The stock DC brush takes any colour without a brush being made.
  const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  for (const LightShape& s : shpK_Waku) {
    if (!s.visible) continue;
    RECT r = ToRect(ToPixels(s.rect)), clip;
    if (!IntersectRect(&clip, &r, &paint)) continue;
    SetDCBrushColor(dc, s.fill);
    FillRect(dc, &r, brush);
    SetDCBrushColor(dc, s.outline);
    FrameRect(dc, &r, brush);
  }
}

void Form1::PaintContent(HDC dc, const RECT& rcPaint) {
  const RECT client{0, 0, TwipsToPixels(kClientWidthTw), TwipsToPixels(kClientHeightTw)};
  RECT paint;
  if (!IntersectRect(&paint, &rcPaint, &client) || !PrepareSurfaces(dc)) return;
  const int w = paint.right - paint.left, h = paint.bottom - paint.top;
  HDC buffer = buffer_.dc();
  BitBlt(buffer, paint.left, paint.top, w, h, still_.dc(), paint.left, paint.top, SRCCOPY);
  bool drewDoor = false;
  auto drawImage = [&](const LightImage& img) {
    if (!img.visible || img.picture.empty()) return;
    const RectPx px = ToPixels(img.rect);
    RECT r = ToRect(px), clip;
    if (!IntersectRect(&clip, &r, &paint)) return;
    if (img.stretch) {
      if (!img.picture.StretchInto(buffer_, px.left, px.top, px.width(), px.height()))
        img.picture.Draw(buffer, px.left, px.top, px.width(), px.height(), pictureDc_.get());
    } else
      img.picture.Draw(buffer, px.left, px.top, img.picture.widthPx(), img.picture.heightPx(),
                       pictureDc_.get());
    drewDoor = true;
  };
  drawImage(imgNakaorido[0]);
  drawImage(imgNakaorido[1]);
  drawImage(Image1);
  if (drewDoor) DrawFrame(buffer, paint);  // the frame lies above a door it overlaps
  BitBlt(dc, paint.left, paint.top, w, h, buffer, paint.left, paint.top, SRCCOPY);
}

void Form1::PaintPicture1(HDC dc) {
  RECT rc;
  GetClientRect(Picture1, &rc);
  if (!PrepareSurfaces(dc)) return;
  HDC buffer = buffer_.dc();
  FillRect(buffer, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (ImgDesiMaku.visible)
    ImgDesiMaku.picture.Draw(buffer, 0, 0, ImgDesiMaku.picture.widthPx(),
                             ImgDesiMaku.picture.heightPx(), pictureDc_.get());
  BitBlt(dc, 0, 0, rc.right, rc.bottom, buffer, 0, 0, SRCCOPY);
}

void Form1::PaintKanban(HDC dc) {
  RECT rc;
  GetClientRect(PicKanban, &rc);
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  kanbanPicture_.Draw(dc, 0, 0, kanbanPicture_.widthPx(), kanbanPicture_.heightPx(),
                      pictureDc_.get());
}

void Form1::OnMenuCommand(UINT id) {
  switch (id) {
    case kMnuViewKanban: MnuViewKanban_Click(); break;
    case kMnuViewWaku: MnuViewWaku_Click(); break;
    case kMnuSetKanban: MnuSetKanban_Click(); break;
    case kMnuKanbanReset: MnuKanbanReset_Click(); break;
  }
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (auto r = PaintMessage(msg, wp, [this](HDC dc, const RECT& rc) { PaintContent(dc, rc); }))
    return *r;
  switch (msg) {
    case WM_CREATE:
      CreateControls();
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
    case WM_MBUTTONDBLCLK: {
      const float x = MouseXTw(lp), y = MouseYTw(lp);
      const bool left = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
      const bool right = msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK;
      // The door images take their own mouse input; only the front door has a handler.
      if (Image1.visible && Image1.rect.Contains(x, y)) {
        if (left) {
          pressOnImage1_ = true;
          SetCapture(hwnd_);
        }
        return 0;
      }
      for (const LightImage& leaf : imgNakaorido)
        if (leaf.visible && leaf.rect.Contains(x, y)) return 0;
      Form_MouseDown(left ? 1 : right ? 2 : 4, ShiftState(), x, y);
      return 0;
    }
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
    case WM_COMMAND:
      if (lp == 0) OnMenuCommand(LOWORD(wp));
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
