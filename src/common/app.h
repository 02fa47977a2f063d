#pragma once
// What the whole process shares: the executable's name and folder, the system's error texts, the
// Japanese fonts, COM.
#include <windows.h>
#include <string>
#include <vector>

namespace rumona {

inline constexpr wchar_t kAppTitle[] = L"カナテラ";  // caption of the program's message boxes

std::wstring ExePath();
std::wstring ExeFolder();    // always ends in "\"
std::wstring ExeBaseName();  // the file name without its extension

// The system's own description of an error code, in the system's language, without the
// trailing line break.
std::wstring SystemErrorText(DWORD code);

// The two faces the texts are set in, by the names that Japanese Windows gives them.
enum class JapaneseFace { kPGothic, kGothic };  // "ＭＳ Ｐゴシック", "ＭＳ ゴシック"

// A font of the Japanese character set whose line is `points` high at `dpi`, in the first of the
// face's candidates that the system has in the same pitch (proportional or fixed) and that draws
// every character of the program's texts: the named face, its English name, then faces of newer
// systems; then the first such Japanese face of the system's own. Where none draws them all, the
// face that draws the most.
HFONT CreateJapaneseFont(JapaneseFace face, double points, int dpi, bool bold = false,
                         bool underline = false);
// The candidates of each face, by JapaneseFace; tests put another system's faces here, and the
// fonts made later follow.
extern std::vector<std::wstring> faceCandidates[2];

// The default font of the program's windows and controls at `dpi`, made once for each DPI.
HFONT DefaultUiFont(int dpi);

// COM for this thread, started at the first call: the picture decoders need it.
void EnsureCom();
// COM and OLE for this thread, started at the first call: only the shell's dialogs and the
// browser link need OLE, so a start that needs none of them does without.
void EnsureOle();
}  // namespace rumona
