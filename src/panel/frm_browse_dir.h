#pragma once
// The sign folder chooser: a text box for the folder, the shell's folder browser behind
// "参照(&B)...", and OK / キャンセル. Modal, without an owner, created afresh at each opening.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "common/base_window.h"

namespace rumona {

class frmBrowseDir : public BaseWindow<frmBrowseDir> {
 public:
  static constexpr int kClientWidthTw = 6900;
  static constexpr int kClientHeightTw = 1215;
  // A fixed dialog border: title bar and close box, no sizing, no minimize or maximize box,
  // no icon. An overlapped window, so that CW_USEDEFAULT gives the system's default place.
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  static constexpr wchar_t kClassName[] = L"RumonaFrmBrowseDir";
  static constexpr wchar_t kTitle[] = L"画像の位置";

  frmBrowseDir() = default;
  ~frmBrowseDir();
  frmBrowseDir(const frmBrowseDir&) = delete;
  frmBrowseDir& operator=(const frmBrowseDir&) = delete;

  // Creates the window hidden, with its controls; the opener fills Text1 and runs it modally.
  bool Create();

  // Controls, by their names: Command2[0] "OK", Command2[1] "キャンセル".
  std::array<HWND, 2> Command2{};
  HWND Command1 = nullptr;  // "参照(&B)..."
  HWND Text1 = nullptr;
  HWND Label2 = nullptr;
  HWND Label1 = nullptr;

  void Command1_Click();
  void Command2_Click(int16_t index);

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  void CreateControls();
  void Close();  // hide, then unload
  void RemoveTaskbarButton();
  void SetDefaultButton(HWND button);

  std::vector<HWND> tabOrder_;
  HWND lastFocus_ = nullptr;
  HWND defaultButton_ = nullptr;
};

}  // namespace rumona
