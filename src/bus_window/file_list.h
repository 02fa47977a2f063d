#pragma once
// The sign list: the picture files of one folder, sorted by name with case ignored. It reads the
// disk only when its folder is set; until then it lists the working folder at start.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rumona {

class FileList {
 public:
  FileList();

  // Sets the folder and reads its matching files. Returns ERROR_SUCCESS, or the error why the
  // folder could not be listed (ERROR_PATH_NOT_FOUND for a missing one); the list then keeps its
  // old folder and entries.
  DWORD SetPath(const std::wstring& folder);
  const std::wstring& Path() const { return path_; }
  int16_t ListCount() const;
  std::wstring List(int index) const;  // empty when the index names no entry

 private:
  std::wstring path_;
  std::vector<std::wstring> entries_;
};

}  // namespace rumona
