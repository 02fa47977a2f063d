// The bus window's sign box and board box: their painting and input, handed to the bus window.
#include "bus_window/picture_boxes.h"

#include "bus_window/form1.h"

namespace rumona {

namespace {

constexpr wchar_t kSignBoxClass[] = L"RumonaSignBox";
constexpr wchar_t kBoardBoxClass[] = L"RumonaBoardBox";
constexpr DWORD kBoxStyle = WS_TABSTOP | WS_CLIPSIBLINGS;

// The two boxes are the bus window's only focusable controls: Tab and Shift+Tab both lead from
// one to the other when it is visible.
void FocusIfVisible(HWND other) {
  if (IsWindowVisible(other)) SetFocus(other);
}

}  // namespace

// Each box paints itself, so its window text does not show: it is the box's name, which MSAA
// and UI Automation give to assistive technology.
HWND SignBox::Create(const RectTw& rect) {
  return CreateChild(form_, kSignBoxClass, CS_DBLCLKS, form_.hwnd(), rect, kBoxStyle, 0, L"方向幕");
}

LRESULT SignBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (auto r = PaintMessage(msg, wp, [this](HDC dc, const RECT&) {
        RECT rc;
        GetClientRect(hwnd_, &rc);
        form_.painter_.PaintBox(dc, {rc.right, rc.bottom}, form_.sign.Image());
        form_.sign.OnPainted();
      }))
    return *r;
  switch (msg) {
    case DestinationSign::kDecodedMessage:
      form_.sign.OnDecoded();
      return 0;
    case WM_TIMER:
      if (wp == DestinationSign::kFrameTimer) form_.sign.NextFrame();
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_TAB)
        FocusIfVisible(form_.PicKanban);
      else
        form_.Picture1_KeyDown(static_cast<int16_t>(wp), ShiftState());
      return 0;
    case WM_SYSKEYDOWN:
      // Keys with Alt reach the sign as well, and then the system (Alt+F4, Alt+Space).
      form_.Picture1_KeyDown(static_cast<int16_t>(wp), ShiftState());
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second click is one more press
      pressed_ = true;
      SetCapture(hwnd_);
      SetFocus(hwnd_);
      return 0;
    case WM_LBUTTONUP:
      if (pressed_) Release(lp);
      return 0;
    case WM_RBUTTONDOWN:  // other buttons leave the focus where it is
    case WM_MBUTTONDOWN:
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

// The click counts only when released inside the box: on the sign image, or beside it.
void SignBox::Release(LPARAM lp) {
  pressed_ = false;
  ReleaseCapture();
  RECT rc;
  GetClientRect(hwnd_, &rc);
  if (!PtInRect(&rc, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) return;
  const LightImage& image = form_.sign.Image();
  if (image.visible && image.rect.Contains(MouseXTw(lp), MouseYTw(lp)))
    form_.ImgDesiMaku_Click();
  else
    form_.Picture1_Click();
}

HWND BoardBox::Create(const RectTw& rect) {
  return CreateChild(form_, kBoardBoxClass, CS_DBLCLKS, form_.hwnd(), rect, kBoxStyle, 0, L"看板",
                     false);
}

LRESULT BoardBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (auto r = PaintMessage(msg, wp, [this](HDC dc, const RECT&) {
        form_.board.Paint(dc, form_.painter_.scratch());
      }))
    return *r;
  switch (msg) {
    case Signboard::kDecodedMessage:
      form_.board.OnDecoded();
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_TAB) FocusIfVisible(form_.Picture1);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      Press(1, lp);
      return 0;
    case WM_LBUTTONDBLCLK:
      form_.PicKanban_DblClick();
      return 0;
    case WM_RBUTTONDOWN:  // the menu: the focus stays where it is, on the sign as a rule
      Press(2, lp);
      return 0;
    case WM_MBUTTONDOWN:
      Press(4, lp);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void BoardBox::Press(int button, LPARAM lp) {
  form_.PicKanban_MouseDown(button, ShiftState(), MouseXTw(lp), MouseYTw(lp));
}

}  // namespace rumona
