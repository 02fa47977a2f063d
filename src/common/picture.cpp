// Pictures: decoded from files or resources, resampled for a scale, drawn or stretched.
#include "common/picture.h"

#include <wincodec.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <mutex>
#include <new>
#include <optional>
#include <vector>

#include "common/app.h"
#include "common/twips_logic.h"
#include "common/resource.h"

namespace rumona {

uint64_t decodeBudgetBytes = kDecodeBudgetBytes;

namespace {

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
BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return bi;
}

// One decode at a time, whichever thread asks, so that two never add up in memory.
std::mutex g_decoding;

// An item of a frame's or the file's metadata, owned; empty (VT_EMPTY) where there is none.
struct MetaItem : PROPVARIANT {
  MetaItem(IWICMetadataQueryReader* reader, const wchar_t* name) : PROPVARIANT{} {
    if (reader && FAILED(reader->GetMetadataByName(name, this))) PropVariantInit(this);
  }
  ~MetaItem() { PropVariantClear(this); }
};

uint32_t MetaNumber(IWICMetadataQueryReader* reader, const wchar_t* name, uint32_t fallback) {
  const MetaItem v(reader, name);
  return v.vt == VT_UI1 ? v.bVal : v.vt == VT_UI2 ? v.uiVal : v.vt == VT_UI4 ? v.ulVal : fallback;
}

// How many times a GIF plays: its loop extension's count n is n times more than the first (0:
// forever), as browsers read it; without one, once.
int Plays(IWICMetadataQueryReader* file) {
  const MetaItem v(file, L"/appext/Data");
  if (v.vt != (VT_VECTOR | VT_UI1) || v.caub.cElems < 4 || v.caub.pElems[0] < 3 ||
      v.caub.pElems[1] != 1)
    return 1;
  const int loops = v.caub.pElems[2] | v.caub.pElems[3] << 8;
  return loops == 0 ? 0 : loops + 1;
}

// What the frames so far leave on the kept part of the picture: premultiplied 0xAARRGGBB,
// transparent where nothing has covered it yet.
struct Composition {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// Frame `index` drawn over what the frames before it left, its kept part added to `out`, and
// then disposed of as its metadata asks.
HRESULT AddFrame(IWICImagingFactory* wic, IWICBitmapDecoder* decoder,
                 IWICMetadataQueryReader* file, UINT index, bool last, SIZE keep,
                 Composition& canvas, Frames& out) {
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  ComPtr<IWICMetadataQueryReader> meta;
  UINT w = 0, h = 0;
  HRESULT hr = decoder->GetFrame(index, frame.put());
  if (SUCCEEDED(hr)) hr = wic->CreateFormatConverter(converter.put());
  if (SUCCEEDED(hr))
    hr = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                               WICBitmapDitherTypeNone, nullptr, 0, WICBitmapPaletteTypeCustom);
  if (SUCCEEDED(hr)) hr = converter->GetSize(&w, &h);
  if (FAILED(hr)) return hr;
  if (FAILED(frame->GetMetadataQueryReader(meta.put()))) meta = {};  // only a GIF's frames have it
  if (index == 0) {
    // The picture's own size: a GIF's logical screen, else its frame's.
    const uint64_t width = MetaNumber(file, L"/logscrdesc/Width", w);
    const uint64_t height = MetaNumber(file, L"/logscrdesc/Height", h);
    if (width == 0 || height == 0 || width > 32767 || height > 32767 ||
        width * height * 4 > decodeBudgetBytes)
      return E_OUTOFMEMORY;
    out.size = {static_cast<LONG>(width), static_cast<LONG>(height)};
    canvas.width = std::min<int>(keep.cx, out.size.cx);
    canvas.height = std::min<int>(keep.cy, out.size.cy);
    canvas.pixels.assign(static_cast<size_t>(canvas.width) * canvas.height, 0);
  }
  const int left = static_cast<int>(MetaNumber(meta.get(), L"/imgdesc/Left", 0));
  const int top = static_cast<int>(MetaNumber(meta.get(), L"/imgdesc/Top", 0));
  const uint32_t disposal = MetaNumber(meta.get(), L"/grctlext/Disposal", 0);
  const std::vector<uint32_t> before = disposal == 3 ? canvas.pixels : std::vector<uint32_t>();
  // Only the part of the frame that lies on the kept part of the picture is decoded.
  const int x0 = std::min(left, canvas.width), y0 = std::min(top, canvas.height);
  const int x1 = std::min<int>(left + static_cast<int>(w), canvas.width);
  const int y1 = std::min<int>(top + static_cast<int>(h), canvas.height);
  if (x0 < x1 && y0 < y1) {
    std::vector<uint32_t> part(static_cast<size_t>(x1 - x0) * (y1 - y0));
    const WICRect rect{x0 - left, y0 - top, x1 - x0, y1 - y0};
    hr = converter->CopyPixels(&rect, (x1 - x0) * 4, static_cast<UINT>(part.size() * 4),
                               reinterpret_cast<BYTE*>(part.data()));
    if (FAILED(hr)) return hr;
    // A transparent pixel of a GIF frame leaves what lies beneath it.
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (const uint32_t p = part[static_cast<size_t>(y - y0) * (x1 - x0) + (x - x0)]; p >> 24)
          canvas.pixels[static_cast<size_t>(y) * canvas.width + x] = p;
  }
  // Premultiplied colour plus white where the picture does not cover.
  std::vector<uint32_t> shown = last ? std::move(canvas.pixels) : canvas.pixels;
  for (uint32_t& p : shown) p = (p & 0xFFFFFF) + (255 - (p >> 24)) * 0x010101;
  out.frames.push_back(Picture::FromPixels(canvas.width, canvas.height, std::move(shown)));
  out.delaysMs.push_back(FrameDelayMs(static_cast<int>(MetaNumber(meta.get(), L"/grctlext/Delay", 0))));
  if (out.frames.back().empty()) return E_OUTOFMEMORY;
  // Disposal 2 clears the frame's rectangle, as browsers do, rather than painting the
  // background colour; 3 puts back what was there before it.
  if (last) return S_OK;
  if (disposal == 2)
    for (int y = y0; y < y1; ++y)
      std::fill_n(&canvas.pixels[static_cast<size_t>(y) * canvas.width + x0], x1 - x0, 0);
  if (disposal == 3) canvas.pixels = before;
  return S_OK;
}

// The frames of a BMP, GIF, JPEG or PNG file's bytes; refused before any decoder sees them when
// the header promises more than the budget.
HRESULT Decode(const std::vector<char>& data, SIZE keep, bool allFrames, Frames& out) {
  const std::optional<uint64_t> pixels = DecodedPixels({data.data(), data.size()});
  if (pixels && *pixels * 4 > decodeBudgetBytes) return E_OUTOFMEMORY;
  const std::lock_guard one(g_decoding);
  EnsureCom();
  ComPtr<IWICImagingFactory> wic;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICMetadataQueryReader> file;
  UINT count = 1;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(wic.put()));
  if (SUCCEEDED(hr)) hr = wic->CreateStream(stream.put());
  if (SUCCEEDED(hr))
    hr = stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(data.data())),
                                      static_cast<DWORD>(data.size()));
  if (SUCCEEDED(hr))
    hr = wic->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                      decoder.put());
  if (SUCCEEDED(hr) && allFrames) hr = decoder->GetFrameCount(&count);
  if (SUCCEEDED(hr) && FAILED(decoder->GetMetadataQueryReader(file.put())))
    file = {};  // only a GIF has one
  Composition canvas;
  for (UINT i = 0; SUCCEEDED(hr) && i < count; ++i)
    hr = AddFrame(wic.get(), decoder.get(), file.get(), i, i + 1 == count, keep, canvas, out);
  out.plays = Plays(file.get());
  return hr;
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
    BITMAPINFO bi = TopDown32(width, height);  // GetDIBits may fill in its colour table
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
  const BITMAPINFO bi = TopDown32(width, height);
  if (!impl->bitmap ||
      !SetDIBits(screen.get(), impl->bitmap.get(), 0, height, pixels.data(), &bi, DIB_RGB_COLORS))
    return Picture();
  impl->width = width;
  impl->height = height;
  // The pixels are read back only if ever needed: a board's photo is held once, not twice.
  return Picture(std::move(impl));
}

