#pragma once
// The sign list's decisions, apart from the file system: which names and attributes are listed,
// their order, and where the Up and Down keys step to.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rumona {

inline constexpr wchar_t kSignPatterns[] = L"*.bmp;*.wmf;*.emf;*.gif;*.jpg;*.jpeg;*.png";

// Any pattern of a ";"-separated list ("*" any run, "?" any one character) against a whole name,
// letter case ignored.
bool MatchesAnyPattern(std::wstring_view name, std::wstring_view patterns);

// File attribute bits as the file system reports them.
inline constexpr uint32_t kAttrReadOnly = 0x1;
inline constexpr uint32_t kAttrHidden = 0x2;
inline constexpr uint32_t kAttrSystem = 0x4;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrNormal = 0x80;

// The folder's listing reduced to the sign list: the matching names of files that are no folder,
// hidden or system file, at most 32767 of them (the list's count is a 16-bit signed number), in
// ascending order with letter case ignored. Names are compared code unit by code unit after
// folding capitals (ASCII, Latin-1 and full-width) to small letters, so "_" and digits come before
// letters, as in Explorer; names equal but for case keep a fixed order (capitals first).
struct DirEntry {
  std::wstring name;
  uint32_t attributes = 0;
};
std::vector<std::wstring> SignListFromDirectory(std::vector<DirEntry> entries);

inline constexpr int16_t kKeyUp = 38;
inline constexpr int16_t kKeyDown = 40;

// Where a key steps the current sign index in a list of `count` entries; no value when the key
// changes nothing and no picture is to be loaded. Up stops at 0; Down stops at the last entry
// and never moves an index that already lies at or past it; an index left past the end by a
// smaller list goes back to the last entry (or 0 for an empty list) with one Up.
std::optional<int32_t> StepSignIndex(int32_t index, int32_t count, int16_t keyCode);

}  // namespace rumona
