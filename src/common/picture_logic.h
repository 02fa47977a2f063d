#pragma once
// What a picture file will cost before any decoder sees it, and how a GIF's timing is read.
#include <cstdint>
#include <optional>
#include <string_view>

namespace rumona {

// The most a picture may take to decode, counted at 4 bytes a pixel of every frame: a 6000 x
// 4000 camera photo fits; more is refused as a file that cannot be read, so that no picture can
// take the program's memory or its time.
inline constexpr uint64_t kDecodeBudgetBytes = 100'000'000;

// The pixels a decoder holds for this file, read from its header: a BMP's, PNG's or JPEG's one
// frame, or all the frames of a GIF. No value for a file that is none of these or whose header
// is cut short.
std::optional<uint64_t> DecodedPixels(std::string_view data);

// How long a GIF frame shows, from its delay in hundredths of a second: as browsers do, a delay
// under 20 ms is taken as 100 ms.
int FrameDelayMs(int hundredths);

}  // namespace rumona
