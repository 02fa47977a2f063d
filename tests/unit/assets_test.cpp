// Checks the committed artwork and sounds: the formats the Win32 loaders
// accept, the sizes the layout is fitted to, and the places on the bus
// picture that the doors and the sign are drawn over.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAsset(const std::string& name) {
  std::ifstream in(std::string(RUMONA_ASSETS_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le16(const Bytes& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
std::uint32_t Le32(const Bytes& b, std::size_t at) { return Le16(b, at) | (Le16(b, at + 2) << 16); }
std::string Tag(const Bytes& b, std::size_t at, std::size_t n) {
  return std::string(b.begin() + at, b.begin() + at + n);
}

struct Rgb {
  int r, g, b;
  double Luma() const { return 0.299 * r + 0.587 * g + 0.114 * b; }
};

// An uncompressed BMP of 8 or 24 bits a pixel, addressed top-down.
struct Bitmap {
  int width = 0, height = 0, bpp = 0;
  std::uint32_t compression = 0, paletteSize = 0, dataOffset = 0, fileSizeField = 0;
  std::vector<Rgb> palette;
  Bytes file;

  explicit Bitmap(const std::string& name) : file(ReadAsset(name)) {
    if (file.size() < 54 || Tag(file, 0, 2) != "BM") return;
    fileSizeField = Le32(file, 2);
    dataOffset = Le32(file, 10);
    width = static_cast<std::int32_t>(Le32(file, 18));
    height = static_cast<std::int32_t>(Le32(file, 22));
    bpp = Le16(file, 28);
    compression = Le32(file, 30);
    if (bpp <= 8) {
      paletteSize = Le32(file, 46) ? Le32(file, 46) : (1u << bpp);
      for (std::uint32_t i = 0; i < paletteSize; ++i) {
        const std::size_t at = 14 + Le32(file, 14) + 4 * i;
        palette.push_back({file.at(at + 2), file.at(at + 1), file.at(at)});
      }
    }
  }
  std::size_t Stride() const { return ((width * bpp + 31) / 32) * 4; }
  Rgb At(int x, int y) const {
    // Rows are stored bottom-up for a positive height.
    const std::size_t row = dataOffset + Stride() * (height > 0 ? height - 1 - y : y);
    if (bpp == 8) return palette.at(file.at(row + x));
    const std::size_t at = row + 3 * x;
    return {file.at(at + 2), file.at(at + 1), file.at(at)};
  }
  // Mean colour over [x0, x1) x [y0, y1).
  Rgb Mean(int x0, int y0, int x1, int y1) const {
    double r = 0, g = 0, b = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const Rgb c = At(x, y);
        r += c.r, g += c.g, b += c.b;
      }
    const double n = double(x1 - x0) * (y1 - y0);
    return {int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n))};
  }
  std::pair<double, double> LumaRange(int x0, int y0, int x1, int y1) const {
    double lo = 255, hi = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) lo = std::min(lo, At(x, y).Luma()), hi = std::max(hi, At(x, y).Luma());
    return {lo, hi};
  }
};

void ExpectWellFormed(const Bitmap& bmp, int width, int height) {
  EXPECT_EQ(bmp.width, width);
  EXPECT_EQ(bmp.height, height) << "positive height: stored bottom-up";
  EXPECT_TRUE(bmp.bpp == 8 || bmp.bpp == 24) << bmp.bpp;
  EXPECT_EQ(bmp.compression, 0u);
  EXPECT_EQ(bmp.fileSizeField, bmp.file.size());
  EXPECT_EQ(bmp.dataOffset + bmp.Stride() * std::abs(height), bmp.file.size());
}

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

