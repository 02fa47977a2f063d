#pragma once
// What several windows share: the executable's name and folder, message boxes, modal loops, fonts.
#include <windows.h>
#include <string>
#include <vector>

namespace rumona {

inline constexpr wchar_t kAppTitle[] = L"カナテラ";  // caption of the program's message boxes

std::wstring ExePath();
std::wstring ExeFolder();    // always ends in "\"
std::wstring ExeBaseName();  // the file name without its extension

// A message box captioned with the application's title unless a caption is given. Without an
// owner and with MB_TASKMODAL, every window of the thread waits for it, and the window that was
// active is active again afterwards.
int ShowMessage(HWND owner, const std::wstring& text, UINT style = MB_OK,
                const wchar_t* caption = kAppTitle);

// The system's own description of an error code, in the system's language, without the
// trailing line break.
std::wstring SystemErrorText(DWORD code);

// The two faces the texts are set in, by the names that Japanese Windows gives them.
enum class JapaneseFace { kPGothic, kGothic };  // "ＭＳ Ｐゴシック", "ＭＳ ゴシック"

// A font of the Japanese character set at a size in points (96 DPI), in the first face of the
// face's candidates that the system has in the same pitch (proportional or fixed): the named face,
// its English name, then faces of newer systems. A system with none of them gives a Japanese face
// of that pitch of its own, so that no proportional text is set in a wider fixed-pitch face.
HFONT CreateJapaneseFont(JapaneseFace face, double points, bool bold = false,
                         bool underline = false);
// Replaces a face's candidates (tests: another system's faces) and returns the previous ones;
// the fonts made later follow.
std::vector<std::wstring> SetFaceCandidates(JapaneseFace face,
                                            std::vector<std::wstring> candidates);

// The default font of the program's windows and controls.
HFONT DefaultUiFont();

// Shows a window modally with no owner: every other window of the thread is disabled until the
// window is destroyed, while a nested message loop runs. Returns when it is gone, with the
// window that was active when it opened active again.
void RunModal(HWND dialog);
// Closes a window that RunModal shows, as EndDialog does: the other windows are enabled and the
// opener activated before it hides, so that the system does not hand the activation to the
// next window of another program.
void EndModal(HWND dialog);

// Gives a top-level window a focus order across its nested containers (Tab and Shift+Tab),
// instead of the per-container order that dialog navigation would take.
void SetTabOrder(HWND root, const std::vector<HWND>* order);
// Whether a control can take the focus: it and its containers (not the top-level window) are
// enabled and visible, and of a group of option buttons only the selected one can.
bool CanTakeFocus(HWND control);
// The next control in that order that can take the focus.
HWND NextTabStop(HWND root, HWND from, bool backwards);

// Gives a top-level window Tab, Enter and Esc as in a dialog, in every message loop of the
// program. ForgetDialogKeys takes that and its tab order off again as the window goes.
void UseDialogKeys(HWND window);
void ForgetDialogKeys(HWND window);
// Hands one message to its window, through the dialog-style keyboard handling of whichever
// window it belongs to.
void DispatchWithDialogKeys(MSG& msg);

// COM for this thread, started at the first call: the picture decoders need it.
void EnsureCom();
// COM and OLE for this thread, started at the first call: only the shell's dialogs and the
// browser link need OLE, so a start that needs none of them does without.
void EnsureOle();

// Processes every window message that is pending now, once.
void DoEvents();

// Client-area size in pixels -> outer window rectangle for the given styles.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

}  // namespace rumona
