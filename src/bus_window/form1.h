#pragma once
// The bus window: the bus artwork with its live pieces (sign, doors, signboard and frame), the
// popup menu, and the public procedures the control panel and the dialogs call by name.
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "bus_window/file_list.h"
#include "bus_window/picture_boxes.h"
#include "common/base_window.h"
#include "common/picture.h"
#include "common/twips_logic.h"
#include "common/window_parts.h"

namespace rumona {

// A lightweight image: no window of its own, painted by its parent.
struct LightImage {
  RectTw rect;
  Picture picture;
  bool visible = true;
  bool stretch = false;
};

// A lightweight rectangle shape (outline and solid fill), painted by its parent.
struct LightShape {
  RectTw rect;
  bool visible = true;
  COLORREF outline = 0x808080;
  COLORREF fill = 0xE0E0E0;
  bool operator==(const LightShape&) const = default;
};

// Menu command ids of the popup menu's items.
enum MenuId : UINT {
  kMnuViewKanban = 40001,
  kMnuViewWaku = 40002,
  kMnuSetKanban = 40003,
  kMnuKanbanReset = 40005,
};

class Form1 : public BaseWindow<Form1> {
 public:
  static constexpr int kClientWidthTw = 11460;
  static constexpr int kClientHeightTw = 3240;
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_APPWINDOW;

  Form1();
  ~Form1();

  // Creates the window, runs Form_Load and shows it. The one bus window of the process.
  bool Create();
  static Form1* Instance() { return instance_; }

  // How the process ends after the settings are written; tests replace it.
  std::function<void()> endProcess;

  // Process-wide state of the bus window.
  std::wstring strDir[2];       // [0] the sign folder, [1] reserved
  int32_t lngSpare[2] = {0, 0}; // reserved numbers, kept in the settings file
  std::wstring strKanbanPath;   // the signboard picture's path
  int32_t lngDesiIndex = 0;     // the current sign index

  // Controls.
  HWND PicKanban = nullptr;
  HWND Picture1 = nullptr;
  FileList File1;                       // hidden: takes no room and no input
  LightImage ImgDesiMaku;               // inside Picture1
  std::array<LightImage, 2> imgNakaorido;  // middle door: 0 left leaf, 1 right leaf
  LightImage Image1;                    // the front door (index 2 of its array)
  std::array<LightShape, 3> shpK_Waku;  // signboard frame: left post, right post, bottom bar
  HMENU MnuTempMenu1 = nullptr;         // the popup menu
  std::wstring C_Dialog1FileName;       // the open dialog's file name, kept between uses

  // Public procedures called by other windows.
  void Check1_Click();
  void Check2_Click();
  void HScroll1_Change();
  void HScroll2_Change();
  void MnuEditHkPic_Click();
  void MnuHelpVer_Click();
  void picDir();
  void SaveIni();
  void LoadIni();

  // Signboard handlers (also called directly).
  void PicKanban_DblClick();
  void PicKanban_Resize();
  void PicKanban_MouseDown(int button, int shift, float x, float y);
  void MnuViewKanban_Click();
  void MnuViewWaku_Click();
  void MnuSetKanban_Click();
  void MnuKanbanReset_Click();

  // Destination sign.
  void Picture1_KeyDown(int16_t keyCode, int shift);
  // Shows the sign list's entry at `index` from the sign folder. A missing entry or a file that
  // is no picture leaves the sign as it is, silently.
  void ShowSignEntry(int index);

  float OuterHeightTw() const { return WindowRectTw(hwnd_).height; }

  // The signboard's rectangle in twips and its picture.
  RectTw KanbanRect() const;
  void MoveKanban(float left, float top) { MoveWindowTw(PicKanban, left, top); }
  void MoveSizeKanban(const RectTw& rect);  // runs the size-change layout if the size changed
  void SetKanbanPicture(Picture picture);   // sizes the board to it, keeping Left and Top
  const Picture& KanbanPicture() const { return kanbanPicture_; }
  bool KanbanVisible() const;
  void SetKanbanVisible(bool visible);

  void SetFrameVisible(bool visible);  // without the menu's check, repainting its places
  bool MenuChecked(UINT id) const;
  void SetMenuChecked(UINT id, bool checked);

  // The sign image: shown at its own size at Picture1's top-left, clipped by Picture1.
  void SetSignPicture(Picture picture);

  // Repaints the union of two rectangles of the window at once, without pumping messages.
  void RepaintNow(const RectTw& a, const RectTw& b);
  // Repaints the frame shapes' old and new places.
  void RepaintFrame(const std::array<RectTw, 3>& before);

  // Opens the popup menu at the mouse position.
  void ShowPopupMenu();

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  friend class SignBox;
  friend class BoardBox;

  void Form_Load();
  void Form_Unload();
  void Form_MouseDown(int button, int shift, float x, float y);
  void Image1_Click();
  void ImgDesiMaku_Click();
  void Picture1_Click();

  void CreateControls();
  bool PrepareSurfaces(HDC like);
  void ComposeStill();
  void DrawFrame(HDC dc, const RECT& paint) const;
  void PaintContent(HDC dc, const RECT& paint);
  void PaintPicture1(HDC dc);
  void PaintKanban(HDC dc);
  void OnMenuCommand(UINT id);

  static Form1* instance_;
  SignBox sign_{*this};
  BoardBox board_{*this};
  FocusMemory focus_;  // Picture1, or the board after a click on it
  Picture background_;
  Picture kanbanPicture_;
  // Kept between paints, so that a door step only copies and stretches: what stays put during a
  // stroke (the bus and the frame, as composed last), the buffer a paint is composed in, and a
  // DC to draw pictures from.
  Canvas still_, buffer_;
  std::array<LightShape, 3> composedFrame_{};
  bool composed_ = false;
  ScopedMemDC pictureDc_{CreateCompatibleDC(nullptr)};
  // A left press on the front door starts a click that the release completes.
  bool pressOnImage1_ = false;
};

}  // namespace rumona
