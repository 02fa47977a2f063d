// The version dialog, and the bus window's procedure that opens it.
#include "bus_window/frm_show_version.h"

#include <shellapi.h>

#include "../../qmr5res/qmr5res.h"
#include "bus_window/form1.h"
#include "common/app.h"
#include "common/modal.h"
#include "common/resource.h"
#include "rumona_version.h"  // the version has one source: the build

namespace rumona {

namespace {

constexpr wchar_t kDialogClass[] = L"RumonaFrmShowVersion";
constexpr wchar_t kLibraryName[] = L"QMR5Res.DLL";
constexpr char kUrlFunction[] = "NuberaHpURL";

HWND MakeLabel(WindowCore& dialog, const wchar_t* text, const RectTw& r,
               const ScopedFont* font = nullptr) {
  return dialog.MakeControl(dialog.hwnd(), L"STATIC", text, SS_LEFT | SS_NOPREFIX, r, 0, 0, font);
}

// What failed, in the system's own words, with the name of what could not be had, so that the
// user can tell the maker which file or function is missing.
std::wstring FailureDescription(const std::wstring& what, DWORD error, DWORD fallback) {
  return what + L": " + SystemErrorText(error ? error : fallback);
}

}  // namespace

frmShowVersion::frmShowVersion() : libraryPath(ExeFolder() + kLibraryName) {}

bool frmShowVersion::Create() {
  if (!Register(kDialogClass, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)))) return false;
  if (!CreateTopLevel(kDialogClass, kTitle, CW_USEDEFAULT, CW_USEDEFAULT, true)) return false;
  UseDialogKeys();
  Form_Load();
  return true;
}

// The icon and the cursor come in several sizes; the one for the DPI is taken.
void frmShowVersion::MakeForDpi() {
  titleFont_.reset(CreateJapaneseFont(JapaneseFace::kPGothic, 14.25, dpi(), true));
  modelFont_.reset(CreateJapaneseFont(JapaneseFace::kPGothic, 9.75, dpi(), true));
  linkFont_.reset(CreateJapaneseFont(JapaneseFace::kPGothic, 9, dpi(), false, true));
  const HINSTANCE inst = GetModuleHandleW(nullptr);
  const int size = ScaledPixels(32, dpi());
  versionIcon_.reset(static_cast<HICON>(
      LoadImageW(inst, MAKEINTRESOURCEW(IDI_VERSION), IMAGE_ICON, size, size, 0)));
  linkCursor_.reset(static_cast<HCURSOR>(
      LoadImageW(inst, MAKEINTRESOURCEW(IDC_HAND_LINK), IMAGE_CURSOR, size, size, 0)));
}

bool frmShowVersion::CreateControls() {
  MakeForDpi();

  // Creation order.
  Command1 = MakeControl(hwnd_, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON,
                         {3570, 2940, 1230, 345}, IDOK);  // Enter and Esc reach it
  Label1[1] = MakeLabel(*this, kModelPrefix, {165, 720, 4605, 270}, &modelFont_);
  Label5 = MakeControl(hwnd_, L"STATIC", L"ここをクリックするとぬべらHPが開きます。",
                       SS_LEFT | SS_NOPREFIX | SS_NOTIFY, {240, 2985, 3315, 225}, 0, 0,
                       &linkFont_);
  Label4 = MakeLabel(*this, L"", {15, 2835, 4965, 60});
  Label3[1] = MakeLabel(*this, L"開発：みなと電算工房　2025-2026", {165, 1545, 3225, 240});
  Label3[0] = MakeLabel(*this, L"製造：ぬべら工房　2026", {165, 1290, 3225, 240});
  Label2 = MakeLabel(*this, L"Varsion　" RUMONA_VERSION_TEXT, {165, 1035, 3225, 225});
  Label1[0] = MakeLabel(*this, L"ルモナ", {900, 240, 3840, 330}, &titleFont_);
  return ApplyTabOrder();
}

bool frmShowVersion::ApplyTabOrder() {
  // Dialog navigation follows the z-order of the children, so stack them by tab index.
  return StackInOrder({Label1[0], Label2, Label3[0], Command1, Label3[1], Label4, Label5,
                       Label1[1]});
}

