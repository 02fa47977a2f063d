#pragma once
// The version dialog: the program's name, its model line, version and credits, and a link line
// that opens the maker's home page, whose address the maker's library QMR5Res.DLL gives. The bus
// window's MnuHelpVer_Click, which opens it, is in frm_show_version.cpp.
#include <windows.h>

#include <array>
#include <string>

#include "common/base_window.h"
#include "common/scoped_win.h"
#include "common/twips_logic.h"

namespace rumona {

class frmShowVersion : public BaseWindow<frmShowVersion> {
 public:
  static constexpr int kClientWidthTw = 4995;
  static constexpr int kClientHeightTw = 3345;
  static constexpr DWORD kStyle = kFixedDialogStyle;
  static constexpr DWORD kExStyle = kFixedDialogExStyle;
  static constexpr wchar_t kTitle[] = L"ルモナのバージョン情報";
  static constexpr wchar_t kModelPrefix[] = L"型番・製造番号：";
  static constexpr wchar_t kLinkErrorTitle[] = L"Nubhpurl.dllのエラー";
  static constexpr wchar_t kReportRequest[] = L" 上記内容をぬべらHP関係者まで報告してください。";
  static constexpr RectTw kImage1Rect{285, 165, 480, 480};

  frmShowVersion();

  // Creates the window hidden with its controls and runs Form_Load; the opener runs it modally.
  bool Create();

  // The maker's library, loaded by its full path beside the exe so that no other folder on the
  // DLL search path (the current directory among them) can slip in a library of that name.
  // Tests point it elsewhere.
  std::wstring libraryPath;

  // Controls, by their names; Image1 is lightweight (painted by the dialog at kImage1Rect).
  HWND Command1 = nullptr;
  std::array<HWND, 2> Label1{};
  HWND Label5 = nullptr;
  HWND Label4 = nullptr;
  std::array<HWND, 2> Label3{};
  HWND Label2 = nullptr;

  // Event handlers.
  void Form_Load();
  void Label5_Click();
  void Command1_Click();

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void MakeForDpi();  // the fonts, the icon and the link's cursor for the dialog's DPI

 private:
  bool CreateControls();  // false when a control could not be made
  bool ApplyTabOrder();
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  bool OnSetCursor(HWND over, int hitTest);
  void PaintContent(HDC dc);  // the white background and Image1

  ScopedFont titleFont_, modelFont_, linkFont_;
  ScopedBrush labelBrush_{CreateSolidBrush(0x4E4E4E)};
  ScopedIcon versionIcon_;
  ScopedCursor linkCursor_;
};

}  // namespace rumona
