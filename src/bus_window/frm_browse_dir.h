#pragma once
// The sign folder chooser `frmBrowseDir`: a text box for the folder, the shell's folder browser
// behind "参照(&B)...", and OK / キャンセル. Modal, owned by no visible window, created afresh at
// each opening. The bus window's MnuEditHkPic_Click, which opens it, is in frm_browse_dir.cpp.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/base_window.h"
#include "common/keyboard.h"

namespace rumona {

class frmBrowseDir : public BaseWindow<frmBrowseDir> {
 public:
  static constexpr int kClientWidthTw = 6900;
  static constexpr int kClientHeightTw = 1215;
  static constexpr DWORD kStyle = kFixedDialogStyle;
  static constexpr DWORD kExStyle = kFixedDialogExStyle;
  static constexpr wchar_t kClassName[] = L"RumonaFrmBrowseDir";
  static constexpr wchar_t kTitle[] = L"画像の位置";


  // Runs a chooser modally, `folder` in its text box: the folder OK stored (as typed, or in the
  // short form the settings file can hold), nothing when it was cancelled or could not open.
  // The folder browser it offers is owned by `browserOwner`.
  static std::optional<std::wstring> Ask(HWND browserOwner, const std::wstring& folder);

  // Creates the window hidden, with its controls.
  bool Create(HWND browserOwner = nullptr);

  // Controls, by their names: Command2[0] "OK", Command2[1] "キャンセル".
  std::array<HWND, 2> Command2{};
  HWND Command1 = nullptr;  // "参照(&B)..."
  HWND Text1 = nullptr;
  HWND Label2 = nullptr;
  HWND Label1 = nullptr;

  void Command1_Click();
  void Command2_Click(int16_t index);

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void MakeForDpi() {}  // its controls take the program's default font, made for each DPI

 private:
  bool CreateControls();  // false when a control could not be made
  void Close();  // hide, then unload
  void SetDefaultButton(HWND button);

  HWND browserOwner_ = nullptr;
  std::optional<std::wstring> chosen_;
  FocusMemory focus_;
  HWND defaultButton_ = nullptr;
};

}  // namespace rumona
