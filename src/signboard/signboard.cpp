// The signboard and its frame: place, picture, visibility, layouts and the menu commands' work.
#include "signboard/signboard.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "common/ansi.h"
#include "common/app.h"
#include "signboard/frame_logic.h"

namespace rumona {

namespace {

// One filter entry; its description is the pattern itself, as the dialog shows it.
constexpr wchar_t kPictureFilter[] =
    L"*.bmp;*.jpeg;*.gif;*.wmf;*.emf;*.png\0*.bmp;*.jpeg;*.gif;*.wmf;*.emf;*.png\0";
// Room for long paths typed into the name box; a longer one makes the dialog fail (silently).
constexpr DWORD kFileNameChars = 4096;

// Shows the open dialog modal to `owner`, starting on `fileName`; empty when cancelled or failed.
std::wstring AskForPicture(HWND owner, const std::wstring& fileName) {
  std::vector<wchar_t> buffer(kFileNameChars, L'\0');
  fileName.copy(buffer.data(), std::min<size_t>(fileName.size(), kFileNameChars - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kPictureFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = kFileNameChars;
  ofn.Flags = OFN_EXPLORER;
  EnsureOle();
  if (!GetOpenFileNameW(&ofn)) return {};
  return buffer.data();
}

// The board's picture for a DPI, resampled once; one whose copy would outgrow the decoding budget
// (a camera photo at 200 % takes four times its own size) is stretched as it is painted instead.
Picture ForBoard(const Picture& picture, int dpi) {
  const uint64_t bytes = uint64_t(ScaledPixels(picture.widthPx(), dpi)) *
                         uint64_t(ScaledPixels(picture.heightPx(), dpi)) * 4;
  return bytes > decodeBudgetBytes ? picture : picture.ForDpi(dpi);
}

RECT ToRect(const RectTw& r, int dpi) {
  const RectPx px = ToPixels(r, dpi);
  return RECT{px.left, px.top, px.right, px.bottom};
}

}  // namespace

Signboard::Signboard() {
  for (int i = 0; i < 3; ++i) shpK_Waku[i].rect = kDesignFrame[i];
}

void Signboard::SetDpi(int dpi) {
  if (box_) rect_ = Rect();  // wherever a drag left it, at the old DPI
  dpi_ = dpi;
  shown_ = ForBoard(picture_, dpi);
  PlaceBox();
}

RectTw Signboard::Rect() const {
  // A drag moves the box by pixels: it is then where its pixels are.
  RECT rc;
  if (!GetWindowRect(box_, &rc)) return rect_;
  MapWindowPoints(nullptr, GetParent(box_), reinterpret_cast<POINT*>(&rc), 2);
  const RectPx px = ToPixels(rect_, dpi_);
  if (rc.left == px.left && rc.top == px.top) return rect_;
  RectTw moved = rect_;
  moved.left = PixelsToTwips(rc.left, dpi_);
  moved.top = PixelsToTwips(rc.top, dpi_);
  return moved;
}

void Signboard::PlaceBox() {
  const RectPx px = ToPixels(rect_, dpi_);
  SetWindowPos(box_, nullptr, px.left, px.top, px.width(), px.height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Signboard::Move(float left, float top) { MoveSize({left, top, rect_.width, rect_.height}); }

void Signboard::MoveSize(const RectTw& rect) {
  const bool resized = rect.width != rect_.width || rect.height != rect_.height;
  rect_ = rect;
  PlaceBox();
  if (resized) LayoutFrameOnResize();
}

void Signboard::SetPicture(Picture picture) {
  pending_.clear();
  picture_ = std::move(picture);
  shown_ = ForBoard(picture_, dpi_);
  InvalidateRect(box_, nullptr, FALSE);
  if (picture_.empty()) return;  // the empty picture keeps the board's size
  RectTw r = Rect();
  r.width = static_cast<float>(picture_.widthPx() * kTwipsPerPixel);
  r.height = static_cast<float>(picture_.heightPx() * kTwipsPerPixel);
  MoveSize(r);
}

void Signboard::SetPictureWhenDecoded(const std::wstring& path) {
  pending_ = path;
  loader_.Want(box_, kDecodedMessage, {path});
}

void Signboard::OnDecoded() {
  for (PictureLoader::Result& r : loader_.Take()) {
    if (r.path != pending_) continue;
    pending_.clear();
    if (r.frames->frames.empty()) continue;
    SetPicture(r.frames->frames[0]);
    strKanbanPath = r.path;
    LayoutFrame();
  }
}

void Signboard::SetVisible(bool visible) { ShowWindow(box_, visible ? SW_SHOWNA : SW_HIDE); }

void Signboard::SetFrameVisible(bool visible) {
  for (LightShape& s : shpK_Waku) s.visible = visible;
  RepaintFrame(shpK_Waku);
}

void Signboard::LayoutFrame() { Relayout(&rumona::LayoutFrameFull); }
void Signboard::LayoutFrameOnResize() { Relayout(&rumona::LayoutFrameOnResize); }

// Lays the frame out round the board as `layout` says, and repaints its old and new places.
void Signboard::Relayout(void (*layout)(const RectTw&, std::array<RectTw, 3>&)) {
  const auto before = shpK_Waku;
  std::array<RectTw, 3> rects{shpK_Waku[0].rect, shpK_Waku[1].rect, shpK_Waku[2].rect};
  layout(Rect(), rects);
  for (int i = 0; i < 3; ++i) shpK_Waku[i].rect = rects[i];
  RepaintFrame(before);
}

void Signboard::RepaintFrame(const std::array<LightShape, 3>& before) const {
  const HWND bus = GetParent(box_);
  for (int i = 0; i < 3; ++i) {
    const RECT was = ToRect(before[i].rect, dpi_), now = ToRect(shpK_Waku[i].rect, dpi_);
    InvalidateRect(bus, &was, FALSE);
    InvalidateRect(bus, &now, FALSE);
  }
  UpdateWindow(bus);
}

void Signboard::ChoosePicture(HWND owner) {
  // Every failure ends the command, silently but for a path the settings could not hold;
  // nothing changes before the picture has loaded, off the window's thread. A dialog that fails,
  // a file that cannot be read or decoded, and a picture too large for the memory left all come
  // as nothing chosen or no picture.
  const std::wstring chosen = AskForPicture(owner, C_Dialog1FileName);
  if (chosen.empty()) return;
  C_Dialog1FileName = chosen;
  // A path the settings file could not hold would lose the picture at the next start.
  const std::optional<std::wstring> path = StorablePath(owner, chosen);
  if (path) SetPictureWhenDecoded(*path);
}

void Signboard::Reset() {
  SetPicture(Picture());
  MoveSize(kDesignRect);
  LayoutFrame();
}

void Signboard::Paint(HDC dc, HDC scratch) const {
  RECT rc;
  GetClientRect(box_, &rc);
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  shown_.Draw(dc, 0, 0, ScaledPixels(picture_.widthPx(), dpi_),
              ScaledPixels(picture_.heightPx(), dpi_), scratch);
}

}  // namespace rumona
