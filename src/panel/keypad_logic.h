#pragma once
// The keypad display's rules: a string of up to six decimal digits naming a sign-list entry.
#include <cstdint>
#include <optional>
#include <string>

namespace rumona {

inline constexpr size_t kKeypadMaxDigits = 6;

// The key indices of the keypad's control array beyond the digits 0 to 9.
inline constexpr int16_t kKeypadClear = 10;
inline constexpr int16_t kKeypadSet = 11;

// The display after a digit key: the digit appended, unless the display is already full.
std::wstring KeypadAfterDigit(const std::wstring& display, int digit);

// The entry number the display names, as a 16-bit number: the empty display is 0, leading zeros
// count for nothing; no value above 32767 or for anything but digits.
std::optional<int16_t> KeypadEntryNumber(const std::wstring& display);

}  // namespace rumona
