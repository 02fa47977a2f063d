#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "common/app.h"

namespace rumona::test {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchWithDialogKeys(msg);
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
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  return text;
}

RECT PxRect(float left, float top, float width, float height) {
  const RectPx px = ToPixels(RectTw{left, top, width, height});
  return RECT{px.left, px.top, px.right, px.bottom};
}

std::wstring SettingsFilePath() { return ExeFolder() + ExeBaseName() + L".ini"; }

HWND FindOwnWindow(const std::wstring& title) {
  std::pair<const std::wstring*, HWND> search{&title, nullptr};
  EnumWindows([](HWND hwnd, LPARAM lp) -> BOOL {
    auto* s = reinterpret_cast<std::pair<const std::wstring*, HWND>*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && WindowText(hwnd) == *s->first)
      s->second = hwnd;
    return !s->second;
  }, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void PressButton(HWND window, const std::wstring& caption) {
  HWND button = FindWindowExW(window, nullptr, L"Button", caption.c_str());
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

static std::map<UINT_PTR, ModalAnswerer*> answerers;

ModalAnswerer::ModalAnswerer(std::wstring title, std::function<void(HWND)> answer)
    : title_(std::move(title)), answer_(std::move(answer)), timer_(SetTimer(0, 0, 20, &Tick)) {
  answerers[timer_] = this;
}

ModalAnswerer::~ModalAnswerer() {
  KillTimer(nullptr, timer_);
  answerers.erase(timer_);
}

void CALLBACK ModalAnswerer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  ModalAnswerer* self = answerers.count(id) ? answerers[id] : nullptr;
  HWND hwnd = self ? FindOwnWindow(self->title_) : nullptr;
  if (!hwnd || hwnd == self->last_) return;
  self->last_ = hwnd;  // first: an answer may pump, and so tick again
  ++self->answers_;
  self->answer_(hwnd);
}

TempDir::TempDir() {
  static int count = 0;
  path_ = std::filesystem::temp_directory_path().wstring() + L"rumona" +
          std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++count);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
  std::error_code ec;  // a folder still in use (the open dialog's current one) stays
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove_all(path_, ec);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour) {
  const int stride = (width * 3 + 3) & ~3;
  const BITMAPINFOHEADER ih{.biSize = sizeof ih, .biWidth = width, .biHeight = height,
                            .biPlanes = 1, .biBitCount = 24};
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof ih;
  const BITMAPFILEHEADER fh{.bfType = 0x4D42, .bfSize = offset + stride * height,
                            .bfOffBits = offset};
  std::string bytes(offset + stride * height, '\0');
  memcpy(bytes.data(), &fh, sizeof fh);
  memcpy(bytes.data() + sizeof fh, &ih, sizeof ih);
  const DWORD bgr = RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));  // B, G, R
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) memcpy(bytes.data() + offset + y * stride + x * 3, &bgr, 3);
  WriteFileBytes(path, bytes);
}

Pixels CaptureClient(HWND hwnd, bool asShown) {
  const RECT rc = ClientRectPx(hwnd);
  Pixels p{rc.right, rc.bottom, std::vector<COLORREF>(rc.right * rc.bottom)};
  const BITMAPINFO bi{.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER), .biWidth = p.width,
                                    .biHeight = -p.height, .biPlanes = 1, .biBitCount = 32}};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  if (asShown) {
    HDC screen = GetDC(hwnd);
    BitBlt(dc, 0, 0, p.width, p.height, screen, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, screen);
  } else {
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }
  GdiFlush();
  for (size_t i = 0; i < p.px.size(); ++i) {
    const DWORD v = static_cast<const DWORD*>(bits)[i];  // 0x00RRGGBB
    p.px[i] = RGB(GetBValue(v), GetGValue(v), GetRValue(v));
  }
  DeleteObject(SelectObject(dc, old));
  DeleteDC(dc);
  return p;
}

}  // namespace rumona::test
