// The sign list's rules: which names are listed, their order, where the arrow keys step.
#include "bus_window/sign_list_logic.h"

#include <algorithm>

namespace rumona {

namespace {

wchar_t FoldCase(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + (L'a' - L'A'));
  // Latin-1 capitals, except the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
  // Full-width Latin capitals.
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<wchar_t>(c + 0x20);
  return c;
}

}  // namespace

bool MatchesPattern(std::wstring_view name, std::wstring_view pattern) {
  // Greedy wildcard match with one backtrack point: linear in practice, no recursion.
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

bool MatchesAnyPattern(std::wstring_view name, std::wstring_view patterns) {
  size_t start = 0;
  for (;;) {
    const size_t end = patterns.find(L';', start);
    const std::wstring_view one =
        patterns.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos
                                                              : end - start);
    if (!one.empty() && MatchesPattern(name, one)) return true;
    if (end == std::wstring_view::npos) return false;
    start = end + 1;
  }
}

bool IsListedAttributes(uint32_t attributes) {
  return (attributes & (kAttrDirectory | kAttrHidden | kAttrSystem)) == 0;
}

bool SignNameLess(std::wstring_view a, std::wstring_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const wchar_t fa = FoldCase(a[i]), fb = FoldCase(b[i]);
    if (fa != fb) return fa < fb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::vector<std::wstring> SignListFromDirectory(std::vector<DirEntry> entries) {
  std::vector<std::wstring> names;
  for (DirEntry& e : entries)
    if (IsListedAttributes(e.attributes) && MatchesAnyPattern(e.name, kSignPatterns))
      names.push_back(std::move(e.name));
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return SignNameLess(a, b); });
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
