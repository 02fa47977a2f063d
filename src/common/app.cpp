#include "common/app.h"

#include <ole2.h>
// MSVC declares the hook const unless told; MinGW-w64 declares it writable.
#define DELAYIMP_INSECURE_WRITABLE_HOOKS
#include <delayimp.h>

#include <vector>

#include "common/path_logic.h"
#include "common/scoped_win.h"
#include "common/window_parts.h"

namespace rumona {

namespace {

// What a delay-loaded function that cannot be had runs instead: it fails as the function itself
// can, so that its caller takes its own failure path. It takes no parameters: on x64 the caller
// cleans up whatever arguments it passed.
template <INT_PTR kResult, DWORD kError>
INT_PTR WINAPI Unavailable() {
  SetLastError(kError);
  return kResult;
}

// The delay-loaded functions that return an HRESULT (an HRESULT of 0 is success); every other
// one fails with 0: FALSE, a null handle or pointer.
constexpr const char* kReturnsHresult[] = {"CoCreateInstance", "CoInitializeEx", "OleInitialize",
                                            "SHGetFolderPathW", "SHGetSpecialFolderLocation"};

// Without this hook a library or function that cannot be loaded raises an exception that ends
// the process. A library that cannot be loaded is replaced with the exe, which exports nothing,
// so that each of its functions comes back here as one that cannot be found.
FARPROC WINAPI OnDelayLoadFailure(unsigned reason, PDelayLoadInfo info) {
  const HMODULE exe = GetModuleHandleW(nullptr);
  if (reason == dliFailLoadLib) return reinterpret_cast<FARPROC>(exe);
  if (reason != dliFailGetProc || !info->dlp.fImportByName) return nullptr;
  bool hresult = false;
  for (const char* name : kReturnsHresult) hresult |= lstrcmpA(name, info->dlp.szProcName) == 0;
  const bool noLibrary = info->hmodCur == exe;
  INT_PTR(WINAPI * stub)() =
      hresult ? (noLibrary ? &Unavailable<E_FAIL, ERROR_MOD_NOT_FOUND>
                           : &Unavailable<E_FAIL, ERROR_PROC_NOT_FOUND>)
              : (noLibrary ? &Unavailable<0, ERROR_MOD_NOT_FOUND>
                           : &Unavailable<0, ERROR_PROC_NOT_FOUND>);
  return reinterpret_cast<FARPROC>(stub);
}

}  // namespace

std::wstring ExePath() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) return std::wstring(buf.data(), n);
    buf.resize(buf.size() * 2);
  }
}

std::wstring ExeFolder() { return FolderOf(ExePath()); }

std::wstring ExeBaseName() { return BaseNameWithoutExtension(ExePath()); }

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buf = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  std::wstring text = n && buf ? std::wstring(buf, n) : L"エラー " + std::to_wstring(code);
  if (buf) LocalFree(buf);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return text;
}

