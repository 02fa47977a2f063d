// Paths as text: joining, the folder, the base name.
#include "common/path_logic.h"

namespace rumona {

void EnsureTrailingBackslash(std::wstring& folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
}

std::wstring JoinPath(std::wstring folder, const std::wstring& name) {
  EnsureTrailingBackslash(folder);
  return folder + name;
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L"\\";
  return path.substr(0, slash) + L'\\';
}

std::wstring BaseNameWithoutExtension(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot != 0) name.resize(dot);
  return name;
}

}  // namespace rumona
