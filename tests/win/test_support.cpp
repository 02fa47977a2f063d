#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

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

void WaitForPictures(Form1& form) {
  EXPECT_TRUE(WaitUntil([&] { return !form.sign.Loading() && !form.board.Loading(); }))
      << "a picture is still decoding";
}

void ShowFolder(Form1& form, const std::wstring& folder) {
  form.sign.StoreFolder(folder);
  EXPECT_FALSE(form.picDir()) << "the folder was refused";
}

App::App(bool readSettingsFile) : readSettingsFile_(readSettingsFile) {
  if (!readSettingsFile_) DeleteFileW(SettingsFilePath().c_str());
  StartWindows(form_, panel_);
  Pump();
}

App::~App() {
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

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

static PaintSpy* spy;  // one window watched at a time

PaintSpy::PaintSpy(HWND hwnd, std::function<void()> onApp)
    : hwnd_(hwnd), onApp_(std::move(onApp)),
      old_(reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)))) {
  spy = this;
}

PaintSpy::~PaintSpy() {
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
  spy = nullptr;
}

LRESULT CALLBACK PaintSpy::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  RECT r;
  if (msg == WM_PAINT && GetUpdateRect(hwnd, &r, FALSE)) spy->paints.push_back(r);
  if (msg == WM_APP && spy->onApp_) spy->onApp_();
  return CallWindowProcW(spy->old_, hwnd, msg, wp, lp);
}

RECT PxRect(float left, float top, float width, float height) {
  const RectPx px = ToPixels(RectTw{left, top, width, height}, SystemDpi());
  return RECT{px.left, px.top, px.right, px.bottom};
}

std::wstring SettingsFilePath() { return ExeFolder() + ExeBaseName() + L".ini"; }

HWND FindOwnWindow(const std::wstring& title) {
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExW(nullptr, hwnd, nullptr, title.c_str()))) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd)) return hwnd;
  }
  return nullptr;
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
  if (!hwnd) return;
  if (hwnd == self->last_) {
    if (GetTickCount64() - self->answeredAt_ < 10000) return;
    char title[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, self->title_.c_str(), -1, title, 255, nullptr, nullptr);
    ADD_FAILURE() << "\"" << title << "\" still open 10 s after its answer";
    self->answeredAt_ = GetTickCount64();
    if (self->title_.empty()) EndMenu();
    else if (!EndDialog(hwnd, IDCANCEL)) DestroyWindow(hwnd);
    return;
  }
  self->last_ = hwnd;  // first: an answer may pump, and so tick again
  self->answeredAt_ = GetTickCount64();
  ++self->answers_;
  self->answer_(hwnd);
}

std::vector<std::wstring> MenuItems(HWND menuWindow) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  std::vector<std::wstring> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    items.push_back(state & MF_SEPARATOR ? L"-" : (state & MF_CHECKED ? L"*" : L"") +
                                                     std::wstring(text));
  }
  return items;
}

void MouseAt(POINT screen, std::initializer_list<DWORD> events) {
  SetCursorPos(screen.x, screen.y);
  std::vector<INPUT> in;
  for (DWORD e : events) in.push_back(INPUT{.type = INPUT_MOUSE, .mi = {.dwFlags = e}});
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void Keys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) in.push_back(INPUT{.type = INPUT_KEYBOARD, .ki = {.wVk = k}});
  for (auto k = std::rbegin(keys); k != std::rend(keys); ++k)
    in.push_back(INPUT{.type = INPUT_KEYBOARD, .ki = {.wVk = *k, .dwFlags = KEYEVENTF_KEYUP}});
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
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

