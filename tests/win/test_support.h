#pragma once
// The helpers of the in-process tests of the real windows: one of each kind.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/app.h"
#include "doors/doors.h"
#include "doors/sound.h"
#include "doors/step_timer.h"
#include "bus_window/frm_browse_dir.h"
#include "bus_window/frm_show_version.h"
#include "common/resource.h"
#include "start_windows.h"

namespace rumona::test {

// Names a table's cases by their row, for tables whose values do not print readably.
inline constexpr auto Row = [](const auto& info) { return "row" + std::to_string(info.index); };

// A seam of the program (a variable that stands for a system call, a hook or a choice) set to
// `value` for the life of this object.
template <class T>
class Swapped {
 public:
  Swapped(T& seam, T value) : seam_(seam), old_(std::exchange(seam, std::move(value))) {}
  ~Swapped() { seam_ = std::move(old_); }
  Swapped(const Swapped&) = delete;
  Swapped& operator=(const Swapped&) = delete;

 private:
  T& seam_;
  T old_;
};

void Pump();  // every pending message of this thread, with the program's dialog keys
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);  // pumps meanwhile
void WaitForPictures(Form1& form);  // until the sign and the board decode nothing they show
void ShowFolder(Form1& form, const std::wstring& folder);  // the sign's folder, taken at once
inline void Command(HWND window, UINT id) { SendMessageW(window, WM_COMMAND, id, 0); }

// The two windows as the program starts them, the end of the process counted instead. Unless
// told to read it, the settings file is deleted before and after.
class App {
 public:
  explicit App(bool readSettingsFile = false);
  ~App();
  Form1& form() { return form_; }
  frmSet& panel() { return panel_; }
  int endCalls = 0;

 private:
  Swapped<std::function<void()>> end_{endProcess, [this] { ++endCalls; }};
  bool readSettingsFile_;
  frmSet panel_;
  Form1 form_;  // goes before the panel
};

RECT RectInParent(HWND hwnd);
RECT ClientRectPx(HWND hwnd);
std::wstring WindowText(HWND hwnd);
LOGFONTW FontOf(HWND control);
RECT PxRect(float left, float top, float width, float height);  // twips -> pixels
inline std::vector<LONG> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline std::vector<LONG> Edges(const RectPx& r) { return {r.left, r.top, r.right, r.bottom}; }

// The rectangles a window's paints update while this lives; `onApp` runs on each WM_APP.
class PaintSpy {
 public:
  explicit PaintSpy(HWND hwnd, std::function<void()> onApp = {});
  ~PaintSpy();
  std::vector<RECT> paints;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_;
  std::function<void()> onApp_;
  WNDPROC old_;
};
std::wstring SettingsFilePath();
HWND FindOwnWindow(const std::wstring& title);  // visible, top-level, of this process
void PressButton(HWND window, const std::wstring& caption);  // posted, as a click

// Answers each window of that title once, on this thread, from a timer that every modal or
// menu loop (and WaitUntil) dispatches; an answer posts its button press. A window still open
// 10 s after its answer fails the test, naming its title, and is closed so that the test ends.
class ModalAnswerer {
 public:
  ModalAnswerer(std::wstring title, std::function<void(HWND)> answer);
  ~ModalAnswerer();
  bool answered() const { return answers_ > 0; }
  int answers() const { return answers_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  std::wstring title_;
  std::function<void(HWND)> answer_;
  HWND last_ = nullptr;
  ULONGLONG answeredAt_ = 0;
  int answers_ = 0;
  UINT_PTR timer_;
};

// The items of an open popup menu, given its window: "caption", "*caption" when checked, "-".
std::vector<std::wstring> MenuItems(HWND menuWindow);

// Real input, as the user gives it: the pointer moved to a screen point, then the events.
void MouseAt(POINT screen, std::initializer_list<DWORD> events);
void Keys(std::initializer_list<WORD> keys);  // pressed in turn, released in reverse: a chord

class TempDir {  // a fresh folder, removed with its files
 public:
  TempDir();
  ~TempDir();
  const std::wstring& path() const { return path_; }  // no trailing "\"
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);
// A 24-bit BMP of one colour, or of two: its right half (x >= width / 2) in `right`.
void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour,
              COLORREF right = CLR_INVALID);

// A GIF of `width` x `height` with a palette of four colours: 0 red, 1 green, 2 blue, 3 black.
// A frame's pixels are palette digits, row after row; its transparent index, if any, is 3.
struct GifFrame {
  int left, top, width, height;
  std::string pixels;
  int delay = 0;      // hundredths of a second
  int disposal = 0;   // 1 leave, 2 clear to the background, 3 put back what was there
  bool transparent = false;
};
void WriteGif(const std::wstring& path, int width, int height, const std::vector<GifFrame>& frames,
              int loops = -1);  // the loop extension's count; -1: none

struct Pixels {  // colours 0xBBGGRR, top row first
  int width = 0, height = 0;
  std::vector<COLORREF> px;
  COLORREF at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
  bool All(COLORREF c) const { return std::count(px.begin(), px.end(), c) == width * height; }
  // Whether these pixels in `r` are those of `o` placed with its top-left at `oAt`.
  bool SameIn(const Pixels& o, const RECT& r, POINT oAt = {}) const {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (at(x, y) != o.at(x - oAt.x, y - oAt.y)) return false;
    return true;
  }
};

// The client area as WM_PRINTCLIENT paints it, or as the screen shows it now.
Pixels CaptureClient(HWND hwnd, bool asShown = false);
// A picture of assets/ at its own size: the independent record of what the screen must show.
Pixels AssetPixels(const std::string& name);
Pixels PicturePixels(const Picture& picture);  // drawn at its own size

}  // namespace rumona::test
