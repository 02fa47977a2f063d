#include "bus_window/form1.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "common/ansi.h"
#include "common/app.h"
#include "signboard/frame_logic.h"

namespace rumona {

namespace {
constexpr RectTw kDefaultBoard{7425, 1665, 1410, 450};

// One filter entry; its description is the pattern itself, as the dialog shows it.
constexpr wchar_t kPictureFilter[] =
    L"*.bmp;*.jpeg;*.gif;*.wmf;*.emf;*.png\0*.bmp;*.jpeg;*.gif;*.wmf;*.emf;*.png\0";
// Room for long paths typed into the name box; a longer one makes the dialog fail (silently).
constexpr DWORD kFileNameChars = 4096;

std::array<RectTw, 3> FrameRects(const std::array<LightShape, 3>& shapes) {
  return {shapes[0].rect, shapes[1].rect, shapes[2].rect};
}

// Lays the frame out round the board as `layout` says, and repaints its old and new places.
void RelayoutFrame(Form1& form, void (*layout)(const RectTw&, std::array<RectTw, 3>&)) {
  const auto before = FrameRects(form.shpK_Waku);
  auto rects = before;
  layout(form.KanbanRect(), rects);
  for (int i = 0; i < 3; ++i) form.shpK_Waku[i].rect = rects[i];
  form.RepaintFrame(before);
}

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
}  // namespace

void Form1::PicKanban_MouseDown(int button, int, float, float) {
  switch (button) {
    case 1: {
      // The press becomes a press on a title bar: the system's move loop drags the board
      // inside this call until the button comes up.
      ReleaseCapture();
      int32_t zero = 0;
      SendMessageA(PicKanban, WM_NCLBUTTONDOWN, HTCAPTION, reinterpret_cast<LPARAM>(&zero));
      break;
    }
    case 2:
      ShowPopupMenu();
      break;
    default:
      break;
  }
}

void Form1::PicKanban_DblClick() { RelayoutFrame(*this, &LayoutFrameFull); }
void Form1::PicKanban_Resize() { RelayoutFrame(*this, &LayoutFrameOnResize); }

void Form1::MnuViewKanban_Click() {
  const bool show = !MenuChecked(kMnuViewKanban);
  // A hidden board cannot keep the focus: hand it on as the tab order would.
  if (!show && GetFocus() == PicKanban) SetFocus(Picture1);
  SetKanbanVisible(show);
  SetMenuChecked(kMnuViewKanban, show);
}

void Form1::MnuViewWaku_Click() {
  const bool show = !MenuChecked(kMnuViewWaku);
  for (LightShape& s : shpK_Waku) s.visible = show;
  PicKanban_DblClick();  // repaints the shapes' places, so the new visibility shows too
  SetMenuChecked(kMnuViewWaku, show);
}

void Form1::MnuSetKanban_Click() {
  // Every failure ends the command, silently but for a path the settings could not hold;
  // nothing changes before the picture has loaded.
  try {
    const std::wstring chosen = AskForPicture(hwnd_, C_Dialog1FileName);
    if (chosen.empty()) return;
    C_Dialog1FileName = chosen;
    // A path the settings file could not hold would lose the picture at the next start.
    const std::optional<std::wstring> path = StorablePath(hwnd_, chosen);
    if (!path) return;
    Picture picture = Picture::FromFile(*path);
    if (picture.empty()) return;
    SetKanbanPicture(std::move(picture));
    strKanbanPath = *path;
    PicKanban_DblClick();
  } catch (...) {
  }
}

void Form1::SetFrameVisible(bool visible) {
  for (LightShape& s : shpK_Waku) s.visible = visible;
  RepaintFrame(FrameRects(shpK_Waku));
}

void Form1::MnuKanbanReset_Click() {
  SetKanbanPicture(Picture());
  MoveSizeKanban(kDefaultBoard);
  PicKanban_DblClick();
}

}  // namespace rumona
