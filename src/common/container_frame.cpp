// A container frame: its own background colour, an etched border, an optional caption.
#include "common/container_frame.h"

#include "common/app.h"

namespace rumona {

namespace {
constexpr wchar_t kFrameClass[] = L"RumonaFrame";
}  // namespace

HWND ContainerFrame::Create(WindowCore& top, HWND parent, const RectTw& rect,
                            const wchar_t* caption, COLORREF background) {
  background_ = background;
  caption_ = caption ? caption : L"";
  brush_.reset(CreateSolidBrush(background));
  return CreateChild(top, kFrameClass, 0, parent, rect, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                     caption_.c_str());
}

void ContainerFrame::Paint(HDC dc) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  FillRect(dc, &rc, brush_.get());
  ScopedSelect font(dc, DefaultUiFont(dpi()));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT edge = rc;
  if (!caption_.empty()) edge.top += tm.tmHeight / 2;  // the border runs through the caption
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  if (caption_.empty()) return;
  SetBkColor(dc, background_);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd_) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  SetBkMode(dc, OPAQUE);
  RECT text{6, 0, rc.right - 6, tm.tmHeight};
  DrawTextW(dc, (L" " + caption_ + L" ").c_str(), -1, &text,
            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT ContainerFrame::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (auto r = PaintMessage(msg, wp, [this](HDC dc, const RECT&) { Paint(dc); })) return *r;
  switch (msg) {
    case WM_ENABLE:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
      // Children's notifications belong to the panel.
      return SendMessageW(GetAncestor(hwnd_, GA_ROOT), msg, wp, lp);
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace rumona