std::ostream& operator<<(std::ostream& os, Rgb c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

TEST(BusBitmap, Is765By216With256ColourPalette) {
  const Bitmap bus("bus.bmp");
  ExpectWellFormed(bus, 765, 216);
  EXPECT_EQ(bus.bpp, 8);
  EXPECT_EQ(bus.paletteSize, 256u);
  EXPECT_EQ(bus.dataOffset, 14u + 40u + 256u * 4u);
}

TEST(DoorAndSignBitmaps, HaveTheSizesTheLayoutStretches) {
  const std::map<std::string, std::pair<int, int>> sizes = {
      {"sign_default.bmp", {52, 32}},
      {"door_middle_left.bmp", {54, 149}},
      {"door_middle_right.bmp", {52, 149}},
      {"door_front.bmp", {73, 148}},
  };
  for (const auto& [name, size] : sizes) {
    SCOPED_TRACE(name);
    ExpectWellFormed(Bitmap(name), size.first, size.second);
  }
}

// Pixel rectangles below are the controls' twip rectangles divided by 15.
class BusLayout : public ::testing::Test {
 protected:
  Bitmap bus{"bus.bmp"};
  // The plain body under the signboard, which the board covers at run time.
  double BodyLuma() const { return bus.Mean(495, 111, 589, 141).Luma(); }
};

TEST_F(BusLayout, SignboardSpotIsPlainLightBody) {
  EXPECT_GT(BodyLuma(), 180.0);
  const auto [lo, hi] = bus.LumaRange(490, 110, 594, 145);
  EXPECT_LT(hi - lo, 30.0) << "no stripes or lettering behind the board";
}

TEST_F(BusLayout, DoorwaysBehindTheDoorsLookOpen) {
  // What is left uncovered when the front door is squeezed to 5 px at x 23,
  // and the middle leaves to 7 px each at 369 and 468.
  EXPECT_LT(bus.Mean(28, 47, 96, 195).Luma(), BodyLuma() * 0.4);
  EXPECT_LT(bus.Mean(376, 50, 468, 199).Luma(), BodyLuma() * 0.4);
}

TEST_F(BusLayout, SideSignSitsInADarkHousing) {
  EXPECT_LT(bus.Mean(295, 45, 347, 77).Luma(), 40.0);
  // a frame a few pixels wide round the sign
  EXPECT_LT(bus.Mean(291, 41, 351, 45).Luma(), 90.0);
  EXPECT_LT(bus.Mean(291, 77, 351, 81).Luma(), 90.0);
}

TEST_F(BusLayout, ClosedDoorsBlendWithTheBody) {
  const Bitmap front("door_front.bmp");
  const Bitmap left("door_middle_left.bmp");
  const Bitmap right("door_middle_right.bmp");
  // Skirt colour low on the door next to the body beside it (door row = bus y - door top).
  EXPECT_PRED3(Near, front.Mean(4, 187 - 47, 30, 192 - 47), bus.Mean(99, 187, 102, 192), 24)
      << front.Mean(4, 140, 30, 145) << " vs " << bus.Mean(99, 187, 102, 192);
  EXPECT_PRED3(Near, left.Mean(8, 185 - 50, 45, 192 - 50), bus.Mean(350, 185, 364, 190), 24);
  EXPECT_PRED3(Near, right.Mean(8, 185 - 50, 45, 192 - 50), bus.Mean(480, 185, 490, 190), 24);
  // Light body paint on the leaves' middle rail beside the body at that height.
  EXPECT_PRED3(Near, left.Mean(10, 119 - 50, 44, 122 - 50), bus.Mean(330, 119, 345, 122), 24);
}

TEST(DefaultSign, IsDarkWithYellowArrowheads) {
  const Bitmap sign("sign_default.bmp");
  int yellow = 0, dark = 0;
  for (int y = 0; y < sign.height; ++y)
    for (int x = 0; x < sign.width; ++x) {
      const Rgb c = sign.At(x, y);
      if (c.r > 200 && c.g > 160 && c.b < 90) ++yellow;
      if (c.Luma() < 50) ++dark;
    }
  EXPECT_GT(dark, 52 * 32 / 2);
  EXPECT_GT(yellow, 150);
}

// ICO and CUR: one 32x32 16-colour BMP-format image with an AND mask.
struct IconImage {
  Bytes file;
  std::uint32_t type = 0, dibOffset = 0;
  std::vector<Rgb> palette;

  explicit IconImage(const std::string& name) : file(ReadAsset(name)) {
    if (file.size() < 22) return;
    type = Le16(file, 2);
    dibOffset = Le32(file, 18);
    for (int i = 0; i < 16 && dibOffset + 40 + 4 * i + 3 < file.size(); ++i) {
      const std::size_t at = dibOffset + 40 + 4 * i;
      palette.push_back({file.at(at + 2), file.at(at + 1), file.at(at)});
    }
  }
  // Top-down coordinates; the XOR then the AND bitmap are stored bottom-up.
  int Index(int x, int y) const {
    const std::uint8_t b = file.at(dibOffset + 40 + 64 + (31 - y) * 16 + x / 2);
    return x % 2 ? (b & 0x0F) : (b >> 4);
  }
  bool Transparent(int x, int y) const {
    const std::uint8_t b = file.at(dibOffset + 40 + 64 + 512 + (31 - y) * 4 + x / 8);
    return (b >> (7 - x % 8)) & 1;
  }
  Rgb Colour(int x, int y) const { return palette.at(Index(x, y)); }
};

void ExpectIconHeaders(const IconImage& ico, std::uint32_t type) {
  const Bytes& f = ico.file;
  ASSERT_EQ(f.size(), 6u + 16u + 40u + 64u + 512u + 128u);
  EXPECT_EQ(Le16(f, 0), 0u);
  EXPECT_EQ(ico.type, type);
  EXPECT_EQ(Le16(f, 4), 1u) << "one image";
  EXPECT_EQ(f[6], 32);
  EXPECT_EQ(f[7], 32);
  EXPECT_EQ(f[8], 16) << "colour count";
  EXPECT_EQ(Le32(f, 14), f.size() - 22) << "image size";
  EXPECT_EQ(ico.dibOffset, 22u);
  EXPECT_NE(Tag(f, 22, 4), "\x89PNG") << "a BMP image, not PNG";
  EXPECT_EQ(Le32(f, 22), 40u);
  EXPECT_EQ(Le32(f, 26), 32u);
  EXPECT_EQ(Le32(f, 30), 64u) << "XOR and AND halves";
  EXPECT_EQ(Le16(f, 34), 1u);
  EXPECT_EQ(Le16(f, 36), 4u);
  EXPECT_EQ(Le32(f, 38), 0u);
}

TEST(Icons, AreBmpFormat16Colour32By32WithTransparentCorners) {
  for (const char* name : {"rumona.ico", "version.ico"}) {
    SCOPED_TRACE(name);
    const IconImage ico(name);
    ExpectIconHeaders(ico, 1);
    if (HasFatalFailure()) return;
    EXPECT_EQ(Le16(ico.file, 10), 1u) << "planes";
    EXPECT_EQ(Le16(ico.file, 12), 4u) << "bits a pixel";
    EXPECT_TRUE(ico.Transparent(0, 0));
    EXPECT_TRUE(ico.Transparent(31, 31));
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) opaque += !ico.Transparent(x, y);
    EXPECT_GT(opaque, 32 * 32 / 3) << "a picture, not an empty mask";
  }
}

