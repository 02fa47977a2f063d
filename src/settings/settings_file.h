#pragma once
// Where the settings file goes when the executable's folder refuses it.
#include <windows.h>
#include <shlobj.h>

namespace rumona {

// The platform's SHGetFolderPathW, which names the user's application-data folder, unless a test
// puts a failure in its place.
extern decltype(&SHGetFolderPathW) shGetFolderPathCall;

}  // namespace rumona