// A placeable WMF or an EMF, its physical size laid out at the base DPI as a picture's pixels
// are; the empty picture for other bytes.
Picture Picture::FromMetafile(const std::vector<char>& data) {
  auto impl = std::make_shared<Impl>();
  const auto* placeable = reinterpret_cast<const PlaceableHeader*>(data.data());
  const auto* emf = reinterpret_cast<const ENHMETAHEADER*>(data.data());
  if (data.size() > sizeof *placeable && placeable->key == kPlaceableKey) {
    impl->wmf.reset(SetMetaFileBitsEx(static_cast<UINT>(data.size() - sizeof *placeable),
                                      reinterpret_cast<const BYTE*>(placeable + 1)));
    if (!impl->wmf || placeable->inch == 0) return Picture();
    impl->wmfBox = {placeable->left, placeable->top, placeable->right, placeable->bottom};
    impl->width = MulDiv(placeable->right - placeable->left, kBaseDpi, placeable->inch);
    impl->height = MulDiv(placeable->bottom - placeable->top, kBaseDpi, placeable->inch);
  } else if (data.size() >= offsetof(ENHMETAHEADER, nBytes) && emf->iType == EMR_HEADER &&
             emf->dSignature == ENHMETA_SIGNATURE) {
    impl->emf.reset(SetEnhMetaFileBits(static_cast<UINT>(data.size()),
                                       reinterpret_cast<const BYTE*>(data.data())));
    if (!impl->emf) return Picture();
    const RECTL& frame = emf->rclFrame;  // in hundredths of a millimetre
    impl->width = MulDiv(frame.right - frame.left, kBaseDpi, kHimetricPerInch);
    impl->height = MulDiv(frame.bottom - frame.top, kBaseDpi, kHimetricPerInch);
  } else {
    return Picture();
  }
  return Picture(std::move(impl));
}