TEST(LinkCursor, IsAWhiteHandWithBlueCuffPointingAtItsHotSpot) {
  const IconImage cur("hand.cur");
  ExpectIconHeaders(cur, 2);
  if (HasFatalFailure()) return;
  EXPECT_EQ(Le16(cur.file, 10), 12u) << "hot spot x";
  EXPECT_EQ(Le16(cur.file, 12), 1u) << "hot spot y";
  // The fingertip: the topmost opaque pixels are on row 1 and include (12, 1).
  int top = 32;
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; ++x)
      if (!cur.Transparent(x, y)) top = y;
  EXPECT_EQ(top, 1);
  EXPECT_FALSE(cur.Transparent(12, 1));
  EXPECT_LT(cur.Colour(12, 1).Luma(), 60.0) << "black outline at the tip";
  EXPECT_GT(cur.Colour(12, 3).Luma(), 200.0) << "white finger below it";
  int blue = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Rgb c = cur.Colour(x, y);
      if (!cur.Transparent(x, y) && c.b > 100 && c.r < 60 && c.g < 60) ++blue;
    }
  EXPECT_GT(blue, 20) << "the cuff";
}

// GIF: header, logical screen, and the first image decoded to check the picture.
struct Gif {
  int width = 0, height = 0;
  std::vector<Rgb> colours;
  std::vector<int> pixels;  // palette indices, row by row

