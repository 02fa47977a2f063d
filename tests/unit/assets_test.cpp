// The committed artwork and sounds in the formats and sizes the program loads them in.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Asset {
  std::vector<unsigned char> b;
  explicit Asset(const std::string& name) {
    std::ifstream in(std::string(RUMONA_ASSETS_DIR) + "/" + name, std::ios::binary);
    b.assign(std::istreambuf_iterator<char>(in), {});
    b.resize(std::max<size_t>(b.size(), 64));  // short files fail the checks, not the reads
  }
  uint32_t u16(size_t at) const { return b[at] | b[at + 1] << 8; }
  uint32_t u32(size_t at) const { return u16(at) | u16(at + 2) << 16; }
  std::string tag(size_t at, size_t n) const { return std::string(b.begin() + at, b.begin() + at + n); }
};

TEST(Assets, PicturesHaveTheSizesTheWindowsAreLaidOutFor) {
  const std::tuple<const char*, uint32_t, uint32_t> bitmaps[] = {
      {"bus.bmp", 765, 216}, {"sign_default.bmp", 52, 32}, {"door_front.bmp", 73, 148},
      {"door_middle_left.bmp", 54, 149}, {"door_middle_right.bmp", 52, 149}};
  for (const auto& [name, width, height] : bitmaps) {
    const Asset a(name);
    EXPECT_EQ(a.tag(0, 2), "BM") << name;
    EXPECT_EQ(a.u32(2), a.b.size()) << name;
    EXPECT_EQ(a.u32(18), width) << name;
    EXPECT_EQ(a.u32(22), height) << name;
    EXPECT_EQ(a.u32(30), 0u) << name << ": uncompressed";
  }
  for (const char* name : {"btn_mae.gif", "btn_naka.gif"}) {
    const Asset a(name);
    EXPECT_EQ(a.tag(0, 4), "GIF8") << name;
    EXPECT_EQ(a.u16(6) << 16 | a.u16(8), 50u << 16 | 20) << name;
  }
}

TEST(Assets, IconsAndTheLinkCursorAreOne32By32Image) {
  for (const char* name : {"rumona.ico", "version.ico", "hand.cur"}) {
    const Asset a(name);
    EXPECT_EQ(a.u16(2), name[0] == 'h' ? 2u : 1u) << name;  // cursor or icon
    EXPECT_EQ(a.u16(4), 1u) << name;
    EXPECT_EQ(a.b[6] << 8 | a.b[7], 32 << 8 | 32) << name;
  }
  EXPECT_EQ(Asset("hand.cur").u16(10) << 16 | Asset("hand.cur").u16(12), 12u << 16 | 1);  // fingertip
}

TEST(Assets, BuzzersArePcmMono22050Hz8BitAnd102BeginsWith101) {
  const Asset s101("buzzer101.wav"), s102("buzzer102.wav");
  for (const auto& [a, samples] : {std::pair{&s101, 17640u}, std::pair{&s102, 55125u}}) {
    EXPECT_EQ(a->tag(0, 4) + a->tag(8, 8) + a->tag(36, 4), "RIFFWAVEfmt data");
    EXPECT_EQ(a->u32(4), a->b.size() - 8);
    EXPECT_EQ(a->u16(20) << 16 | a->u16(22), 1u << 16 | 1) << "PCM, one channel";
    EXPECT_EQ(a->u32(24), 22050u);
    EXPECT_EQ(a->u16(34), 8u);
    EXPECT_EQ(a->u32(40), samples);
    EXPECT_EQ(a->b.size(), 44 + samples);
  }
  EXPECT_TRUE(std::equal(s101.b.begin() + 44, s101.b.end(), s102.b.begin() + 44));
}

}  // namespace