namespace {

// MS PGothic and MS Gothic come with Japanese Windows and, since Windows 10, with its optional
// Japanese fonts elsewhere; Meiryo UI with Windows 7 and later; Yu Gothic UI with Windows 10.
// Without MS Gothic, the fixed-pitch texts (digits) take any fixed-pitch Japanese face.
std::vector<std::wstring> faceCandidates[2] = {
    {L"ＭＳ Ｐゴシック", L"MS PGothic", L"Meiryo UI", L"Yu Gothic UI"},
    {L"ＭＳ ゴシック", L"MS Gothic"}};
std::wstring chosenFaces[2];  // empty until chosen
HFONT defaultUiFont;

LOGFONTW JapaneseLogFont(const std::wstring& face, double points) {
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(points * 96.0 / 72.0 + 0.5);
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return lf;
}

// Whether the system sets text in this face itself (a face it substitutes counts: that is its
// own choice for the name) and in the pitch asked for. A missing face answers with another name.
bool HasFace(HDC dc, const std::wstring& face, bool fixed) {
  const LOGFONTW lf = JapaneseLogFont(face, 9);
  ScopedFont font(CreateFontIndirectW(&lf));
  ScopedSelect selected(dc, font.get());
  wchar_t used[LF_FACESIZE] = {};
  TEXTMETRICW tm{};
  GetTextFaceW(dc, LF_FACESIZE, used);
  GetTextMetricsW(dc, &tm);
  const bool usedFixed = !(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // the bit means variable
  return lstrcmpiW(used, face.c_str()) == 0 && usedFixed == fixed;
}

const std::wstring& ChosenFace(JapaneseFace which) {
  const int i = static_cast<int>(which);
  const bool fixed = which == JapaneseFace::kGothic;
  std::wstring& chosen = chosenFaces[i];
  if (!chosen.empty()) return chosen;
  ScopedGetDC dc(nullptr);
  for (const std::wstring& face : faceCandidates[i])
    if (HasFace(dc.get(), face, fixed)) return chosen = face;
  // None: the system's first horizontal Japanese face of that pitch, else its mapper's choice.
  LOGFONTW all = JapaneseLogFont(L"", 9);
  std::pair<bool, std::wstring*> search{fixed, &chosen};
  EnumFontFamiliesExW(dc.get(), &all, [](const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM lp) {
    auto* s = reinterpret_cast<std::pair<bool, std::wstring*>*>(lp);
    if (lf->lfFaceName[0] == L'@' || ((lf->lfPitchAndFamily & 3) == FIXED_PITCH) != s->first)
      return 1;
    *s->second = lf->lfFaceName;
    return 0;
  }, reinterpret_cast<LPARAM>(&search), 0);
  if (chosen.empty() && !faceCandidates[i].empty()) chosen = faceCandidates[i].front();
  return chosen;
}

}  // namespace

HFONT CreateJapaneseFont(JapaneseFace face, double points, bool bold, bool underline) {
  LOGFONTW lf = JapaneseLogFont(ChosenFace(face), points);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline ? TRUE : FALSE;
  return CreateFontIndirectW(&lf);
}

std::vector<std::wstring> SetFaceCandidates(JapaneseFace face,
                                            std::vector<std::wstring> candidates) {
  std::swap(faceCandidates[static_cast<int>(face)], candidates);
  chosenFaces[static_cast<int>(face)].clear();
  defaultUiFont = nullptr;  // the windows made before keep theirs
  return candidates;
}

HFONT DefaultUiFont() {
  if (!defaultUiFont) defaultUiFont = CreateJapaneseFont(JapaneseFace::kPGothic, 9);
  return defaultUiFont;
}

namespace {
constexpr wchar_t kModalProp[] = L"RumonaModal";

// The windows of the thread that a modal window holds still, and the window that was active
// when it opened: the one that gets the activation back.
struct HeldWindows {
  HWND keep, opener;
  std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM lp) {
  auto* held = reinterpret_cast<HeldWindows*>(lp);
  if (hwnd != held->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    held->disabled.push_back(hwnd);
  }
  return TRUE;
}

HeldWindows Hold(HWND keep) {
  HeldWindows held{keep, GetActiveWindow(), {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOthers, reinterpret_cast<LPARAM>(&held));
  return held;
}

// Once only: enables what was held and activates the opener.
void Release(HeldWindows& held) {
  for (HWND hwnd : held.disabled)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  held.disabled.clear();
  if (held.opener && IsWindowVisible(held.opener) && IsWindowEnabled(held.opener))
    SetForegroundWindow(held.opener);
  held.opener = nullptr;
}
}  // namespace

int ShowMessage(HWND owner, const std::wstring& text, UINT style, const wchar_t* caption) {
  if (owner || !(style & MB_TASKMODAL)) return MessageBoxW(owner, text.c_str(), caption, style);
  // Every window of the thread waits for the box, as MB_TASKMODAL has it; but the box is owned
  // by the active window, which it enables again before it hides, as a dialog's end does, so
  // that the activation goes back there rather than to another program's window.
  HeldWindows held = Hold(GetActiveWindow());
  const int answer = MessageBoxW(held.opener, text.c_str(), caption,
                                 held.opener ? style & ~MB_TASKMODAL : style);
  Release(held);
  return answer;
}

void RunModal(HWND dialog) {
  HeldWindows held = Hold(dialog);
  SetPropW(dialog, kModalProp, &held);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  MSG msg;
  while (IsWindow(dialog)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // keep the quit for the outer loop
      break;
    }
    if (got < 0) break;
    DispatchWithDialogKeys(msg);
  }
  if (IsWindow(dialog)) RemovePropW(dialog, kModalProp);
  Release(held);
}

void EndModal(HWND dialog) {
  if (auto* held = static_cast<HeldWindows*>(GetPropW(dialog, kModalProp))) Release(*held);
  ShowWindow(dialog, SW_HIDE);
  DestroyWindow(dialog);
}

namespace {
constexpr wchar_t kTabOrderProp[] = L"RumonaTabOrder";
constexpr wchar_t kDialogKeysProp[] = L"RumonaDialogKeys";
}  // namespace

bool CanTakeFocus(HWND hwnd) {
  if (!IsWindow(hwnd)) return false;
  // The control and its containers; the top-level window's own state is its opener's concern.
  for (HWND w = hwnd; GetWindowLongW(w, GWL_STYLE) & WS_CHILD; w = GetParent(w))
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) || !IsWindowEnabled(w)) return false;
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (lstrcmpiW(cls, L"Button") == 0 && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON))
    return IsChecked(hwnd);
  return true;
}