// A picture the memory left cannot hold is one that cannot be read, on whichever thread it is
// decoded: its bytes (up to a gigabyte) and its pixels are the allocations that grow with it.
Frames Picture::Load(const std::wstring& path, SIZE keep, bool allFrames) try {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart >= (1LL << 30))
    return {};
  std::vector<char> data(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
      read != data.size())
    return {};
  // A metafile costs no more whole than in part: it is kept whole.
  if (Picture metafile = FromMetafile(data); !metafile.empty())
    return Frames{{metafile.widthPx(), metafile.heightPx()}, {metafile}, {0}, 1};
  Frames frames;
  if (FAILED(Decode(data, keep, allFrames, frames))) return {};
  return frames;
} catch (const std::bad_alloc&) {
  return {};
}

Picture Picture::FromFile(const std::wstring& path) {
  Frames frames = Load(path, {INT_MAX, INT_MAX}, false);
  return frames.frames.empty() ? Picture() : std::move(frames.frames[0]);
}

Picture Picture::FromResource(int id) {
  // A bitmap made compatible with the display, so that it blits without conversion.
  auto bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  auto impl = std::make_shared<Impl>();
  impl->bitmap.reset(bitmap);
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return Picture();
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

// A copy the memory cannot hold is refused as a bitmap the system has no room for is.
Picture Picture::Resampled(int width, int height) const try {
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
} catch (const std::bad_alloc&) {
  return Picture();
}

void Picture::Draw(HDC dc, int x, int y, int cx, int cy, HDC scratch) const {
  if (!impl_ || cx <= 0 || cy <= 0) return;
  if (impl_->bitmap) {
    ScopedMemDC own(scratch ? nullptr : CreateCompatibleDC(dc));
    if (!scratch) scratch = own.get();
    if (!scratch) return;  // no room for a DC: the picture is not drawn this time
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
  const BITMAPINFO bi = TopDown32(width, height);
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap_) dc_.reset(CreateCompatibleDC(like));
  if (!dc_ || !SelectObject(dc_.get(), bitmap_.get())) {
    Reset();
    return false;
  }
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
