// The committed artwork and sounds in the formats and sizes the program loads them in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A file's bytes; a read past its end throws, so a short file fails its test.
struct Asset {
  std::vector<unsigned char> b;
  explicit Asset(const std::string& name) {
    std::ifstream in(std::string(RUMONA_ASSETS_DIR) + "/" + name, std::ios::binary);
    b.assign(std::istreambuf_iterator<char>(in), {});
  }
  uint32_t u16(size_t at) const { return b.at(at) | b.at(at + 1) << 8; }
  uint32_t u32(size_t at) const { return u16(at) | u16(at + 2) << 16; }
  std::string tag(size_t at, size_t n) const { return {&b.at(at), &b.at(at + n - 1) + 1}; }
};

TEST(Assets, PicturesHaveTheSizesTheWindowsAreLaidOutFor) {
  const std::tuple<const char*, uint32_t, uint32_t> pictures[] = {
      {"bus.bmp", 765, 216},          {"sign_default.bmp", 52, 32},
      {"door_front.bmp", 73, 148},    {"door_middle_left.bmp", 54, 149},
      {"door_middle_right.bmp", 52, 149}, {"btn_mae.bmp", 50, 20}, {"btn_naka.bmp", 50, 20}};
  for (const auto& [name, width, height] : pictures) {
    const Asset a(name);
    EXPECT_EQ(std::tuple(a.tag(0, 2), a.u32(18), a.u32(22)), std::tuple("BM", width, height))
        << name;
  }
}

TEST(Assets, BuzzersArePcmMono22050Hz8BitAnd102BeginsWith101) {
  const Asset s101("buzzer101.wav"), s102("buzzer102.wav");
  for (const auto& [a, samples] : {std::pair{&s101, 17640u}, std::pair{&s102, 55125u}}) {
    EXPECT_EQ(a->tag(0, 4) + a->tag(8, 8) + a->tag(36, 4), "RIFFWAVEfmt data");
    EXPECT_EQ(a->u32(4), a->b.size() - 8);
    // PCM, one channel, samples a second, bits a sample
    EXPECT_EQ((std::vector{a->u16(20), a->u16(22), a->u32(24), a->u16(34)}),
              (std::vector<uint32_t>{1, 1, 22050, 8}));
    EXPECT_EQ(a->u32(40), samples);
    EXPECT_EQ(a->b.size(), 44 + samples);
  }
  EXPECT_TRUE(std::equal(s101.b.begin() + 44, s101.b.end(), s102.b.begin() + 44));
}

}  // namespace
