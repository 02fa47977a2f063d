#pragma once
// The bus window `Form1`: the bus artwork with its live pieces (the destination sign, the doors,
// the signboard and its frame), the popup menu, and the public procedures that the control panel
// and the dialogs call by name: in form1.cpp, but LoadIni and SaveIni in form1_settings.cpp,
// MnuEditHkPic_Click in frm_browse_dir.cpp and MnuHelpVer_Click in frm_show_version.cpp.
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "bus_window/bus_paint.h"
#include "bus_window/destination_sign.h"
#include "bus_window/picture_boxes.h"
#include "common/base_window.h"
#include "common/keyboard.h"
#include "common/light_controls.h"
#include "common/peer_windows.h"
#include "doors/doors.h"
#include "signboard/signboard.h"

namespace rumona {

// How the process ends once the settings are written; tests count the calls instead.
extern std::function<void()> endProcess;

// Menu command ids of the popup menu's items.
enum MenuId : UINT {
  kMnuViewKanban = 40001,
  kMnuViewWaku = 40002,
  kMnuSetKanban = 40003,
  kMnuKanbanReset = 40005,
};

class Form1 : public BaseWindow<Form1>, public BusProcedures {
 public:
  static constexpr int kClientWidthTw = 11460;
  static constexpr int kClientHeightTw = 3240;
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_APPWINDOW;

  Form1() = default;
  ~Form1();

  // Creates the window hidden and runs Form_Load, which reads the settings into it and the
  // panel; false when the system refuses the window.
  bool Create(PanelControls& panel);
  void Show();  // shows it, the sign box focused

  // The sign and the board, with their state; the rest of the settings' values.
  DestinationSign sign;
  Signboard board;
  std::wstring strDir1;          // `strDir` element 1: reserved, kept in the settings file
  int32_t lngSpare[2] = {0, 0};  // reserved numbers, kept in the settings file

  // Controls, by their names.
  HWND PicKanban = nullptr;
  HWND Picture1 = nullptr;
  // The middle door's leaves (0 left, 1 right) and the front door (index 2 of its array).
  std::array<LightImage, 2> imgNakaorido{LightImage{{5535, 750, 795, 2235}, {}},
                                         LightImage{{6330, 750, 795, 2235}, {}}};
  LightImage Image1{{345, 705, 1095, 2220}, {}};
  HMENU MnuTempMenu1 = nullptr;            // the popup menu

  // Public procedures called by other windows.
  void Check1_Click() override;
  void Check2_Click() override;
  void MnuEditHkPic_Click() override;
  void MnuHelpVer_Click() override;
  void ShowSignNumber(std::optional<int16_t> number) override;
  [[nodiscard]] bool picDir();  // true when the chooser is to open again on the rejected folder
  void SaveIni();
  void LoadIni();

  // Event handlers, also called directly.
  void PicKanban_DblClick() { board.LayoutFrame(); }
  void PicKanban_MouseDown(int button, int shift, float x, float y);
  void MnuViewKanban_Click();
  void MnuViewWaku_Click();
  void MnuSetKanban_Click() { board.ChoosePicture(hwnd_); }
  void MnuKanbanReset_Click() { board.Reset(); }
  void Picture1_KeyDown(int16_t keyCode, int shift);

  bool MenuChecked(UINT id) const;
  void SetMenuChecked(UINT id, bool checked);
  float OuterHeightTw() const { return WindowRectTw(hwnd_).height; }

  // Repaints the union of two rectangles of the window at once, without pumping messages.
  void RepaintNow(const RectTw& a, const RectTw& b);

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void MakeForDpi();  // the artwork and the users' pictures for the window's DPI

 private:
  friend class SignBox;
  friend class BoardBox;

  void Form_Load();
  void Form_Unload();
  void Form_MouseDown(int button, int shift, float x, float y);
  void Image1_Click() { SetFocus(Picture1); }
  void ImgDesiMaku_Click() { SetFocus(Picture1); }
  void Picture1_Click() { SetFocus(Picture1); }
  // At the pointer, or, given the window that has the focus, below it (the keyboard's place).
  void ShowPopupMenu(HWND focused = nullptr);
  bool CreateControls();
  void OnPress(UINT msg, LPARAM lp);

  // The door strokes' view of this window: its DPI, the repaint, the speed bar read at each step.
  StrokeWindow StrokeFor(int (PanelControls::*speed)() const);

  PanelControls* panel_ = nullptr;
  SignBox signBox_{*this};
  BoardBox boardBox_{*this};
  BusPainter painter_;
  FocusMemory focus_;  // Picture1, or the board after a click on it
  // A left press on the front door starts a click that the release completes.
  bool pressOnImage1_ = false;
};

}  // namespace rumona
