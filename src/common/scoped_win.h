#pragma once
// Small owners for kernel, GDI and COM handles. Each one restores or deletes exactly what it took.
#include <windows.h>
#include <objidl.h>
#include <utility>

namespace rumona {

// A handle of the kernel or GDI; Traits name its empty value and how it is given back.
template <class Traits>
class ScopedHandle {
 public:
  using T = decltype(Traits::Empty());
  ScopedHandle() = default;
  explicit ScopedHandle(T h) : h_(h) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Empty())) {}
  ScopedHandle& operator=(ScopedHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Traits::Empty()));
    return *this;
  }
  ~ScopedHandle() { Close(); }
  void reset(T h = Traits::Empty()) {
    Close();
    h_ = h;
  }
  // Gives the handle back now; false when there was none or the system refused (a file's last
  // buffered writes can fail here).
  bool Close() {
    if (h_ == Traits::Empty()) return false;
    return Traits::Close(std::exchange(h_, Traits::Empty()));
  }
  T get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Empty(); }

 private:
  T h_ = Traits::Empty();
};

struct FileHandleTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static bool Close(HANDLE h) { return CloseHandle(h) != 0; }
};
struct KernelHandleTraits {  // the kernel objects whose empty value is null
  static HANDLE Empty() { return nullptr; }
  static bool Close(HANDLE h) { return CloseHandle(h) != 0; }
};
struct FindHandleTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static bool Close(HANDLE h) { return FindClose(h) != 0; }
};
struct LibraryTraits {
  static HMODULE Empty() { return nullptr; }
  static bool Close(HMODULE h) { return FreeLibrary(h) != 0; }
};
struct MemDcTraits {
  static HDC Empty() { return nullptr; }
  static bool Close(HDC h) { return DeleteDC(h) != 0; }
};
struct EnhMetaFileTraits {
  static HENHMETAFILE Empty() { return nullptr; }
  static bool Close(HENHMETAFILE h) { return DeleteEnhMetaFile(h) != 0; }
};
struct MetaFileTraits {
  static HMETAFILE Empty() { return nullptr; }
  static bool Close(HMETAFILE h) { return DeleteMetaFile(h) != 0; }
};
struct WindowTraits {
  static HWND Empty() { return nullptr; }
  static bool Close(HWND h) { return DestroyWindow(h) != 0; }
};
struct IconTraits {  // loaded without LR_SHARED
  static HICON Empty() { return nullptr; }
  static bool Close(HICON h) { return DestroyIcon(h) != 0; }
};
struct CursorTraits {  // loaded without LR_SHARED
  static HCURSOR Empty() { return nullptr; }
  static bool Close(HCURSOR h) { return DestroyCursor(h) != 0; }
};
template <class T>
struct GdiObjectTraits {
  static T Empty() { return nullptr; }
  static bool Close(T h) { return DeleteObject(h) != 0; }
};
template <class T>
using ScopedGdiObject = ScopedHandle<GdiObjectTraits<T>>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedFile = ScopedHandle<FileHandleTraits>;            // CreateFileW
using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;  // CreateWaitableTimerExW
using ScopedFind = ScopedHandle<FindHandleTraits>;            // FindFirstFileExW
using ScopedLibrary = ScopedHandle<LibraryTraits>;            // LoadLibraryW
using ScopedMemDC = ScopedHandle<MemDcTraits>;                // CreateCompatibleDC
using ScopedEnhMetaFile = ScopedHandle<EnhMetaFileTraits>;    // SetEnhMetaFileBits
using ScopedMetaFile = ScopedHandle<MetaFileTraits>;          // SetMetaFileBitsEx
using ScopedWindow = ScopedHandle<WindowTraits>;              // CreateWindowExW
using ScopedIcon = ScopedHandle<IconTraits>;                  // LoadImageW
using ScopedCursor = ScopedHandle<CursorTraits>;              // LoadImageW

// Selects an object into a DC and selects the previous one back on destruction, so a bitmap is
// always out of its DC before whoever owns it deletes it.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  ~ScopedGetDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint and EndPaint round the handling of one WM_PAINT.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
  HDC dc() const { return dc_; }
  const RECT& rect() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// A COM interface pointer that releases on destruction.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~ComPtr() {
    if (p_) p_->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T** put() {
    *this = ComPtr();
    return &p_;
  }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace rumona
