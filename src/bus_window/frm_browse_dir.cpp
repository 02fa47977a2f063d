// The sign folder chooser, and the bus window's procedure that opens it.
#include "bus_window/frm_browse_dir.h"

#include <shlobj.h>

#include "bus_window/form1.h"
#include "common/accessible_name.h"
#include "common/ansi.h"
#include "common/app.h"
#include "common/modal.h"
#include "common/twips_logic.h"

namespace rumona {

namespace {


constexpr DWORD kBrowsePathChars = 32768;  // the longest path Windows has

// The chooser's controls clip their siblings when they paint.
constexpr DWORD kClip = WS_CLIPSIBLINGS;

}  // namespace

std::optional<std::wstring> frmBrowseDir::Ask(HWND browserOwner, const std::wstring& folder) {
  frmBrowseDir dialog;
  if (!dialog.Create(browserOwner)) return std::nullopt;
  SetWindowTextW(dialog.Text1, folder.c_str());
  RunModal(dialog);
  return dialog.chosen_;
}

bool frmBrowseDir::Create(HWND browserOwner) {
  browserOwner_ = browserOwner;
  if (!Register(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) ||
      !CreateTopLevel(kClassName, kTitle, CW_USEDEFAULT, CW_USEDEFAULT, true))
    return false;
  UseDialogKeys();  // Alt+B as well
  return true;
}

bool frmBrowseDir::CreateControls() {
  // Creation order; the focus order is set apart below.
  // The buttons report their focus, so that the focused one is the default, as in a dialog.
  Command2[1] = MakeControl(hwnd_, L"BUTTON", L"キャンセル",
                            kClip | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY,
                            {5520, 825, 1230, 345}, IDCANCEL);
  Command2[0] = MakeControl(hwnd_, L"BUTTON", L"OK",
                            kClip | WS_TABSTOP | BS_DEFPUSHBUTTON | BS_NOTIFY,
                            {4200, 825, 1230, 345}, IDOK);
  Command1 = MakeControl(hwnd_, L"BUTTON", L"参照(&B)...",
                         kClip | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, {5655, 405, 1020, 345},
                         0);
  Text1 = MakeControl(hwnd_, L"EDIT", L"", kClip | WS_TABSTOP | ES_AUTOHSCROLL,
                      {555, 405, 5070, 300}, 0, WS_EX_CLIENTEDGE);
  SetAccessibleName(Text1, L"位置");  // an edit's label is looked for before it, not after
  Label2 = MakeControl(hwnd_, L"STATIC", L"方向幕のあるフォルダを指定してください",
                       kClip | SS_LEFT | SS_NOPREFIX, {135, 60, 3945, 225}, 0);
  Label1 = MakeControl(hwnd_, L"STATIC", L"位置：", kClip | SS_LEFT | SS_NOPREFIX,
                       {75, 465, 885, 210}, 0);
  // Text1 (0), Label1 (1, no stop), Command1 (2), OK (3), キャンセル (4), Label2 (5, no stop).
  tabOrder_ = {Text1, Command1, Command2[0], Command2[1]};
  focus_.Set(Text1);
  return Command2[0] && Command2[1] && Command1 && Text1 && Label2 && Label1;
}

void frmBrowseDir::SetDefaultButton(HWND button) {
  for (HWND b : {Command2[0], Command2[1], Command1})
    SendMessageW(b, BM_SETSTYLE, b == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  defaultButton_ = button;
}

void frmBrowseDir::Close() { EndModal(*this); }

void frmBrowseDir::Command1_Click() {
  const HWND owner = browserOwner_ ? browserOwner_ : hwnd_;
  EnsureOle();
  LPITEMIDLIST root = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &root))) root = nullptr;
  // The wide forms: the title and the path whatever the system's code page can hold.
  BROWSEINFOW request{};  // no display-name buffer, callback or image
  request.hwndOwner = owner;
  request.pidlRoot = root;
  request.lpszTitle = L"方向幕のあるフォルダを選択してください";
  request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;  // 1 | 2 = 3

  // The browser is owned by the bus window, so this window is held still by hand meanwhile;
  // and the browser enables its owner as it ends, which this dialog holds still in turn.
  const bool ownerEnabled = IsWindowEnabled(owner);
  focus_.Remember(hwnd_);
  EnableWindow(hwnd_, FALSE);
  LPITEMIDLIST chosen = SHBrowseForFolderW(&request);
  EnableWindow(owner, ownerEnabled);

  std::wstring path(kBrowsePathChars, L'\0');
  if (!chosen || !SHGetPathFromIDListEx(chosen, path.data(), kBrowsePathChars, GPFIDL_DEFAULT))
    path[0] = L'\0';
  path.resize(wcslen(path.c_str()));
  CoTaskMemFree(chosen);
  CoTaskMemFree(root);
  // Empty when cancelled, or for a place without a file-system path: the text stays.
  if (!path.empty()) {
    CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
    SetWindowTextW(Text1, path.c_str());
  }
  EnableWindow(hwnd_, TRUE);
  SetForegroundWindow(hwnd_);
}

void frmBrowseDir::Command2_Click(int16_t index) {
  if (index == 0) {
    // As typed, unless the settings file could not hold it: then in its short form, or, when
    // it has none, not at all, and the dialog stays open after the message.
    chosen_ = StorablePath(hwnd_, WindowText(Text1));
    if (chosen_) Close();
  } else if (index == 1) {
    Close();
  }
}

LRESULT frmBrowseDir::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  switch (msg) {
    case WM_CREATE:
      return CreateControls() ? 0 : -1;  // a missing control fails the creation
    case WM_COMMAND: {
      const int id = LOWORD(wp), code = HIWORD(wp);
      // A focused button is the one Enter presses; elsewhere it is "OK".
      const HWND control = reinterpret_cast<HWND>(lp);
      if (control == Text1 && code == EN_SETFOCUS) SetDefaultButton(Command2[0]);
      if (code == BN_SETFOCUS) SetDefaultButton(reinterpret_cast<HWND>(lp));
      if (code != BN_CLICKED) return 0;
      if (id == IDOK) Command2_Click(0);
      else if (id == IDCANCEL) Command2_Click(1);
      else if (control == Command1) Command1_Click();
      return 0;
    }
    case DM_GETDEFID:
      return MAKELRESULT(GetDlgCtrlID(defaultButton_ ? defaultButton_ : Command2[0]), DC_HASDEFID);
    case WM_ACTIVATE:
      focus_.OnActivate(hwnd_, wp);
      return 0;
    case WM_CLOSE:
      Command2_Click(1);  // the close box cancels
      return 0;
    case WM_DESTROY:
      ForgetAccessibleName(Text1);  // while the edit is still there
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

// The chosen folder is stored and the list pointed at it; a folder that is not found reopens the
// chooser on it once the message is answered.
void Form1::MnuEditHkPic_Click() {
  while (const std::optional<std::wstring> folder = frmBrowseDir::Ask(hwnd_, sign.Folder())) {
    sign.StoreFolder(*folder);
    if (!picDir()) return;
  }
}

}  // namespace rumona
