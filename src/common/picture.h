#pragma once
// A loaded picture (bitmap, GIF, JPEG, PNG, metafile) that can be drawn at its own size or
// stretched. Bitmaps are kept in the display's format, so drawing them is a plain blit.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/picture_logic.h"
#include "common/scoped_win.h"
#include "common/twips_logic.h"

namespace rumona {

struct Frames;

// The most a picture file may take to decode (kDecodeBudgetBytes; the tests lower it).
extern uint64_t decodeBudgetBytes;

class Picture {
 public:
  Picture() = default;  // the empty picture

  // BMP, GIF, JPEG and PNG through the system's image decoders, drawn over white where they
  // are transparent; EMF and placeable WMF as metafiles. No frames when the file cannot be read
  // or decoded, or would take more than decodeBudgetBytes, or the memory left, to decode. Of a
  // bitmap only the part `keep` from the top-left corner is kept; a GIF's frames are composed as
  // browsers show them, all of them when `allFrames`, else the first alone. Any thread; one
  // decodes at a time.
  [[nodiscard]] static Frames Load(const std::wstring& path, SIZE keep, bool allFrames);
  // The whole first frame.
  [[nodiscard]] static Picture FromFile(const std::wstring& path);
  // Top-down 0x00RRGGBB pixels, copied into a bitmap of the display's format.
  static Picture FromPixels(int width, int height, std::vector<uint32_t> pixels);
  // A built-in picture: a BITMAP resource of the exe.
  static Picture FromResource(int id);
  // The built-in picture `id` (a 1x IDB_ id) for a display of `dpi` dots an inch: the 1x
  // drawing up to 96, the 2x drawing pixel for pixel at 192, else the 2x drawing resampled to
  // the 1x size times dpi / 96.
  static Picture Artwork(int id, UINT dpi);

  // A bitmap picture of that size, resampled once by area average (each pixel the mean of the
  // part of the picture it covers); a metafile is played into it. Itself at its own size; the
  // empty picture when there is no room for it.
  Picture Resampled(int width, int height) const;
  // A user's picture for a screen of `dpi`: its pixels count as pixels at 96 DPI, so that it
  // keeps its size in twips.
  Picture ForDpi(int dpi) const {
    return Resampled(ScaledPixels(widthPx(), dpi), ScaledPixels(heightPx(), dpi));
  }

  bool empty() const { return !impl_; }
  int widthPx() const { return impl_ ? impl_->width : 0; }
  int heightPx() const { return impl_ ? impl_->height : 0; }

  // Draws the picture into the destination rectangle (stretching when the sizes differ).
  // `scratch`, a memory DC the caller keeps, saves making one for every draw of a bitmap.
  void Draw(HDC dc, int x, int y, int cx, int cy, HDC scratch = nullptr) const;

  // The bitmap copy (null for metafiles), for controls that show a bitmap themselves.
  HBITMAP bitmap() const { return impl_ ? impl_->bitmap.get() : nullptr; }

  // Draws a bitmap squeezed or stretched into a canvas by pixel, nearest source column and row:
  // far cheaper than StretchBlt where the platform converts both sides at every call. False
  // for a metafile or the empty picture, which the caller draws with Draw().
  bool StretchInto(const class Canvas& canvas, int x, int y, int cx, int cy) const;

 private:
  struct Impl {
    int width = 0, height = 0;
    ScopedBitmap bitmap;  // bitmaps: the pixels, drawn with blits
    ScopedEnhMetaFile emf;
    ScopedMetaFile wmf;
    RECT wmfBox{};  // the placeable header's bounds, in the metafile's own units
    mutable std::vector<uint32_t> pixels;  // the bitmap's, top-down, read at the first use
    const std::vector<uint32_t>& Pixels() const;  // empty when they cannot be read
  };
  static Picture FromMetafile(const std::vector<char>& data);
  explicit Picture(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}
  std::shared_ptr<const Impl> impl_;
};

// A picture file as a box shows it from its top-left corner.
struct Frames {
  SIZE size{};                  // the picture's own size in pixels
  std::vector<Picture> frames;  // the part kept of each frame; none when it could not be read
  std::vector<int> delaysMs;    // how long each frame shows
  int plays = 1;                // how many times the frames play through; 0: forever
};

// A 32-bit top-down bitmap (the display's own format on today's screens) selected into a memory
// DC of its own, both kept for repeated drawing and released together.
class Canvas {
 public:
  // Makes it `width` x `height`, like `like`; false when the system has no room for it.
  bool Create(HDC like, int width, int height);
  void Reset();
  HDC dc() const { return dc_.get(); }
  uint32_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }
  explicit operator bool() const { return static_cast<bool>(dc_); }

 private:
  ScopedBitmap bitmap_;
  ScopedMemDC dc_;  // declared after the bitmap, so that it goes first
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace rumona