void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour, COLORREF right) {
  const int stride = (width * 3 + 3) & ~3;
  const BITMAPINFOHEADER ih{.biSize = sizeof ih, .biWidth = width, .biHeight = height,
                            .biPlanes = 1, .biBitCount = 24};
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof ih;
  const BITMAPFILEHEADER fh{.bfType = 0x4D42, .bfSize = offset + stride * height,
                            .bfOffBits = offset};
  std::string bytes(offset + stride * height, '\0');
  memcpy(bytes.data(), &fh, sizeof fh);
  memcpy(bytes.data() + sizeof fh, &ih, sizeof ih);
  const auto bgr = [](COLORREF c) { return RGB(GetBValue(c), GetGValue(c), GetRValue(c)); };
  const DWORD halves[2] = {bgr(colour), bgr(right == CLR_INVALID ? colour : right)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      memcpy(bytes.data() + offset + y * stride + x * 3, &halves[x >= width / 2], 3);
  WriteFileBytes(path, bytes);
}

void WriteGif(const std::wstring& path, int width, int height, const std::vector<GifFrame>& frames,
              int loops) {
  const auto word = [](int v) { return std::string{char(v & 255), char(v >> 8 & 255)}; };
  using namespace std::string_literals;
  std::string gif = "GIF89a"s + word(width) + word(height) + "\xF1\0\0"s +
                    "\xFF\0\0\0\xFF\0\0\0\xFF\0\0\0"s;
  if (loops >= 0) gif += "\x21\xFF\x0BNETSCAPE2.0\x03\x01"s + word(loops) + '\0';
  for (const GifFrame& f : frames) {
    gif += "\x21\xF9\x04"s + char(f.disposal << 2 | f.transparent) + word(f.delay) + "\x03\0"s;
    gif += '\x2C';
    for (const int v : {f.left, f.top, f.width, f.height}) gif += word(v);
    gif += "\0\x02"s;
    // Codes of 3 bits, a clear code before every two pixels so that they never grow: clear 4,
    // end 5.
    std::string data;
    int bits = 0, used = 0;
    const auto put = [&](int code) {
      bits |= code << used;
      for (used += 3; used >= 8; used -= 8, bits >>= 8) data += char(bits & 255);
    };
    for (size_t i = 0; i < f.pixels.size(); ++i) {
      if (i % 2 == 0) put(4);
      put(f.pixels[i] - '0');
    }
    put(5);
    if (used) data += char(bits & 255);
    for (size_t at = 0; at < data.size(); at += 255)
      gif += char(std::min<size_t>(255, data.size() - at)) + data.substr(at, 255);
    gif += '\0';
  }
  WriteFileBytes(path, gif + ";");
}

// A bitmap's pixels as 0xBBGGRR, top row first; the bitmap is deleted.
static Pixels Read(HBITMAP bmp) {
  BITMAP info{};
  GetObjectW(bmp, sizeof info, &info);
  Pixels p{info.bmWidth, info.bmHeight, std::vector<COLORREF>(info.bmWidth * info.bmHeight)};
  BITMAPINFO bi{.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER), .biWidth = p.width,
                              .biHeight = -p.height, .biPlanes = 1, .biBitCount = 32}};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bmp, 0, p.height, p.px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(bmp);
  for (COLORREF& c : p.px) c = RGB(GetBValue(c), GetGValue(c), GetRValue(c));  // from 0x00RRGGBB
  return p;
}

Pixels CaptureClient(HWND hwnd, bool asShown) {
  const RECT rc = ClientRectPx(hwnd);
  HDC window = GetDC(hwnd), dc = CreateCompatibleDC(window);
  HBITMAP bmp = CreateCompatibleBitmap(window, rc.right, rc.bottom);
  HGDIOBJ old = SelectObject(dc, bmp);
  if (asShown) BitBlt(dc, 0, 0, rc.right, rc.bottom, window, 0, 0, SRCCOPY);
  else SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(hwnd, window);
  return Read(bmp);
}

Pixels AssetPixels(const std::string& name) {
  const std::string path = std::string(RUMONA_ASSETS_DIR) + "/" + name;
  return Read(static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

Pixels PicturePixels(const Picture& picture) {
  HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, picture.widthPx(), picture.heightPx());
  HGDIOBJ old = SelectObject(dc, bmp);
  picture.Draw(dc, 0, 0, picture.widthPx(), picture.heightPx());
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return Read(bmp);
}

}  // namespace rumona::test
