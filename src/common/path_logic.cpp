// Paths as text: joining, the folder, the base name.
#include "common/path_logic.h"

namespace rumona {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() == L'\\') return folder + name;
  return folder + L'\\' + name;
}

void EnsureTrailingBackslash(std::wstring& folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
  if (!folder.empty() && folder.back() == L'/') folder.back() = L'\\';
  EnsureTrailingBackslash(folder);
  return folder;
}

std::wstring BaseNameWithoutExtension(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot != 0) name.resize(dot);
  return name;
}

}  // namespace rumona
