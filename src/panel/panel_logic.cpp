// The keypad's rules: its keys' places and its display.
#include "panel/panel_logic.h"

namespace rumona {

RectTw KeypadKeyRect(int index) {
  constexpr float kColumnLeft[3] = {75, 570, 1065};
  constexpr float kRowTop[4] = {600, 990, 1380, 1770};
  // 1 to 9 fill the three upper rows from the bottom; 0, C and 設定 make the lowest row.
  const bool lowest = index == 0 || index >= kKeypadClear;
  const int column = index == 0 ? 0 : lowest ? index - kKeypadClear + 1 : (index - 1) % 3;
  const int row = lowest ? 3 : 2 - (index - 1) / 3;
  return {kColumnLeft[column], kRowTop[row], 510, 390};
}

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
