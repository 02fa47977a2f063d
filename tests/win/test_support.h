#pragma once
// Helpers for the in-process tests of the real windows.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "bus_window/form1.h"
#include "common/twips_logic.h"
#include "panel/frm_set.h"

namespace rumona::test {

// Processes every pending message of this thread.
void Pump();

// A window's rectangle in its parent's client coordinates (or the screen for a top-level one).
RECT RectInParent(HWND hwnd);
RECT ClientRectPx(HWND hwnd);
std::wstring WindowText(HWND hwnd);

// The pixel rectangle a twips rectangle is laid at.
RECT PxRect(float left, float top, float width, float height);

// The settings file of the test exe (beside it, named after it).
std::wstring SettingsFilePath();

// The bus window and the panel as the program starts them, with the end of the process replaced
// by a flag, torn down after each test. Unless told to read it, the settings file is deleted
// first and afterwards, so that every test starts from the fallback whatever another saved.
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

// Answers a modal window from a helper thread: waits until a visible top-level window of this
// process with the given title appears, then runs `answer` on it (e.g. posts a button click).
// The test's own thread stays inside the modal loop meanwhile, so nothing depends on timing.
class ModalAnswerer {
 public:
  ModalAnswerer(std::wstring title, std::function<void(HWND)> answer);
  ~ModalAnswerer();
  bool answered() const { return answered_; }
  HWND seen() const { return seen_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> answered_{false};
  std::atomic<HWND> seen_{nullptr};
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// Finds a visible top-level window of this process by title (nullptr when none).
HWND FindOwnWindow(const std::wstring& title);
// A child control of a window by its text (first match, depth first).
HWND FindChildByText(HWND parent, const std::wstring& text);
// Posts a click to a button so that it runs inside whatever loop the owner is in.
void PostClick(HWND button);

// Counts popup menus opened while `action` runs, closing each one at once.
int CountPopupMenus(const std::function<void()>& action);

}  // namespace rumona::test
