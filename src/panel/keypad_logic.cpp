#include "panel/keypad_logic.h"

namespace rumona {

std::wstring KeypadAfterDigit(const std::wstring& display, int digit) {
  if (display.size() >= kKeypadMaxDigits || digit < 0 || digit > 9) return display;
  return display + static_cast<wchar_t>(L'0' + digit);
}

std::optional<int16_t> KeypadEntryNumber(const std::wstring& display) {
  int32_t value = 0;
  for (wchar_t c : display) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
    if (value > INT16_MAX) return std::nullopt;  // also keeps long inputs from overflowing
  }
  return static_cast<int16_t>(value);
}

}  // namespace rumona
