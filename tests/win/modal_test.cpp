#include <gtest/gtest.h>

#include "common/app.h"
#include "panel/frm_show_version.h"
#include "test_support.h"

namespace rumona::test {
namespace {

// Another program's window on the same desktop, ended with the test.
class OtherProgram {
 public:
  OtherProgram() {
    STARTUPINFOW si{.cb = sizeof si};
    wchar_t command[] = L"notepad.exe";
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_))
      return;
    WaitUntil([&] {
      EnumWindows([](HWND hwnd, LPARAM lp) -> BOOL {
        auto* self = reinterpret_cast<OtherProgram*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == self->pi_.dwProcessId && IsWindowVisible(hwnd)) self->window = hwnd;
        return !self->window;
      }, reinterpret_cast<LPARAM>(this));
      return window != nullptr;
    }, 30000);
  }
  ~OtherProgram() {
    if (!pi_.hProcess) return;
    TerminateProcess(pi_.hProcess, 0);
    WaitForSingleObject(pi_.hProcess, 10000);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
  // Returns once the other program has handled what it was sent before, an activation too.
  void Settle() const { SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr); }
  HWND window = nullptr;

 private:
  PROCESS_INFORMATION pi_{};
};

// Each modal window of the program, opened from the panel or the bus window with another
// program's window behind the bus window, and closed: the opener is active again and the other
// program stays behind.
TEST(Modal, ClosingGivesTheActivationBackToTheOpenerNotToAnotherProgram) {
  TempDir dir;
  OtherProgram other;
  ASSERT_NE(other.window, nullptr) << "notepad.exe did not start";
  App app;
  Form1& f = app.form();
  const struct {
    const char* name;
    bool fromPanel;
    std::wstring typed;  // chooser: typed and confirmed once, else cancelled
    std::function<void()> open;
  } cases[] = {
      {"version dialog", true, L"", [&] { SendMessageW(app.panel().Command3, BM_CLICK, 0, 0); }},
      {"chooser", true, L"", [&] { SendMessageW(app.panel().Command1, BM_CLICK, 0, 0); }},
      {"chooser, message, chooser", true, dir.File(L"gone"),
       [&] { SendMessageW(app.panel().Command1, BM_CLICK, 0, 0); }},
      {"file-open dialog", false, L"",
       [&] { SendMessageW(f.hwnd(), WM_COMMAND, kMnuSetKanban, 0); }},
  };
  for (const auto& c : cases) {
    const HWND opener = c.fromPanel ? app.panel().hwnd() : f.hwnd();
    // The other program comes forward, then the bus window, as clicks on them would.
    for (HWND w : {other.window, f.hwnd(), opener}) {
      SetForegroundWindow(w);
      other.Settle();
    }
    ASSERT_EQ(GetForegroundWindow(), opener) << c.name;
    int modals = 0;
    const auto answered = [&] { ++modals; };
    ModalAnswerer version(frmShowVersion::kTitle, [&](HWND hwnd) {
      answered();
      PressButton(hwnd, L"OK");
    });
    ModalAnswerer chooser(L"画像の位置", [&](HWND hwnd) {
      answered();
      HWND edit = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
      const bool confirm = !c.typed.empty() && WindowText(edit) != c.typed;
      SetWindowTextW(edit, c.typed.c_str());
      PressButton(hwnd, confirm ? L"OK" : L"キャンセル");
    });
    ModalAnswerer box(kAppTitle, [&](HWND hwnd) {
      answered();
      PressButton(hwnd, L"OK");
    });
    ModalAnswerer open(L"開く", [&](HWND hwnd) {
      answered();
      PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    c.open();
    other.Settle();
    Pump();
    EXPECT_EQ(modals, c.typed.empty() ? 1 : 3) << c.name;
    EXPECT_EQ(GetForegroundWindow(), opener) << c.name;
    EXPECT_TRUE(IsWindowEnabled(f.hwnd()) && IsWindowEnabled(app.panel().hwnd())) << c.name;
  }
}

}  // namespace
}  // namespace rumona::test
