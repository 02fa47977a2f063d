// Pictures: decoded from files or resources, resampled for a scale, drawn or stretched.
#include "common/picture.h"

#include <wincodec.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "common/app.h"
#include "common/twips_logic.h"
#include "resource.h"

namespace rumona {

namespace {

// Pictures of a physical size (metafiles) are laid out at the program's one DPI.
constexpr int kPixelsPerInch = 1440 / kTwipsPerPixel;
constexpr int kHimetricPerInch = 2540;

// The 22 bytes before a placeable WMF's records: its bounds in its own units and their units
// per inch.
#pragma pack(push, 2)
struct PlaceableHeader {
  DWORD key;
  WORD handle;
  SHORT left, top, right, bottom;
  WORD inch;
  DWORD reserved;
  WORD checksum;
};
#pragma pack(pop)
static_assert(sizeof(PlaceableHeader) == 22);
constexpr DWORD kPlaceableKey = 0x9AC6CDD7;

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

// The system's image decoders, made once, at the first picture file; kept for the process.
IWICImagingFactory* Wic() {
  static IWICImagingFactory* const factory = [] {
    EnsureCom();
    IWICImagingFactory* f = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                     IID_PPV_ARGS(&f));
    return f;
  }();
  return factory;
}

// The first frame of a BMP, GIF, JPEG or PNG, as top-down 0x00RRGGBB pixels over white.
bool Decode(const std::vector<char>& data, int& width, int& height,
            std::vector<uint32_t>& pixels) {
  IWICImagingFactory* wic = Wic();
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  UINT w = 0, h = 0;
  if (!wic || FAILED(wic->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(
          reinterpret_cast<BYTE*>(const_cast<char*>(data.data())),
          static_cast<DWORD>(data.size()))) ||
      FAILED(wic->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                          decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())) ||
      FAILED(wic->CreateFormatConverter(converter.put())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > 32767 || h > 32767)
    return false;
  pixels.resize(static_cast<size_t>(w) * h);
  if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(pixels.data()))))
    return false;
  // Premultiplied colour plus white where the picture does not cover.
  for (uint32_t& p : pixels) p = (p & 0xFFFFFF) + (255 - (p >> 24)) * 0x010101;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

// One direction of the area average: `lines` lines of `from` pixels become lines of `to`
// pixels, each the mean of the source span it covers, weighted by how much of each source pixel
// it covers. Rows when `across` (the lines run along the rows), else columns. It keeps a hard
// edge within one pixel and brings in no colour the neighbourhood lacks. (WIC's scaler would do
// this too, but Wine's samples the nearest pixel in every mode.)
std::vector<uint32_t> AreaAverage(const std::vector<uint32_t>& src, int lines, int from, int to,
                                  bool across) {
  std::vector<uint32_t> out(static_cast<size_t>(lines) * to);
  const size_t inLine = across ? from : 1, inPixel = across ? 1 : lines;
  const size_t outLine = across ? to : 1, outPixel = across ? 1 : lines;
  for (int i = 0; i < to; ++i) {
    // The span in units of 1/to of a source pixel: [i * from, (i + 1) * from).
    const int64_t start = int64_t{i} * from, end = start + from;
    for (int n = 0; n < lines; ++n) {
      int64_t r = 0, g = 0, b = 0;
      for (int64_t j = start / to; j * to < end; ++j) {
        const int64_t weight = std::min(end, (j + 1) * to) - std::max(start, j * to);
        const uint32_t p = src[n * inLine + j * inPixel];
        r += (p >> 16 & 255) * weight;
        g += (p >> 8 & 255) * weight;
        b += (p & 255) * weight;
      }
      const auto mean = [&](int64_t sum) { return static_cast<uint32_t>((sum + from / 2) / from); };
      out[n * outLine + i * outPixel] = mean(r) << 16 | mean(g) << 8 | mean(b);
    }
  }
  return out;
}

}  // namespace

const std::vector<uint32_t>& Picture::Impl::Pixels() const {
  if (pixels.empty() && bitmap) {
    pixels.resize(static_cast<size_t>(width) * height);
    BITMAPINFO bi{};
    bi.bmiHeader = TopDown32(width, height);
    ScopedGetDC screen(nullptr);
    if (!GetDIBits(screen.get(), bitmap.get(), 0, height, pixels.data(), &bi, DIB_RGB_COLORS))
      pixels.clear();
  }
  return pixels;
}

Picture Picture::FromPixels(int width, int height, std::vector<uint32_t> pixels) {
  // Copied once into a bitmap of the display's format, so that drawing it is a plain blit.
  auto impl = std::make_shared<Impl>();
  ScopedGetDC screen(nullptr);
  impl->bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
  BITMAPINFO bi{};
  bi.bmiHeader = TopDown32(width, height);
  if (!impl->bitmap ||
      !SetDIBits(screen.get(), impl->bitmap.get(), 0, height, pixels.data(), &bi, DIB_RGB_COLORS))
    return Picture();
  impl->width = width;
  impl->height = height;
  impl->pixels = std::move(pixels);
  return Picture(std::move(impl));
}

