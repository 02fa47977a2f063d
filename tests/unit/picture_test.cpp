#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/picture_logic.h"

namespace rumona {
namespace {

using namespace std::string_literals;

TEST(Picture, HeadersTellWhatDecodingWouldHold) {
  const std::string gif = "GIF89a\x40\x00\x20\x00\x80\x00\x00"s + std::string(6, '\0');
  const std::string image = "\x2C\0\0\0\0\x10\x00\x08\x00\x00\x02\x02\x44\x01\x00"s;
  const std::pair<std::string, std::optional<uint64_t>> cases[] = {
      {gif + "\x21\xF9\x04\x00\x05\x00\x00\x00"s + image + image + ";", 2 * 16 * 8},
      {gif + image + image.substr(0, 12), 2 * 16 * 8},  // cut short: what a decoder would try
      {gif + "\x21\xFF", std::nullopt},
      {"GIF87a\x40\x00\x20\x00\x00\x00\x00"s + image + ";", 16 * 8},  // no colour table
      {"GIF89a\x40\x00\x20\x00\x81\x00\x00"s + std::string(12, '\0') + image + "\x2C", 16 * 8},
      {"\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x2e\xe0\0\0\x2e\xe0"s, 12000ull * 12000},
      {"\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x2e\xe0\0\0\x2e"s, std::nullopt},
      {"\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC4\x00\x02\xFF\xC2\x00\x11\x08\x0F\xA0\x17\x70"s,
       4000ull * 6000},
      {"\xFF\xD8\xFF\xC0\x00\x11\x08\x00\x20\x00\x34"s, 32 * 52},
      {"\xFF\xD8\xFF\xE0\x00\x02\xFF\xD9\x00\x00\x00"s, std::nullopt},
      {"BM"s + std::string(12, '\0') + "\x28\0\0\0\x70\x17\0\0\x60\xF0\xFF\xFF"s, 6000ull * 4000},
      {"BM"s + std::string(12, '\0') + "\x0C\0\0\0\x34\x00\x20\x00\x01\x00\x18\x00"s, 52 * 32},
      {"BM\0\0"s, std::nullopt},
      {"II*\0 a TIFF", std::nullopt},
  };
  for (const auto& [data, pixels] : cases) EXPECT_EQ(DecodedPixels(data), pixels) << data.size();
  EXPECT_EQ(kDecodeBudgetBytes / 4 / (6000 * 4000), 1u);  // a camera photo fits, twice that not
}

TEST(Picture, DelaysUnder20MsShowFor100) {
  for (const auto& [hundredths, ms] :
       std::initializer_list<std::pair<int, int>>{{0, 100}, {1, 100}, {2, 20}, {7, 70}})
    EXPECT_EQ(FrameDelayMs(hundredths), ms) << hundredths;
}

}  // namespace
}  // namespace rumona
