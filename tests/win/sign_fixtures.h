#pragma once
// Helpers of the sign and folder chooser tests: real temporary folders, pictures written on the
// spot, the sign box rendered to pixels, and a scripted helper thread that answers modal windows.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace rumona::test {

// A fresh folder under the temporary folder, removed with everything in it.
class TempDir {
 public:
  explicit TempDir(const std::wstring& leaf = L"RumonaSign") {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    path_ = std::wstring(base) + leaf + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++counter);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempDir() { Remove(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::wstring& path() const { return path_; }  // no trailing "\"
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

  static void Remove(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring full = path + L"\\" + name;
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(full);
        else
          DeleteFileW(full.c_str());
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
  }

 private:
  std::wstring path_;
};

inline void WriteBytes(const std::wstring& path, const void* data, size_t size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(file);
}

inline void WriteText(const std::wstring& path, const char* text) {
  WriteBytes(path, text, strlen(text));
}

// A 24-bit bitmap file whose pixel (x, y), top row first, is colour(x, y) (0xBBGGRR).
inline void WriteBmp(const std::wstring& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colour) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<uint8_t> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) +
                            static_cast<size_t>(stride) * height);
  auto* fh = reinterpret_cast<BITMAPFILEHEADER*>(file.data());
  auto* ih = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
  fh->bfType = 0x4D42;
  fh->bfSize = static_cast<DWORD>(file.size());
  fh->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  ih->biSize = sizeof(BITMAPINFOHEADER);
  ih->biWidth = width;
  ih->biHeight = height;  // bottom-up
  ih->biPlanes = 1;
  ih->biBitCount = 24;
  uint8_t* bits = file.data() + fh->bfOffBits;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      uint8_t* p = bits + static_cast<size_t>(height - 1 - y) * stride + x * 3;
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  WriteBytes(path, file.data(), file.size());
}

inline void WriteSolidBmp(const std::wstring& path, COLORREF c, int width = 52, int height = 32) {
  WriteBmp(path, width, height, [c](int, int) { return c; });
}

// Picture1's client area as its WM_PRINTCLIENT paints it: pixels as 0xBBGGRR, top row first.
class SignPixels {
 public:
  explicit SignPixels(HWND picture1) {
    RECT rc;
    GetClientRect(picture1, &rc);
    width_ = rc.right;
    height_ = rc.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageW(picture1, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* px = static_cast<const uint32_t*>(bits);
    pixels_.resize(static_cast<size_t>(width_) * height_);
    for (size_t i = 0; i < pixels_.size(); ++i) {
      const uint32_t v = px[i];  // 0x00RRGGBB in memory order B, G, R
      pixels_[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // How many pixels of a rectangle have the colour.
  int Count(COLORREF c, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += at(x, y) == c;
    return n;
  }
  bool All(COLORREF c) const { return Count(c, 0, 0, width_, height_) == width_ * height_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Waits (up to half a minute) until `ready` holds; false if it never did.
inline bool WaitUntil(const std::function<bool()>& ready) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

inline HWND WaitForOwnWindow(const std::wstring& title) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindOwnWindow(title)) != nullptr; });
  if (found) std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let it settle
  return found;
}

inline HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// Runs `script` on a helper thread while the test's thread sits in a modal loop. Once the script
// has ended, for whatever reason, every chooser and message box still open is closed until the
// test's thread calls Finish(), so that a failed step shows as a failure and never as a hang.
class ModalScript {
 public:
  explicit ModalScript(std::function<void()> script)
      : thread_([this, script = std::move(script)] {
          script();
          while (!done_) {
            for (const wchar_t* title : {L"画像の位置", L"カナテラ"})
              if (HWND hwnd = FindOwnWindow(title)) {
                closedLeftovers_ = true;
                PostMessageW(hwnd, WM_CLOSE, 0, 0);
              }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
          }
          ended_ = true;
        }) {}
  ~ModalScript() { Finish(); }
  // Reading a window's title from the helper thread sends a message to this thread, so this
  // thread keeps pumping until the helper has ended.
  void Finish() {
    done_ = true;
    while (!ended_) {
      Pump();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    if (thread_.joinable()) thread_.join();
  }
  // Whether a chooser or message box was still open after the script had ended.
  bool closedLeftovers() const { return closedLeftovers_; }

 private:
  std::atomic<bool> done_{false};
  std::atomic<bool> ended_{false};
  std::atomic<bool> closedLeftovers_{false};
  std::thread thread_;
};

// The visible static text of a message box (its message).
inline std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : std::wstring();
}

// Whether a message box shows an icon.
inline bool MessageBoxHasIcon(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (lstrcmpiW(cls, L"Static") == 0 && IsWindowVisible(child) &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0)
      return true;
  }
  return false;
}

}  // namespace rumona::test
