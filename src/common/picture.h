#pragma once
// A loaded picture (bitmap, GIF, JPEG, PNG, metafile) that can be drawn at its own size or
// stretched. Bitmaps are copied once into a bitmap compatible with the screen, so drawing them is a
// plain blit.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <string>

#include "common/scoped_win.h"

namespace rumona {

class Picture {
 public:
  Picture() = default;  // the empty picture

  // Both return the empty picture on failure; `error` (if given) receives why.
  [[nodiscard]] static Picture FromFile(const std::wstring& path, HRESULT* error = nullptr);
  static Picture FromMemory(const void* data, size_t size, HRESULT* error = nullptr);
  static Picture FromResource(int id, const wchar_t* type = MAKEINTRESOURCEW(10) /*RT_RCDATA*/);

  bool empty() const { return !impl_; }
  int widthPx() const { return impl_ ? impl_->width : 0; }
  int heightPx() const { return impl_ ? impl_->height : 0; }

  // Draws the picture into the destination rectangle (stretching when the sizes differ).
  void Draw(HDC dc, int x, int y, int cx, int cy) const;

  // The bitmap copy (null for metafiles), for controls that show a bitmap themselves.
  HBITMAP bitmap() const { return impl_ ? impl_->bitmap.get() : nullptr; }

 private:
  struct Impl {
    int width = 0, height = 0;
    ScopedBitmap bitmap;           // bitmaps: the pixels, drawn with blits
    ComPtr<IPicture> metafile;     // metafiles: rendered by the picture object
    long hmWidth = 0, hmHeight = 0;
  };
  std::shared_ptr<const Impl> impl_;
};

}  // namespace rumona
