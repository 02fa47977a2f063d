#pragma once
// The helpers of the in-process tests of the real windows: one of each kind.
#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bus_window/form1.h"
#include "common/twips_logic.h"
#include "panel/frm_set.h"

namespace rumona::test {

// Every pending message of this thread, through the program's own dialog-key handling.
void Pump();
// Pumps until `done` holds; false on timeout.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// The bus window and the panel as the program starts them, with the end of the process replaced
// by a count. Unless told to read it, the settings file is deleted before and after.
class App {
 public:
  explicit App(bool readSettingsFile = false);
  ~App();
  Form1& form() { return *form_; }
  frmSet& panel() { return frmSet::Get(); }
  int endCalls = 0;

 private:
  std::unique_ptr<Form1> form_;
  bool readSettingsFile_;
};

RECT RectInParent(HWND hwnd);  // in the parent's client area (the screen for a top-level one)
RECT ClientRectPx(HWND hwnd);
std::wstring WindowText(HWND hwnd);
RECT PxRect(float left, float top, float width, float height);  // twips -> pixels
std::wstring SettingsFilePath();

// A visible top-level window of this process by its title (nullptr when none).
HWND FindOwnWindow(const std::wstring& title);
// Posts a click to the child button with that caption, as the mouse would.
void PressButton(HWND window, const std::wstring& caption);

// Answers each window with the title that opens while this thread pumps (a modal loop, a menu
// loop or WaitUntil): a thread timer finds it and runs `answer` on it, on this thread, once per
// appearance. An answer posts its button press rather than running the handler inside the timer.
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
  std::set<HWND> handled_;
  int answers_ = 0;
  UINT_PTR timer_ = 0;
};

// A fresh folder under the temporary folder, removed with its files.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::wstring& path() const { return path_; }  // no trailing "\"
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);  // "<no file>" when it cannot be read
// A 24-bit bitmap file of one colour (0xBBGGRR).
void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour);

// A client area as the window paints it (WM_PRINTCLIENT), top row first, colours 0xBBGGRR.
struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> px;
  COLORREF at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
  int Count(COLORREF c) const;
};
Pixels CaptureClient(HWND hwnd);

}  // namespace rumona::test
