#pragma once
// Text through the system's ANSI code page, where files and the shell's A functions want it.
// One rule both ways: a character the code page cannot hold becomes the code page's default
// character ('?'), and bytes that are no character become U+FFFD; nothing fails, so a path with
// such a character still reaches the disk or the dialog, as the system's own A functions do.
#include <string>

namespace rumona {

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);

}  // namespace rumona
