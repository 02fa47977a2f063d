#include "test_support.h"

#include <algorithm>
#include <map>

#include "common/app.h"

namespace rumona::test {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (PreTranslateDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  return true;
}

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

RECT RectInParent(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  if (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
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

namespace {
struct Search {
  const std::wstring& text;
  bool topLevel;
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if ((!s->topLevel || (pid == GetCurrentProcessId() && IsWindowVisible(hwnd))) &&
      WindowText(hwnd) == s->text) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::map<UINT_PTR, ModalAnswerer*>& Answerers() {
  static std::map<UINT_PTR, ModalAnswerer*> answerers;
  return answerers;
}
}  // namespace

HWND FindOwnWindow(const std::wstring& title) {
  Search s{title, true};
  EnumWindows(&Match, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

void PressButton(HWND window, const std::wstring& caption) {
  Search s{caption, false};
  EnumChildWindows(window, &Match, reinterpret_cast<LPARAM>(&s));
  if (s.found)
    PostMessageW(GetParent(s.found), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(s.found), BN_CLICKED),
                 reinterpret_cast<LPARAM>(s.found));
}

ModalAnswerer::ModalAnswerer(std::wstring title, std::function<void(HWND)> answer)
    : title_(std::move(title)), answer_(std::move(answer)) {
  timer_ = SetTimer(nullptr, 0, 20, &Tick);
  Answerers()[timer_] = this;
}

ModalAnswerer::~ModalAnswerer() {
  KillTimer(nullptr, timer_);
  Answerers().erase(timer_);
}

void CALLBACK ModalAnswerer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  const auto it = Answerers().find(id);
  if (it == Answerers().end()) return;
  ModalAnswerer& self = *it->second;
  // A window counts again once it has gone (or been hidden) and opens anew.
  std::erase_if(self.handled_, [](HWND h) { return !IsWindow(h) || !IsWindowVisible(h); });
  HWND hwnd = FindOwnWindow(self.title_);
  if (!hwnd || self.handled_.count(hwnd)) return;
  self.handled_.insert(hwnd);  // first, as the answer may pump and tick again
  ++self.answers_;
  self.answer_(hwnd);
}

TempDir::TempDir() {
  static int counter = 0;
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  path_ = std::wstring(base) + L"rumona" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(++counter);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(File(L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      SetFileAttributesW(File(data.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(File(data.cFileName).c_str()))
        RemoveDirectoryW(File(data.cFileName).c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path_.c_str());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<no file>";
  std::string out;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(file);
  return out;
}

void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = height;  // bottom-up
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + stride * height;
  std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
  bytes.append(reinterpret_cast<const char*>(&ih), sizeof ih);
  std::string row(stride, '\0');
  for (int x = 0; x < width; ++x) {
    row[x * 3] = static_cast<char>(GetBValue(colour));
    row[x * 3 + 1] = static_cast<char>(GetGValue(colour));
    row[x * 3 + 2] = static_cast<char>(GetRValue(colour));
  }
  for (int y = 0; y < height; ++y) bytes += row;
  WriteFileBytes(path, bytes);
}

int Pixels::Count(COLORREF c) const { return static_cast<int>(std::count(px.begin(), px.end(), c)); }

Pixels CaptureClient(HWND hwnd) {
  Pixels p;
  const RECT rc = ClientRectPx(hwnd);
  p.width = rc.right;
  p.height = rc.bottom;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  for (int i = 0; i < p.width * p.height; ++i) {
    const DWORD v = static_cast<const DWORD*>(bits)[i];  // 0x00RRGGBB
    p.px.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
  }
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return p;
}

}  // namespace rumona::test
