#include <gtest/gtest.h>

#include <string>

#include "panel/keypad_logic.h"

namespace rumona {
namespace {

TEST(KeypadDisplay, HoldsAtMostSixDigits) {
  std::wstring display;
  for (int digit = 1; digit <= 7; ++digit) display = KeypadAfterDigit(display, digit);
  EXPECT_EQ(display, L"123456");
  EXPECT_EQ(KeypadAfterDigit(L"00000", 0), L"000000");
  EXPECT_EQ(KeypadAfterDigit(L"12", kKeypadClear), L"12");
}

TEST(KeypadDisplay, NamesASixteenBitEntryWithEmptyAsZero) {
  const std::pair<const wchar_t*, std::optional<int16_t>> cases[] = {
      {L"", 0},        {L"007", 7},  {L"32767", 32767}, {L"032767", 32767},
      {L"32768", {}},  {L"999999", {}}, {L"99999999999999999999", {}}, {L"1 2", {}}};
  for (const auto& [display, number] : cases) EXPECT_EQ(KeypadEntryNumber(display), number);
}

}  // namespace
}  // namespace rumona
