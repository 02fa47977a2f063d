#pragma once
// The settings file. It lies beside the executable, or in the user's application-data folder
// when the executable's folder cannot be written.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "settings/settings_logic.h"

namespace rumona {

// The file's record, as far as its fields could be read: none when there is no file to read.
SettingsReadResult ReadSettingsFile();
// Writes the record in the old file's place once the new one is complete; empty when it is
// written, the path of the file otherwise (the old file then stays as it was).
std::wstring WriteSettingsFile(const SettingsRecord& record);

// The platform's SHGetFolderPathW, which names the user's application-data folder, unless a test
// puts a failure in its place.
extern decltype(&SHGetFolderPathW) shGetFolderPathCall;

}  // namespace rumona
