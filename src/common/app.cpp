// The process's shared parts: the exe's name, error texts, fonts, COM, a missing library.
#include "common/app.h"

#include <ole2.h>
// MSVC declares the hook const unless told; MinGW-w64 declares it writable.
#define DELAYIMP_INSECURE_WRITABLE_HOOKS
#include <delayimp.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
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
  using Stub = INT_PTR(WINAPI*)();
  constexpr Stub kStubs[2][2] = {  // [returns an HRESULT][the library is missing]
      {&Unavailable<0, ERROR_PROC_NOT_FOUND>, &Unavailable<0, ERROR_MOD_NOT_FOUND>},
      {&Unavailable<E_FAIL, ERROR_PROC_NOT_FOUND>, &Unavailable<E_FAIL, ERROR_MOD_NOT_FOUND>}};
  return reinterpret_cast<FARPROC>(kStubs[hresult][info->hmodCur == exe]);
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
  text.erase(text.find_last_not_of(L"\r\n ") + 1);
  return text;
}

// MS PGothic and MS Gothic come with Japanese Windows and, since Windows 10, with its optional
// Japanese fonts elsewhere; Meiryo UI with Windows 7 and later; Yu Gothic UI with Windows 10.
std::vector<std::wstring> faceCandidates[2] = {
    {L"ＭＳ Ｐゴシック", L"MS PGothic", L"Meiryo UI", L"Yu Gothic UI"},
    {L"ＭＳ ゴシック", L"MS Gothic"}};

namespace {

// Every character of the program's own texts: its captions, messages, keypad and readouts, the
// version dialog's lines and link (Latin letters, digits, punctuation). A face is taken for what
// it can draw of these.
constexpr wchar_t kOwnCharacters[] =
    L" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
    L"abcdefghijklmnopqrstuvwxyz{|}~"
    L"この場所名前には、システム文字コードで表せないがあるため設定保存きまん。別を選くださカナラエ"
    L"　・：ぬべらりっとすてしかルモバジョン情報キャセパネフォダ中扉動作両方左右向幕参照型番製造工房"
    L"開発電算位置画像看板示枠リット指見つ再度お択クみ号上記内容関係者告";
constexpr int kOwnCount = static_cast<int>(std::size(kOwnCharacters)) - 1;

// Each face as chosen, with the candidates it was chosen from: other candidates choose again.
struct Chosen {
  std::vector<std::wstring> from;
  std::wstring face;
};
Chosen chosenFaces[2];

// A size given as the height of the line (the cell), not of the em: a face with a taller line
// box than MS PGothic, whose cell is its em, then draws smaller letters instead of lines that
// the controls cut.
LOGFONTW JapaneseLogFont(const std::wstring& face, double points, int dpi = 96) {
  LOGFONTW lf{};
  lf.lfHeight = static_cast<LONG>(points * dpi / 72.0 + 0.5);
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return lf;
}

bool FixedPitch(const TEXTMETRICW& tm) {
  return !(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // the bit means variable
}

// How many of the program's characters the face draws, or -1 where the system does not set text
// in this face itself (a face it substitutes counts: that is its own choice for the name) or,
// with `pitch`, not in that pitch (true: fixed), so that no proportional text is set in a wider
// fixed-pitch face.
int CharactersDrawn(HDC dc, const std::wstring& face, std::optional<bool> pitch) {
  const LOGFONTW lf = JapaneseLogFont(face, 9);
  ScopedFont font(CreateFontIndirectW(&lf));
  if (!font) return -1;
  ScopedSelect selected(dc, font.get());
  wchar_t used[LF_FACESIZE] = {};
  TEXTMETRICW tm{};
  GetTextFaceW(dc, LF_FACESIZE, used);
  GetTextMetricsW(dc, &tm);
  if (lstrcmpiW(used, face.c_str()) != 0 || (pitch && *pitch != FixedPitch(tm))) return -1;
  WORD glyphs[kOwnCount];
  if (GetGlyphIndicesW(dc, kOwnCharacters, kOwnCount, glyphs, GGI_MARK_NONEXISTING_GLYPHS) ==
      GDI_ERROR)
    return 0;
  return kOwnCount - static_cast<int>(std::count(glyphs, glyphs + kOwnCount, WORD{0xFFFF}));
}

// The system's horizontal Japanese faces, each with whether it is of fixed pitch.
std::vector<std::pair<std::wstring, bool>> SystemFaces(HDC dc) {
  std::vector<std::pair<std::wstring, bool>> faces;
  LOGFONTW all = JapaneseLogFont(L"", 9);
  auto add = [](const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD, LPARAM lp) -> int {
    if (lf->lfFaceName[0] != L'@')  // a face for vertical text
      reinterpret_cast<decltype(faces)*>(lp)->emplace_back(lf->lfFaceName, FixedPitch(*tm));
    return 1;
  };
  EnumFontFamiliesExW(dc, &all, add, reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

const std::wstring& ChosenFace(JapaneseFace which) {
  const int i = static_cast<int>(which);
  std::wstring& chosen = chosenFaces[i].face;
  if (!chosen.empty() && chosenFaces[i].from == faceCandidates[i]) return chosen;
  chosenFaces[i].from = faceCandidates[i];
  chosen.clear();
  ScopedGetDC dc(nullptr);
  int best = -1;
  const bool fixed = which == JapaneseFace::kGothic;
  auto consider = [&](const std::wstring& face, std::optional<bool> pitch) {
    const int drawn = CharactersDrawn(dc.get(), face, pitch);
    if (drawn > best) best = drawn, chosen = face;
    return drawn == kOwnCount;
  };
  for (const std::wstring& face : faceCandidates[i])
    if (consider(face, fixed)) return chosen;
  const auto system = SystemFaces(dc.get());
  for (const bool samePitch : {true, false})
    for (const auto& [face, isFixed] : system)
      if ((isFixed == fixed) == samePitch && consider(face, std::nullopt)) return chosen;
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
  static std::map<std::pair<int, std::wstring>, HFONT> made;
  HFONT& font = made[{dpi, ChosenFace(JapaneseFace::kPGothic)}];
  if (!font) font = CreateJapaneseFont(JapaneseFace::kPGothic, 9, dpi);
  return font;
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
