#pragma once
// Small owners for kernel, GDI and COM handles. Each one restores or deletes exactly what it took.
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <utility>

namespace rumona {

// A handle of the kernel or GDI, given back with `kClose`; its empty value is `kEmpty` (-1 for
// INVALID_HANDLE_VALUE).
template <class T, auto kClose, intptr_t kEmpty = 0>
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(T h) : h_(h) {}
  ScopedHandle(ScopedHandle&& o) noexcept : h_(std::exchange(o.h_, Empty())) {}
  ScopedHandle& operator=(ScopedHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Empty()));
    return *this;
  }
  ~ScopedHandle() { Close(); }
  void reset(T h = Empty()) {
    Close();
    h_ = h;
  }
  // Gives the handle back now; false when there was none or the system refused (a file's last
  // buffered writes can fail here).
  bool Close() { return h_ != Empty() && kClose(std::exchange(h_, Empty())) != 0; }
  T get() const { return h_; }
  explicit operator bool() const { return h_ != Empty(); }

 private:
  static T Empty() { return reinterpret_cast<T>(kEmpty); }
  T h_ = Empty();
};

using ScopedBitmap = ScopedHandle<HBITMAP, DeleteObject>;
using ScopedBrush = ScopedHandle<HBRUSH, DeleteObject>;
using ScopedFont = ScopedHandle<HFONT, DeleteObject>;
using ScopedFile = ScopedHandle<HANDLE, CloseHandle, -1>;         // CreateFileW
using ScopedKernelHandle = ScopedHandle<HANDLE, CloseHandle>;      // CreateWaitableTimerExW
using ScopedFind = ScopedHandle<HANDLE, FindClose, -1>;            // FindFirstFileExW
using ScopedLibrary = ScopedHandle<HMODULE, FreeLibrary>;          // LoadLibraryW
using ScopedMemDC = ScopedHandle<HDC, DeleteDC>;                   // CreateCompatibleDC
using ScopedEnhMetaFile = ScopedHandle<HENHMETAFILE, DeleteEnhMetaFile>;  // SetEnhMetaFileBits
using ScopedMetaFile = ScopedHandle<HMETAFILE, DeleteMetaFile>;    // SetMetaFileBitsEx
using ScopedWindow = ScopedHandle<HWND, DestroyWindow>;            // CreateWindowExW
using ScopedIcon = ScopedHandle<HICON, DestroyIcon>;      // LoadImageW without LR_SHARED
using ScopedCursor = ScopedHandle<HCURSOR, DestroyCursor>;  // LoadImageW without LR_SHARED

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
