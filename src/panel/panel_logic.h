#pragma once
// The keypad's rules apart from its window: its display, a string of up to six decimal digits
// naming a sign-list entry.
#include <cstdint>
#include <optional>
#include <string>

#include "common/twips_logic.h"

namespace rumona {

inline constexpr size_t kKeypadMaxDigits = 6;

// The key indices of the keypad's control array beyond the digits 0 to 9.
inline constexpr int16_t kKeypadClear = 10;
inline constexpr int16_t kKeypadSet = 11;

// Where key `index` (0 to 11) sits in the keypad's frame, rows from the top: 7 8 9 / 4 5 6 /
// 1 2 3 / 0 C 設定, as on a calculator.
RectTw KeypadKeyRect(int index);

// The display after a digit key: the digit appended, unless the display is already full.
std::wstring KeypadAfterDigit(const std::wstring& display, int digit);

// The entry number the display names, as a 16-bit number: the empty display is 0, leading zeros
// count for nothing; no value above 32767 or for anything but digits.
std::optional<int16_t> KeypadEntryNumber(const std::wstring& display);

}  // namespace rumona
