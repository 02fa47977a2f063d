#include "bus_window/file_list.h"

namespace rumona {

// Listing arrives with the destination sign work.
FileList::FileList() {}

DWORD FileList::SetPath(const std::wstring& folder) {
  path_ = folder;
  return ERROR_SUCCESS;
}

int16_t FileList::ListCount() const { return static_cast<int16_t>(entries_.size()); }

std::wstring FileList::List(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return {};
  return entries_[static_cast<size_t>(index)];
}

}  // namespace rumona
