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

// Each at 1x and, twice the size, at 2x.
TEST(Assets, PicturesHaveTheSizesTheWindowsAreLaidOutFor) {
  const std::tuple<std::string, uint32_t, uint32_t> pictures[] = {
      {"bus", 765, 216},  {"sign_default", 52, 32},        {"door_front", 73, 148},
      {"btn_mae", 50, 20}, {"door_middle_left", 54, 149}, {"door_middle_right", 52, 149},
      {"btn_naka", 50, 20}};
  for (const auto& [name, width, height] : pictures) {
    for (uint32_t scale : {1, 2}) {
      const Asset a(name + (scale == 2 ? "_2x.bmp" : ".bmp"));
      EXPECT_EQ(std::tuple(a.tag(0, 2), a.u32(18), a.u32(22)),
                std::tuple("BM", scale * width, scale * height)) << name << scale;
    }
  }
}

// Each image as its directory entry and its own header give it: size, bits a pixel (an icon) or
// hot spot (a cursor), and the DIB's width, height and bits a pixel.
std::vector<std::vector<uint32_t>> IconImages(const Asset& a) {
  std::vector<std::vector<uint32_t>> out;
  for (uint32_t i = 0, entry = 6; i < a.u16(4); ++i, entry += 16) {
    const uint32_t dib = a.u32(entry + 12);
    out.push_back({a.b.at(entry), a.u16(entry + 4), a.u16(entry + 6), a.u32(dib + 4),
                   a.u32(dib + 8) / 2, a.u16(dib + 14)});
  }
  return out;
}

// The sizes Windows asks for at 100 % to 200 %; at 32 the 16-colour picture alone, so that
// Windows shows it at 96 DPI.
TEST(Assets, IconsHoldTheSizesOfEveryDisplayScaleAndTheCursorIts2xWithTheHotSpotScaled) {
  std::vector<std::vector<uint32_t>> sizes = {{32, 1, 4, 32, 32, 4}};
  for (uint32_t n : {16, 20, 24, 40, 48, 64}) sizes.push_back({n, 1, 32, n, n, 32});
  for (const char* name : {"rumona.ico", "version.ico"}) EXPECT_EQ(IconImages(Asset(name)), sizes);
  EXPECT_EQ(IconImages(Asset("hand.cur")),
            (std::vector<std::vector<uint32_t>>{{32, 12, 1, 32, 32, 4}, {64, 24, 2, 64, 64, 32}}));
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
