#pragma once
// Text through the system's ANSI code page, where files and the shell's A functions want it.
// One rule both ways: a character the code page cannot hold becomes the code page's default
// character ('?'), and bytes that are no character become U+FFFD; nothing fails, so a path with
// such a character still reaches the disk or the dialog, as the system's own A functions do.
#include <windows.h>

#include <optional>
#include <string>

namespace rumona {

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);

// A chosen path in a form that the settings file, in the ANSI code page, reads back to the same
// place: the path itself, else its short 8.3 form. When there is none (the path does not exist,
// or its volume keeps no short names), says so in a message box owned by `owner` and returns
// nothing, so that the caller keeps what it had rather than store a path that would be lost.
std::optional<std::wstring> StorablePath(HWND owner, const std::wstring& path);

}  // namespace rumona
