// The sign list read from the disk: a folder's picture files, sorted.
#include "bus_window/file_list.h"

#include "bus_window/sign_list_logic.h"
#include "common/path_logic.h"
#include "common/scoped_win.h"

namespace rumona {

namespace {

// Reads a folder's sign list; ERROR_SUCCESS or why it could not.
DWORD ReadSignList(const std::wstring& folder, std::vector<std::wstring>& names) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError();
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_PATH_NOT_FOUND;

  // Every name is read and matched here rather than by the system's wildcards, which also match
  // the short 8.3 names (so "*.jpg" would find "photo.jpgx").
  WIN32_FIND_DATAW data;
  ScopedFind find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0));
  std::vector<DirEntry> entries;
  // An empty drive root has not even a "." entry.
  if (!find && GetLastError() != ERROR_FILE_NOT_FOUND) return GetLastError();
  if (find) {
    do {
      entries.push_back(DirEntry{data.cFileName, data.dwFileAttributes});
    } while (FindNextFileW(find.get(), &data));
    if (GetLastError() != ERROR_NO_MORE_FILES) return GetLastError();
  }
  names = SignListFromDirectory(std::move(entries));
  return ERROR_SUCCESS;
}

}  // namespace

bool IsPathNotFound(DWORD error) {
  return error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND ||
         error == ERROR_INVALID_DRIVE;
}

FileList::FileList() {
  path_.resize(GetCurrentDirectoryW(0, nullptr));
  const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(path_.size()), path_.data());
  path_.resize(n < path_.size() ? n : 0);
  if (!path_.empty()) ReadSignList(path_, entries_);  // else, or when unreadable, it lists none
}

DWORD FileList::SetPath(const std::wstring& folder) {
  if (folder.empty()) return ERROR_SUCCESS;
  std::vector<std::wstring> names;
  const DWORD error = ReadSignList(folder, names);
  if (error != ERROR_SUCCESS) return error;
  path_ = folder;
  entries_ = std::move(names);
  return ERROR_SUCCESS;
}

std::wstring FileList::List(int index) const {
  return index >= 0 && index < ListCount() ? entries_[static_cast<size_t>(index)] : L"";
}

}  // namespace rumona
