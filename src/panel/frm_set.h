#pragma once
// The control panel `frmSet`: door buttons, speed bars with readouts, the middle-door option
// group, the sign-number keypad, and the buttons that open the two dialogs. Always on top, no
// taskbar entry. Its handlers call the bus window's procedures; the keypad's are in keypad.cpp.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "common/base_window.h"
#include "common/container_frame.h"
#include "common/keyboard.h"
#include "common/peer_windows.h"
#include "common/picture.h"
#include "common/scoped_win.h"
#include "common/twips_logic.h"

namespace rumona {

class frmSet : public BaseWindow<frmSet>, public PanelControls {
 public:
  static constexpr int kClientWidthTw = 3945;
  static constexpr int kClientHeightTw = 2565;
  static constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

  // Creates the panel hidden, its handlers calling the bus window's procedures; false when the
  // system refuses the window or one of its controls.
  bool Create(BusProcedures& bus);

  // Controls, by their names.
  HWND Command3 = nullptr, FrameA = nullptr, HScroll1 = nullptr, HScroll2 = nullptr;
  HWND Check2 = nullptr, Check1 = nullptr, Frame2 = nullptr;
  std::array<HWND, 3> Option1{};
  HWND lblMaeSpeed = nullptr, lblNakaSpeed = nullptr, Frame1 = nullptr, Command1 = nullptr;
  std::array<HWND, 12> Command2{};
  HWND Label1 = nullptr;

  // What the bus window reads and its settings set.
  WindowCore& Window() override { return *this; }
  int Check1Value() const override { return IsChecked(Check1) ? 1 : 0; }
  int Check2Value() const override { return IsChecked(Check2) ? 1 : 0; }
  int HScroll1Value() const override { return scrollValue_[0]; }
  int HScroll2Value() const override { return scrollValue_[1]; }
  void SetHScroll1Value(int value) override { SetScrollValue(0, value); }
  void SetHScroll2Value(int value) override { SetScrollValue(1, value); }
  bool Option1Value(int index) const override;
  void SelectOption1(int index) override;

  // Event handlers.
  void Check1_Click();
  void Check2_Click();
  void HScroll1_Change();
  void HScroll2_Change();
  void Command1_Click();
  void Command3_Click();
  void Command2_Click(int16_t index);  // the keypad

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void MakeForDpi();  // the fonts and the door pictures for the panel's DPI

 private:
  static constexpr UINT kNameBarsMessage = WM_APP + 1;  // posted to itself once it is made
  bool CreateControls();  // false when a control could not be made
  bool ApplyTabOrder();
  void SetScrollValue(int bar, int value);
  void OnScroll(HWND bar, int code);
  void OnCommand(int code, HWND control);
  LRESULT OnCtlColor(HDC dc, HWND control);
  void DrawKey(const DRAWITEMSTRUCT& item);

  BusProcedures* bus_ = nullptr;
  std::array<int, 2> scrollValue_{6000, 10000};
  Picture maePicture_, nakaPicture_;
  ScopedFont digitFont_, displayFont_;
  ScopedBrush blackBrush_{CreateSolidBrush(0x000000)};
  ScopedBrush optionBrush_{CreateSolidBrush(0xE0E0E0)};
  ScopedBrush panelBrush_{CreateSolidBrush(0x404040)};
  FocusMemory focus_;
  ContainerFrame frameA_, frame2_, frame1_;
};

}  // namespace rumona