void SetTabOrder(HWND root, const std::vector<HWND>* order) {
  SetPropW(root, kTabOrderProp, reinterpret_cast<HANDLE>(const_cast<std::vector<HWND>*>(order)));
}

void UseDialogKeys(HWND window) { SetPropW(window, kDialogKeysProp, reinterpret_cast<HANDLE>(1)); }

void ForgetDialogKeys(HWND window) {
  RemovePropW(window, kDialogKeysProp);
  RemovePropW(window, kTabOrderProp);
}

HWND NextTabStop(HWND root, HWND from, bool backwards) {
  auto* order = static_cast<const std::vector<HWND>*>(GetPropW(root, kTabOrderProp));
  if (!order || order->empty()) return nullptr;
  const int n = static_cast<int>(order->size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if ((*order)[i] == from) at = i;
  for (int step = 1; step <= n; ++step) {
    int i = backwards ? (at - step + 2 * n) % n : (at + step) % n;
    if (at < 0) i = backwards ? n - step : step - 1;
    if (CanTakeFocus((*order)[i])) return (*order)[i];
  }
  return nullptr;
}

namespace {
bool PreTranslateDialogMessage(MSG& msg) {
  if (!msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetPropW(root, kTabOrderProp)) {
    if (HWND next = NextTabStop(root, GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
      SetFocus(next);
      if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next, EM_SETSEL, 0, -1);
    }
    return true;
  }
  if (!GetPropW(root, kDialogKeysProp)) return false;
  return IsDialogMessageW(root, &msg) != FALSE;
}
}  // namespace

void DispatchWithDialogKeys(MSG& msg) {
  if (PreTranslateDialogMessage(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void DoEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    DispatchWithDialogKeys(msg);
  }
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
  RECT rc{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void EnsureCom() {
  static thread_local const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)started;  // a failure shows in the call that needed it
}

void EnsureOle() {
  static thread_local const HRESULT started = OleInitialize(nullptr);
  (void)started;  // a failure shows in the call that needed it
}

}  // namespace rumona

extern "C" {
PfnDliHook __pfnDliFailureHook2 = rumona::OnDelayLoadFailure;
}
