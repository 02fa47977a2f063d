// The sign list's rules: which names are listed, their order, where the arrow keys step.
#include "bus_window/sign_list_logic.h"

#include <algorithm>

namespace rumona {

namespace {

constexpr size_t kMaxSignEntries = 32767;

wchar_t FoldCase(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + (L'a' - L'A'));
  // Latin-1 capitals, except the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
  // Full-width Latin capitals.
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<wchar_t>(c + 0x20);
  return c;
}

// Greedy wildcard match with one backtrack point: linear in practice, no recursion.
bool MatchesPattern(std::wstring_view name, std::wstring_view pattern) {
  size_t n = 0, p = 0;
  size_t starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == L'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

bool SignNameLess(std::wstring_view a, std::wstring_view b) {
  const auto folded = [](wchar_t x, wchar_t y) { return FoldCase(x) < FoldCase(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) return false;
  return a < b;
}

}  // namespace

bool MatchesAnyPattern(std::wstring_view name, std::wstring_view patterns) {
  for (size_t start = 0, end = 0; start <= patterns.size(); start = end + 1) {
    end = std::min(patterns.find(L';', start), patterns.size());
    const std::wstring_view one = patterns.substr(start, end - start);
    if (!one.empty() && MatchesPattern(name, one)) return true;
  }
  return false;
}

std::vector<std::wstring> SignListFromDirectory(std::vector<DirEntry> entries) {
  std::vector<std::wstring> names;
  for (DirEntry& e : entries)
    if (!(e.attributes & (kAttrDirectory | kAttrHidden | kAttrSystem)) &&
        MatchesAnyPattern(e.name, kSignPatterns))
      names.push_back(std::move(e.name));
  std::sort(names.begin(), names.end(), SignNameLess);
  if (names.size() > kMaxSignEntries) names.resize(kMaxSignEntries);
  return names;
}

std::optional<int32_t> StepSignIndex(int32_t index, int32_t count, int16_t keyCode) {
  const int32_t last = count - 1;
  switch (keyCode) {
    case kKeyUp:
      if (index <= 0) return std::nullopt;
      if (index > last) return std::max(last, 0);
      return index - 1;
    case kKeyDown:
      if (index >= last) return std::nullopt;
      return index + 1;
    default:
      return std::nullopt;
  }
}

}  // namespace rumona
