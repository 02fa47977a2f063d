// Picture headers read for their size, and a GIF frame's delay as browsers read it.
#include "common/picture_logic.h"

#include <cstdlib>

namespace rumona {

namespace {

uint32_t Byte(std::string_view d, size_t at) { return static_cast<unsigned char>(d[at]); }
uint32_t Le16(std::string_view d, size_t at) { return Byte(d, at) | Byte(d, at + 1) << 8; }
uint32_t Be16(std::string_view d, size_t at) { return Byte(d, at) << 8 | Byte(d, at + 1); }
uint32_t Be32(std::string_view d, size_t at) { return Be16(d, at) << 16 | Be16(d, at + 2); }
int64_t Le32(std::string_view d, size_t at) {
  return static_cast<int32_t>(Le16(d, at) | Le16(d, at + 2) << 16);  // signed, as a BMP's size
}

// Every image of a GIF, walked block by block without decoding: the sum of their areas.
std::optional<uint64_t> GifPixels(std::string_view d) {
  size_t at = 13;
  if (d.size() < at) return std::nullopt;
  if (Byte(d, 10) & 0x80) at += size_t{3} << ((Byte(d, 10) & 7) + 1);  // global colour table
  uint64_t pixels = 0;
  const auto skipSubBlocks = [&] {
    while (at < d.size() && Byte(d, at) != 0) at += Byte(d, at) + 1;
    ++at;
  };
  while (at < d.size()) {
    const uint32_t kind = Byte(d, at);
    if (kind == 0x3B) return pixels;  // the trailer
    if (kind == 0x21) {               // an extension: its label, then its data
      at += 2;
      skipSubBlocks();
    } else if (kind == 0x2C && at + 10 <= d.size()) {  // an image: its descriptor, then its data
      pixels += uint64_t{Le16(d, at + 5)} * Le16(d, at + 7);
      const uint32_t flags = Byte(d, at + 9);
      at += 10;
      if (flags & 0x80) at += size_t{3} << ((flags & 7) + 1);  // local colour table
      ++at;  // the LZW code size
      skipSubBlocks();
    } else {
      break;
    }
  }
  // Cut short: what was seen, when any image was, is what a decoder would try.
  return pixels ? std::optional(pixels) : std::nullopt;
}

// The first start-of-frame marker of a JPEG, found by walking its segments.
std::optional<uint64_t> JpegPixels(std::string_view d) {
  size_t at = 2;
  while (at + 9 <= d.size() && Byte(d, at) == 0xFF) {
    const uint32_t marker = Byte(d, at + 1);
    // SOF0 to SOF15 but for DHT (C4), JPG (C8) and DAC (CC): height, then width.
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return uint64_t{Be16(d, at + 5)} * Be16(d, at + 7);
    at += 2 + Be16(d, at + 2);
  }
  return std::nullopt;
}

}  // namespace

std::optional<uint64_t> DecodedPixels(std::string_view d) {
  if (d.starts_with("GIF87a") || d.starts_with("GIF89a")) return GifPixels(d);
  if (d.starts_with("\x89PNG\r\n\x1a\n") && d.size() >= 24)
    return uint64_t{Be32(d, 16)} * Be32(d, 20);
  if (d.starts_with("\xFF\xD8")) return JpegPixels(d);
  if (d.starts_with("BM") && d.size() >= 26) {
    if (Le16(d, 14) == 12) return uint64_t{Le16(d, 18)} * Le16(d, 20);  // an OS/2 core header
    return uint64_t(std::abs(Le32(d, 18))) * uint64_t(std::abs(Le32(d, 22)));
  }
  return std::nullopt;
}

int FrameDelayMs(int hundredths) { return hundredths < 2 ? 100 : hundredths * 10; }

}  // namespace rumona
