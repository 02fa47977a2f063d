#pragma once
// The sign list: the picture files of one folder, sorted by name with case ignored. It reads the
// disk only when its folder is set; until then it lists the process's working folder at start.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rumona {

class FileList {
 public:
  // Takes the working folder of this moment and lists it.
  FileList();

  // Sets the folder and reads its matching files. Returns ERROR_SUCCESS, or the error why the
  // folder could not be listed; the list then keeps its old folder and entries. A folder that
  // does not exist, or a path that names a file, gives ERROR_PATH_NOT_FOUND (see IsPathNotFound).
  // The empty text names no folder: the list keeps its folder and entries and the call succeeds.
  [[nodiscard]] DWORD SetPath(const std::wstring& folder);
  const std::wstring& Path() const { return path_; }
  int16_t ListCount() const { return static_cast<int16_t>(entries_.size()); }
  std::wstring List(int index) const;  // empty when the index names no entry

 private:
  std::wstring path_;
  std::vector<std::wstring> entries_;
};

// Errors by which the platform says that a path does not exist.
bool IsPathNotFound(DWORD error);

}  // namespace rumona
