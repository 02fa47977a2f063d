#include "test_support.h"

#include "common/app.h"

namespace rumona::test {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

RECT RectInParent(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  HWND parent = GetParent(hwnd);
  if (parent && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

RECT ClientRectPx(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return rc;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t buf[512] = {};
  GetWindowTextW(hwnd, buf, 512);
  return buf;
}

RECT PxRect(float left, float top, float width, float height) {
  const RectPx px = ToPixels(RectTw{left, top, width, height});
  return RECT{px.left, px.top, px.right, px.bottom};
}

std::wstring SettingsFilePath() { return ExeFolder() + ExeBaseName() + L".ini"; }

App::App(bool readSettingsFile) : readSettingsFile_(readSettingsFile) {
  if (!readSettingsFile_) DeleteFileW(SettingsFilePath().c_str());
  form_ = std::make_unique<Form1>();
  form_->endProcess = [this] { ++endCalls; };
  form_->Create();
  Pump();
}

App::~App() {
  form_.reset();
  frmSet::Destroy();
  Pump();
  if (!readSettingsFile_) DeleteFileW(SettingsFilePath().c_str());
}

namespace {
struct FindData {
  std::wstring title;
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindTop(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == d->pid && IsWindowVisible(hwnd) && WindowText(hwnd) == d->title) {
    d->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct ChildData {
  std::wstring text;
  HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<ChildData*>(lp);
  if (WindowText(hwnd) == d->text) {
    d->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

int g_menus = 0;
void CALLBACK CloseMenuTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (menu && IsWindowVisible(menu)) {
    ++g_menus;
    EndMenu();
  }
}
}  // namespace

HWND FindOwnWindow(const std::wstring& title) {
  FindData d{title, GetCurrentProcessId(), nullptr};
  EnumWindows(&FindTop, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

HWND FindChildByText(HWND parent, const std::wstring& text) {
  ChildData d{text, nullptr};
  EnumChildWindows(parent, &FindChild, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

void PostClick(HWND button) {
  HWND parent = GetParent(button);
  PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

ModalAnswerer::ModalAnswerer(std::wstring title, std::function<void(HWND)> answer)
    : thread_([this, title = std::move(title), answer = std::move(answer)] {
        struct Done {
          std::atomic<bool>& flag;
          ~Done() { flag = true; }
        } done{done_};
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
          if (HWND hwnd = FindOwnWindow(title)) {
            seen_ = hwnd;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            answer(hwnd);
            answered_ = true;
            return;
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
      }) {}

ModalAnswerer::~ModalAnswerer() {
  stop_ = true;
  // The searching thread reads window titles, which sends messages to this thread: keep
  // answering them until it has finished, or the two would wait for each other.
  while (!done_) {
    Pump();
    Sleep(1);
  }
  thread_.join();
}

int CountPopupMenus(const std::function<void()>& action) {
  g_menus = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseMenuTimer);
  action();
  KillTimer(nullptr, timer);
  return g_menus;
}

}  // namespace rumona::test