  explicit Gif(const std::string& name) {
    const Bytes f = ReadAsset(name);
    if (f.size() < 13 || (Tag(f, 0, 6) != "GIF87a" && Tag(f, 0, 6) != "GIF89a")) return;
    width = Le16(f, 6);
    height = Le16(f, 8);
    std::size_t at = 13;
    if (f[10] & 0x80) ReadTable(f, at, 2 << (f[10] & 7));
    while (at < f.size() && f[at] == 0x21) {  // extensions
      at += 2;
      while (f.at(at)) at += f[at] + 1;
      ++at;
    }
    if (at >= f.size() || f[at] != 0x2C) return;
    const int iw = Le16(f, at + 5), ih = Le16(f, at + 7);
    const std::uint8_t flags = f.at(at + 9);
    at += 10;
    if (flags & 0x80) ReadTable(f, at, 2 << (flags & 7));
    if (flags & 0x40) return;  // interlaced: not produced here
    const int minCode = f.at(at++);
    Bytes data;
    while (f.at(at)) {
      data.insert(data.end(), f.begin() + at + 1, f.begin() + at + 1 + f[at]);
      at += f[at] + 1;
    }
    Decode(data, minCode);
    if (int(pixels.size()) != iw * ih || iw != width || ih != height) pixels.clear();
  }
  void ReadTable(const Bytes& f, std::size_t& at, int n) {
    colours.clear();
    for (int i = 0; i < n; ++i, at += 3) colours.push_back({f.at(at), f.at(at + 1), f.at(at + 2)});
  }
  void Decode(const Bytes& data, int minCode) {
    const int clear = 1 << minCode, end = clear + 1;
    std::vector<std::vector<int>> dict;
    auto reset = [&] {
      dict.assign(clear + 2, {});
      for (int i = 0; i < clear; ++i) dict[i] = {i};
    };
    reset();
    int size = minCode + 1, prev = -1;
    std::size_t bit = 0;
    while (bit + size <= data.size() * 8) {
      int code = 0;
      for (int i = 0; i < size; ++i, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
      if (code == clear) {
        reset();
        size = minCode + 1;
        prev = -1;
        continue;
      }
      if (code == end) break;
      std::vector<int> entry;
      if (code < int(dict.size())) {
        entry = dict[code];
      } else if (prev >= 0 && code == int(dict.size())) {
        entry = dict[prev];
        entry.push_back(dict[prev][0]);
      } else {
        pixels.clear();
        return;
      }
      pixels.insert(pixels.end(), entry.begin(), entry.end());
      if (prev >= 0 && dict.size() < 4096) {
        auto grown = dict[prev];
        grown.push_back(entry[0]);
        dict.push_back(grown);
        if (int(dict.size()) == (1 << size) && size < 12) ++size;
      }
      prev = code;
    }
  }
  Rgb At(int x, int y) const { return colours.at(pixels.at(y * width + x)); }
};

TEST(DoorButtonPictures, AreBlackKanjiOnYellow50By20) {
  for (const char* name : {"btn_mae.gif", "btn_naka.gif"}) {
    SCOPED_TRACE(name);
    const Gif gif(name);
    EXPECT_EQ(gif.width, 50);
    EXPECT_EQ(gif.height, 20);
    ASSERT_EQ(gif.pixels.size(), 50u * 20u) << "image data decodes to the whole screen";
    const Rgb corner = gif.At(0, 0);
    EXPECT_TRUE(corner.r > 220 && corner.g > 220 && corner.b < 60) << corner;
    int black = 0, leftHalf = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 50; ++x)
        if (gif.At(x, y).Luma() < 60) ++black, leftHalf += x < 25;
    EXPECT_GT(black, 60) << "the two characters";
    EXPECT_GT(leftHalf, 20);
    EXPECT_GT(black - leftHalf, 20);
  }
}

TEST(DoorButtonPictures, DifferInTheFirstCharacterOnly) {
  const Gif mae("btn_mae.gif"), naka("btn_naka.gif");
  ASSERT_EQ(mae.pixels.size(), 1000u);
  ASSERT_EQ(naka.pixels.size(), 1000u);
  int leftDiff = 0, rightDiff = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x)
      if (std::abs(mae.At(x, y).Luma() - naka.At(x, y).Luma()) > 60) (x < 25 ? leftDiff : rightDiff)++;
  EXPECT_GT(leftDiff, 20) << "前 against 中";
  EXPECT_EQ(rightDiff, 0) << "the same 扉";
}

struct Wave {
  Bytes file;
  Bytes samples;
  explicit Wave(const std::string& name) : file(ReadAsset(name)) {
    if (file.size() >= 44) samples.assign(file.begin() + 44, file.end());
  }
};

