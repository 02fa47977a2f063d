#include <gtest/gtest.h>

#include <string>

#include "panel/keypad_logic.h"

namespace rumona {
namespace {

TEST(KeypadDisplay, HoldsAtMostSixDigits) {
  std::wstring display;
  for (int digit = 1; digit <= 7; ++digit) display = KeypadAfterDigit(display, digit);
  EXPECT_EQ(display, L"123456");
  EXPECT_EQ(KeypadAfterDigit(L"", 0), L"0");
  EXPECT_EQ(KeypadAfterDigit(L"00000", 0), L"000000");
  EXPECT_EQ(KeypadAfterDigit(L"000000", 9), L"000000");
  EXPECT_EQ(KeypadAfterDigit(L"12", 10), L"12");  // not a digit key
}

TEST(KeypadDisplay, NumberIsSixteenBitWithEmptyAsZero) {
  EXPECT_EQ(KeypadEntryNumber(L""), 0);
  EXPECT_EQ(KeypadEntryNumber(L"0"), 0);
  EXPECT_EQ(KeypadEntryNumber(L"007"), 7);
  EXPECT_EQ(KeypadEntryNumber(L"000000"), 0);
  EXPECT_EQ(KeypadEntryNumber(L"32767"), 32767);
  EXPECT_EQ(KeypadEntryNumber(L"032767"), 32767);
  EXPECT_FALSE(KeypadEntryNumber(L"32768").has_value());
  EXPECT_FALSE(KeypadEntryNumber(L"40000").has_value());
  EXPECT_FALSE(KeypadEntryNumber(L"999999").has_value());
  EXPECT_FALSE(KeypadEntryNumber(L"99999999999999999999").has_value());
  EXPECT_FALSE(KeypadEntryNumber(L"-1").has_value());
  EXPECT_FALSE(KeypadEntryNumber(L"1 2").has_value());
}

}  // namespace
}  // namespace rumona
