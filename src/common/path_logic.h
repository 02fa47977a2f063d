#pragma once
// Paths as text: joining, the folder, the base name.
#include <string>

namespace rumona {

// Appends "\" to a folder that does not end in one (an empty folder becomes "\").
inline void EnsureTrailingBackslash(std::wstring& folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
}

// Joins a folder and a file name with "\" only when the folder does not already end in one.
inline std::wstring JoinPath(std::wstring folder, const std::wstring& name) {
  EnsureTrailingBackslash(folder);
  return folder + name;
}

// "C:\Toys\toy.exe" -> folder "C:\Toys\" (always ending in "\"), base name "toy".
inline std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"\\" : path.substr(0, slash) + L'\\';
}
inline std::wstring BaseNameWithoutExtension(const std::wstring& path) {
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);  // npos + 1: the whole path
  const auto dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot != 0) name.resize(dot);
  return name;
}

}  // namespace rumona