void ExpectWaveHeader(const Wave& w, std::size_t dataBytes) {
  const Bytes& f = w.file;
  ASSERT_EQ(f.size(), 44 + dataBytes) << "nothing after the data, no pad byte";
  EXPECT_EQ(Tag(f, 0, 4), "RIFF");
  EXPECT_EQ(Le32(f, 4), f.size() - 8);
  EXPECT_EQ(Tag(f, 8, 4), "WAVE");
  EXPECT_EQ(Tag(f, 12, 4), "fmt ");
  EXPECT_EQ(Le32(f, 16), 16u);
  EXPECT_EQ(Le16(f, 20), 1u) << "PCM";
  EXPECT_EQ(Le16(f, 22), 1u) << "mono";
  EXPECT_EQ(Le32(f, 24), 22050u);
  EXPECT_EQ(Le32(f, 28), 22050u) << "byte rate";
  EXPECT_EQ(Le16(f, 32), 1u) << "block align";
  EXPECT_EQ(Le16(f, 34), 8u);
  EXPECT_EQ(Tag(f, 36, 4), "data");
  EXPECT_EQ(Le32(f, 40), dataBytes);
}

TEST(BuzzerSounds, HaveExactHeadersAndLengths) {
  {
    SCOPED_TRACE("101");
    ExpectWaveHeader(Wave("buzzer101.wav"), 17640);
  }
  {
    SCOPED_TRACE("102");
    ExpectWaveHeader(Wave("buzzer102.wav"), 55125);
  }
}

TEST(BuzzerSounds, LongSoundStartsWithTheWholeShortOne) {
  const Wave shortOne("buzzer101.wav"), longOne("buzzer102.wav");
  ASSERT_EQ(shortOne.samples.size(), 17640u);
  ASSERT_GT(longOne.samples.size(), shortOne.samples.size());
  EXPECT_TRUE(std::equal(shortOne.samples.begin(), shortOne.samples.end(), longOne.samples.begin()));
}

constexpr int kPeriod = 103;

TEST(BuzzerSounds, RepeatEvery103SamplesLoudWithoutClipping) {
  for (const char* name : {"buzzer101.wav", "buzzer102.wav"}) {
    SCOPED_TRACE(name);
    const Bytes s = Wave(name).samples;
    ASSERT_GT(s.size(), 2u * kPeriod);
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i + kPeriod < s.size(); ++i) mismatches += s[i] != s[i + kPeriod];
    EXPECT_EQ(mismatches, 0u);
    const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
    EXPECT_GT(*lo, 0) << "clipped";
    EXPECT_LT(*hi, 255) << "clipped";
    EXPECT_GT(*hi - *lo, 120) << "too quiet for a buzzer";
    double mean = 0;
    for (std::size_t i = 0; i < kPeriod; ++i) mean += s[i];
    EXPECT_NEAR(mean / kPeriod, 128.0, 2.0) << "centred on the 8-bit midpoint";
  }
}

TEST(BuzzerSounds, StrongestComponentIsNear1700HzAndItIsNotASine) {
  const Bytes s = Wave("buzzer102.wav").samples;
  const std::size_t periods = s.size() / kPeriod, n = periods * kPeriod;
  ASSERT_GT(periods, 0u);
  // Over whole periods only the harmonics of 22050/103 Hz are non-zero: bin k*periods.
  std::vector<double> magnitude(kPeriod / 2 + 1);
  for (int k = 1; k <= kPeriod / 2; ++k) {
    double re = 0, im = 0;
    const double w = 2 * std::numbers::pi * double(k) * double(periods) / double(n);
    for (std::size_t i = 0; i < n; ++i) {
      re += (s[i] - 128.0) * std::cos(w * double(i));
      im -= (s[i] - 128.0) * std::sin(w * double(i));
    }
    magnitude[k] = std::hypot(re, im) / double(n);
  }
  const int peak = int(std::max_element(magnitude.begin(), magnitude.end()) - magnitude.begin());
  const double peakHz = peak * 22050.0 / kPeriod;
  EXPECT_GT(peakHz, 1500.0);
  EXPECT_LT(peakHz, 1900.0);
  int strongHarmonics = 0;
  for (int k = 1; k < int(magnitude.size()); ++k) strongHarmonics += magnitude[k] > 0.2 * magnitude[peak];
  EXPECT_GE(strongHarmonics, 4) << "a buzz has many harmonics";
}

}  // namespace
