#pragma once
#include <string>

namespace rumona {

// Joins a folder and a file name with "\" only when the folder does not already end in one.
std::wstring JoinPath(std::wstring folder, const std::wstring& name);

// Appends "\" to a folder that does not end in one (an empty folder becomes "\").
void EnsureTrailingBackslash(std::wstring& folder);

// "C:\Toys\toy.exe" -> folder "C:\Toys\" (always ending in "\"), base name "toy".
std::wstring FolderOf(const std::wstring& path);
std::wstring BaseNameWithoutExtension(const std::wstring& path);

}  // namespace rumona
