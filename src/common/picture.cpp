#include "common/picture.h"

#include <algorithm>
#include <vector>

#include "common/app.h"

namespace rumona {

namespace {

constexpr double kHimetricPerInch = 2540.0;

int HimetricToPixels(long hm) { return MulDiv(hm, 96, static_cast<int>(kHimetricPerInch)); }

// The header of a top-down 32-bit picture: rows in reading order, one 0x00RRGGBB word a pixel.
BITMAPINFOHEADER TopDown32(int width, int height) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = -height;
  h.biPlanes = 1;
  h.biBitCount = 32;
  h.biCompression = BI_RGB;
  return h;
}

}  // namespace

Picture Picture::FromFile(const std::wstring& path, HRESULT* error) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    if (error) *error = HRESULT_FROM_WIN32(GetLastError());
    return Picture();
  }
  LARGE_INTEGER size{};
  std::vector<char> data;
  bool ok = GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 30);
  if (ok) {
    data.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) &&
         read == data.size();
  }
  if (!ok) {
    if (error) *error = E_FAIL;
    return Picture();
  }
  return FromMemory(data.data(), data.size(), error);
}

Picture Picture::FromMemory(const void* data, size_t size, HRESULT* error) {
  auto fail = [&](HRESULT hr) {
    if (error) *error = hr;
    return Picture();
  };
  if (!data || size == 0) return fail(E_INVALIDARG);
  EnsureOle();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!mem) return fail(E_OUTOFMEMORY);
  void* p = GlobalLock(mem);
  memcpy(p, data, size);
  GlobalUnlock(mem);
  ComPtr<IStream> stream;
  HRESULT hr = CreateStreamOnHGlobal(mem, TRUE, stream.put());
  if (FAILED(hr)) {
    GlobalFree(mem);
    return fail(hr);
  }
  ComPtr<IPicture> pic;
  hr = OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                      reinterpret_cast<void**>(pic.put()));
  if (FAILED(hr) || !pic) return fail(FAILED(hr) ? hr : E_FAIL);

  auto impl = std::make_shared<Impl>();
  pic->get_Width(&impl->hmWidth);
  pic->get_Height(&impl->hmHeight);
  impl->width = HimetricToPixels(impl->hmWidth);
  impl->height = HimetricToPixels(impl->hmHeight);
  SHORT type = PICTYPE_UNINITIALIZED;
  pic->get_Type(&type);
  if (type == PICTYPE_METAFILE || type == PICTYPE_ENHMETAFILE) {
    impl->metafile = pic;
  } else {
    // Copy the pixels once into our own bitmap; the picture object is then released.
    ScopedGetDC screen(nullptr);
    impl->bitmap.reset(CreateCompatibleBitmap(screen.get(), std::max(impl->width, 1),
                                              std::max(impl->height, 1)));
    if (!impl->bitmap) return fail(E_OUTOFMEMORY);
    ScopedMemDC mem(CreateCompatibleDC(screen.get()));
    ScopedSelect sel(mem.get(), impl->bitmap.get());
    // Bitmaps render upright only with the source given bottom-up.
    hr = pic->Render(mem.get(), 0, 0, impl->width, impl->height, 0, impl->hmHeight,
                     impl->hmWidth, -impl->hmHeight, nullptr);
    if (FAILED(hr)) return fail(hr);
  }
  if (error) *error = S_OK;
  return Picture(std::move(impl));
}

Picture Picture::FromResource(int id) {
  // A bitmap made compatible with the display, so that it blits without conversion.
  auto bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (!bitmap) return Picture();
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  auto impl = std::make_shared<Impl>();
  impl->bitmap.reset(bitmap);
  impl->width = info.bmWidth;
  impl->height = info.bmHeight;
  return Picture(std::move(impl));
}

void Picture::Draw(HDC dc, int x, int y, int cx, int cy, HDC scratch) const {
  if (!impl_ || cx <= 0 || cy <= 0) return;
  if (impl_->bitmap) {
    ScopedMemDC own(scratch ? nullptr : CreateCompatibleDC(dc));
    if (!scratch) scratch = own.get();
    ScopedSelect sel(scratch, impl_->bitmap.get());
    if (cx == impl_->width && cy == impl_->height) {
      BitBlt(dc, x, y, cx, cy, scratch, 0, 0, SRCCOPY);
    } else {
      int old = SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, x, y, cx, cy, scratch, 0, 0, impl_->width, impl_->height, SRCCOPY);
      SetStretchBltMode(dc, old);
    }
  } else if (impl_->metafile) {
    impl_->metafile->Render(dc, x, y, cx, cy, 0, impl_->hmHeight, impl_->hmWidth,
                            -impl_->hmHeight, nullptr);
  }
}

bool Picture::StretchInto(const Canvas& canvas, int x, int y, int cx, int cy) const {
  if (!impl_ || !impl_->bitmap || !canvas.bits() || cx <= 0 || cy <= 0) return false;
  const int sw = impl_->width, sh = impl_->height;
  std::vector<uint32_t>& src = impl_->pixels;
  if (src.empty()) {
    src.resize(static_cast<size_t>(sw) * sh);
    BITMAPINFO bi{};
    bi.bmiHeader = TopDown32(sw, sh);
    ScopedGetDC screen(nullptr);
    if (!GetDIBits(screen.get(), impl_->bitmap.get(), 0, sh, src.data(), &bi, DIB_RGB_COLORS)) {
      src.clear();
      return false;
    }
  }
  GdiFlush();  // what GDI drew into the canvas lands before the pixels are touched
  const int x0 = std::max(x, 0), x1 = std::min(x + cx, canvas.width());
  const int y0 = std::max(y, 0), y1 = std::min(y + cy, canvas.height());
  for (int dy = y0; dy < y1; ++dy) {
    const uint32_t* row = &src[static_cast<size_t>((dy - y) * sh / cy) * sw];
    uint32_t* out = canvas.bits() + static_cast<size_t>(dy) * canvas.width();
    for (int dx = x0; dx < x1; ++dx) out[dx] = row[(dx - x) * sw / cx];
  }
  return true;
}

bool Canvas::Create(HDC like, int width, int height) {
  Reset();
  BITMAPINFO bi{};
  bi.bmiHeader = TopDown32(width, height);
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap_) dc_.reset(CreateCompatibleDC(like));
  if (!dc_) {
    Reset();
    return false;
  }
  SelectObject(dc_.get(), bitmap_.get());
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void Canvas::Reset() {
  dc_.reset();  // deleting the DC lets go of the bitmap selected into it
  bitmap_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace rumona