Picture Picture::FromFile(const std::wstring& path) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart >= (1LL << 30))
    return Picture();
  std::vector<char> data(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
      read != data.size())
    return Picture();

  auto impl = std::make_shared<Impl>();
  const auto* placeable = reinterpret_cast<const PlaceableHeader*>(data.data());
  const auto* emf = reinterpret_cast<const ENHMETAHEADER*>(data.data());
  if (data.size() > sizeof *placeable && placeable->key == kPlaceableKey) {
    impl->wmf.reset(SetMetaFileBitsEx(static_cast<UINT>(data.size() - sizeof *placeable),
                                      reinterpret_cast<const BYTE*>(placeable + 1)));
    if (!impl->wmf || placeable->inch == 0) return Picture();
    impl->wmfBox = {placeable->left, placeable->top, placeable->right, placeable->bottom};
    impl->width = MulDiv(placeable->right - placeable->left, kPixelsPerInch, placeable->inch);
    impl->height = MulDiv(placeable->bottom - placeable->top, kPixelsPerInch, placeable->inch);
  } else if (data.size() >= offsetof(ENHMETAHEADER, nBytes) && emf->iType == EMR_HEADER &&
             emf->dSignature == ENHMETA_SIGNATURE) {
    impl->emf.reset(SetEnhMetaFileBits(static_cast<UINT>(data.size()),
                                       reinterpret_cast<const BYTE*>(data.data())));
    if (!impl->emf) return Picture();
    const RECTL& frame = emf->rclFrame;  // in hundredths of a millimetre
    impl->width = MulDiv(frame.right - frame.left, kPixelsPerInch, kHimetricPerInch);
    impl->height = MulDiv(frame.bottom - frame.top, kPixelsPerInch, kHimetricPerInch);
  } else {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    if (!Decode(data, width, height, pixels)) return Picture();
    return FromPixels(width, height, std::move(pixels));
  }
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

Picture Picture::Artwork(int id, UINT dpi) {
  if (dpi <= 96) return FromResource(id);
  // The 2x drawing is twice the 1x size exactly, so this is round(1x size * dpi / 96).
  const Picture big = FromResource(id + IDB_2X);
  return big.Resampled(MulDiv(big.widthPx(), dpi, 192), MulDiv(big.heightPx(), dpi, 192));
}

Picture Picture::Resampled(int width, int height) const {
  if (!impl_ || width <= 0 || height <= 0) return Picture();
  if (width == impl_->width && height == impl_->height) return *this;
  if (!impl_->bitmap) {  // a metafile, played at that size over white
    Canvas canvas;
    if (!canvas.Create(nullptr, width, height)) return Picture();
    PatBlt(canvas.dc(), 0, 0, width, height, WHITENESS);
    Draw(canvas.dc(), 0, 0, width, height);
    GdiFlush();
    return FromPixels(width, height, {canvas.bits(), canvas.bits() + width * height});
  }
  const std::vector<uint32_t>& src = impl_->Pixels();
  if (src.empty()) return Picture();
  return FromPixels(width, height,
                    AreaAverage(AreaAverage(src, impl_->height, impl_->width, width, true), width,
                                impl_->height, height, false));
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
  } else if (impl_->emf) {
    const RECT to{x, y, x + cx, y + cy};
    PlayEnhMetaFile(dc, impl_->emf.get(), &to);
  } else if (impl_->wmf) {
    // The placeable header's bounds map onto the destination, as the header intends.
    const int saved = SaveDC(dc);
    const RECT& box = impl_->wmfBox;
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, box.left, box.top, nullptr);
    SetWindowExtEx(dc, box.right - box.left, box.bottom - box.top, nullptr);
    SetViewportOrgEx(dc, x, y, nullptr);
    SetViewportExtEx(dc, cx, cy, nullptr);
    PlayMetaFile(dc, impl_->wmf.get());
    RestoreDC(dc, saved);
  }
}

bool Picture::StretchInto(const Canvas& canvas, int x, int y, int cx, int cy) const {
  if (!impl_ || !impl_->bitmap || !canvas.bits() || cx <= 0 || cy <= 0) return false;
  const int sw = impl_->width, sh = impl_->height;
  const std::vector<uint32_t>& src = impl_->Pixels();
  if (src.empty()) return false;
  GdiFlush();  // what GDI drew into the canvas lands before the pixels are touched
  const int x0 = std::max(x, 0), x1 = std::min(x + cx, canvas.width());
  const int y0 = std::max(y, 0), y1 = std::min(y + cy, canvas.height());
  if (x0 >= x1) return true;
  // The source column of each destination column, worked out once rather than at every pixel.
  thread_local std::vector<int> columns;
  columns.resize(static_cast<size_t>(x1 - x0));
  for (int dx = x0; dx < x1; ++dx) columns[dx - x0] = (dx - x) * sw / cx;
  for (int dy = y0; dy < y1; ++dy) {
    const uint32_t* row = &src[static_cast<size_t>((dy - y) * sh / cy) * sw];
    uint32_t* out = canvas.bits() + static_cast<size_t>(dy) * canvas.width() + x0;
    for (const int column : columns) *out++ = row[column];
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
