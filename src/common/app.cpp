// The process's shared parts: the exe's name, error texts, fonts, COM, a missing library.
#include "common/app.h"

#include <ole2.h>
// MSVC declares the hook const unless told; MinGW-w64 declares it writable.
#define DELAYIMP_INSECURE_WRITABLE_HOOKS
#include <delayimp.h>

#include <vector>

#include "common/path_logic.h"
#include "common/scoped_win.h"

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

// MS PGothic and MS Gothic come with Japanese Windows and, since Windows 10, with its optional
// Japanese fonts elsewhere; Meiryo UI with Windows 7 and later; Yu Gothic UI with Windows 10.
// Without MS Gothic, the fixed-pitch texts (digits) take any fixed-pitch Japanese face.
std::vector<std::wstring> faceCandidates[2] = {
    {L"ＭＳ Ｐゴシック", L"MS PGothic", L"Meiryo UI", L"Yu Gothic UI"},
    {L"ＭＳ ゴシック", L"MS Gothic"}};

namespace {

// Each face as chosen, with the candidates it was chosen from: other candidates choose again.
struct Chosen {
  std::vector<std::wstring> from;
  std::wstring face;
};
Chosen chosenFaces[2];

LOGFONTW JapaneseLogFont(const std::wstring& face, double points, int dpi = 96) {
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(points * dpi / 72.0 + 0.5);
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
  std::wstring& chosen = chosenFaces[i].face;
  if (!chosen.empty() && chosenFaces[i].from == faceCandidates[i]) return chosen;
  chosenFaces[i].from = faceCandidates[i];
  chosen.clear();
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

HFONT CreateJapaneseFont(JapaneseFace face, double points, int dpi, bool bold, bool underline) {
  LOGFONTW lf = JapaneseLogFont(ChosenFace(face), points, dpi);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline ? TRUE : FALSE;
  return CreateFontIndirectW(&lf);
}

// Kept for the process, and made again when the face changes; the windows made before keep
// theirs.
HFONT DefaultUiFont(int dpi) {
  struct Made {
    int dpi;
    std::wstring face;
    HFONT font;
  };
  static std::vector<Made> made;
  const std::wstring& face = ChosenFace(JapaneseFace::kPGothic);
  for (const Made& m : made)
    if (m.dpi == dpi && m.face == face) return m.font;
  made.push_back({dpi, face, CreateJapaneseFont(JapaneseFace::kPGothic, 9, dpi)});
  return made.back().font;
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