void frmShowVersion::Form_Load() {
  SetWindowTextW(Label1[1], (std::wstring(kModelPrefix) + ExeBaseName()).c_str());
}

void frmShowVersion::Label5_Click() {
  const std::wstring function = std::wstring(kLibraryName) + L" / NuberaHpURL";
  std::wstring failure;
  // A broken library must not bring up the system's own error box on top of ours.
  DWORD oldMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
  ScopedLibrary library(LoadLibraryW(libraryPath.c_str()));
  const DWORD loadError = GetLastError();
  SetThreadErrorMode(oldMode, nullptr);
  if (!library) {
    failure = FailureDescription(libraryPath, loadError, ERROR_MOD_NOT_FOUND);
  } else {
    auto* proc = reinterpret_cast<NuberaHpURLProc>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), kUrlFunction)));
    if (!proc) {
      failure = FailureDescription(function, GetLastError(), ERROR_PROC_NOT_FOUND);
    } else if (const char* url = proc()) {
      // The text lives in the library: hand it over before the library goes.
      EnsureOle();
      // What the shell cannot open is not reported; 0 says that the call itself failed (the
      // shell could not be loaded, or the system is out of resources).
      if (!ShellExecuteA(hwnd_, "open", url, "", "", SW_SHOWNORMAL))
        failure = FailureDescription(L"shell32.dll / ShellExecuteA", GetLastError(),
                                     ERROR_OUTOFMEMORY);
    } else {
      failure = FailureDescription(function, ERROR_INVALID_DATA, ERROR_INVALID_DATA);
    }
  }
  if (!failure.empty())
    ShowMessage(hwnd_, failure + L"\r\n\r\n" + kReportRequest, MB_OK | MB_ICONHAND,
                kLinkErrorTitle);
}

void frmShowVersion::Command1_Click() { EndModal(*this); }

LRESULT frmShowVersion::OnCtlColorStatic(HDC dc, HWND control) {
  if (control == Label5) {
    // Transparent: the dialog's own white shows through around the link text.
    SetTextColor(dc, 0xFF0000);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  if (control == Label4) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  const bool white = control == Label3[0] || control == Label3[1];
  SetTextColor(dc, white ? 0xFFFFFF : 0x00FFFF);
  SetBkColor(dc, 0x4E4E4E);
  return reinterpret_cast<LRESULT>(labelBrush_.get());
}

bool frmShowVersion::OnSetCursor(HWND over, int hitTest) {
  if (over != Label5 || hitTest != HTCLIENT || !linkCursor_) return false;
  SetCursor(linkCursor_.get());
  return true;
}

void frmShowVersion::PaintContent(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RectPx px = ToPixels(kImage1Rect, dpi());
  if (versionIcon_)
    DrawIconEx(dc, px.left, px.top, versionIcon_.get(), 0, 0, 0, nullptr, DI_NORMAL);
}

LRESULT frmShowVersion::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (auto r = PaintMessage(msg, wp, [this](HDC dc, const RECT&) { PaintContent(dc); })) return *r;
  switch (msg) {
    case WM_CREATE:
      return CreateControls() ? 0 : -1;  // a missing control fails the creation
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        if (HIWORD(wp) == BN_CLICKED) Command1_Click();  // OK, Enter or Esc
      } else if (reinterpret_cast<HWND>(lp) == Label5 && HIWORD(wp) == STN_CLICKED) {
        Label5_Click();
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wp), LOWORD(lp))) return TRUE;
      break;
    case WM_ACTIVATE:
      // "OK" is the one control that takes the focus.
      if (LOWORD(wp) != WA_INACTIVE) SetFocus(Command1);
      return 0;
    case WM_CLOSE:
      Command1_Click();  // the close box unloads the dialog as "OK" does
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void Form1::MnuHelpVer_Click() {
  // Created afresh at each opening, so Form_Load refreshes the model line every time.
  frmShowVersion dialog;
  if (dialog.Create()) RunModal(dialog);
}

}  // namespace rumona
