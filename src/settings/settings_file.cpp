// The bus window's LoadIni and SaveIni: the settings file read into both windows and written.
//
// The file lies beside the executable, or in the user's application-data folder when the
// executable's folder cannot be written; it is read while the bus window loads and written when it
// closes.
#include "settings/settings_file.h"

#include "bus_window/form1.h"
#include "common/ansi.h"
#include "common/app.h"
#include "common/path_logic.h"
#include "common/scoped_win.h"
#include "panel/frm_set.h"
#include "panel/panel_logic.h"
#include "settings/settings_logic.h"

namespace rumona {

decltype(&SHGetFolderPathW) shGetFolderPathCall = &SHGetFolderPathW;

namespace {

// A settings line is a few hundred bytes; anything past this is beyond field 16 anyway.
constexpr DWORD kMaxSettingsBytes = 1 << 20;

// %APPDATA%\<exe name>\<exe name>.ini: where the settings go when the executable's folder refuses
// them (Program Files without the VirtualStore, a read-only share, a guarded folder). Empty when
// the system cannot name that folder (shell32 missing or failing): never a drive root instead.
std::wstring UserSettingsPath() {
  wchar_t appData[MAX_PATH] = L"";
  if (FAILED(shGetFolderPathCall(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)) ||
      !appData[0])
    return {};
  return JoinPath(appData, ExeBaseName() + L"\\" + ExeBaseName() + L".ini");
}

// Beside the executable while its folder takes a new file (tried with one that goes again at
// once); otherwise the user's copy, which is read only once it exists: till then a file left
// beside the executable still serves. Without a user's copy to be had, beside the executable
// all the same: a write that fails there is named in the message at close.
std::wstring SettingsPath(bool writing) {
  const std::wstring beside = ExeFolder() + ExeBaseName() + L".ini";
  if (ScopedFile(CreateFileW((beside + L".probe").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                             nullptr)))
    return beside;
  const std::wstring user = UserSettingsPath();
  if (user.empty()) return beside;
  if (writing) CreateDirectoryW(FolderOf(user).c_str(), nullptr);
  return writing || GetFileAttributesW(user.c_str()) != INVALID_FILE_ATTRIBUTES ? user : beside;
}

bool ReadSettingsBytes(const std::wstring& path, std::string& data) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  data.assign(kMaxSettingsBytes, '\0');
  DWORD total = 0, got = 0;
  bool ok = true;
  while (total < kMaxSettingsBytes) {
    if (!ReadFile(file.get(), data.data() + total, kMaxSettingsBytes - total, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    total += got;
  }
  data.resize(total);
  return ok;
}

// Writes the new file beside the old one and puts it in the old one's place only once it is
// complete, so a full disk or a folder that refuses the write leaves the old settings intact.
[[nodiscard]] bool ReplaceSettingsFile(const std::wstring& path, const std::string& bytes) {
  // A settings file marked read-only stays as it is, as Windows itself would keep it (Wine
  // would replace it).
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return false;
  const std::wstring temp = path + L".tmp";
  ScopedFile file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  bool ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  ok = FlushFileBuffers(file.get()) && ok;
  ok = file.Close() && ok;
  ok = ok && MoveFileExW(temp.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

// Where a window saved at (left, top) goes: there, even partly off screen, unless no monitor
// would show any of it (one that has since gone); then onto the nearest monitor's work area.
void PlaceReachable(HWND hwnd, double leftTw, double topTw, float& left, float& top) {
  left = static_cast<float>(leftTw);
  top = static_cast<float>(topTw);
  RECT now;
  if (!GetWindowRect(hwnd, &now)) return;
  const int dpi = SystemDpi();  // screen twips are at the system's DPI
  const ScreenRect saved{TwipsToPixels(leftTw, dpi), TwipsToPixels(topTw, dpi),
                         now.right - now.left, now.bottom - now.top};
  const RECT rect{saved.left, saved.top, saved.left + saved.width, saved.top + saved.height};
  if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL)) return;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return;
  const RECT& work = info.rcWork;
  const ScreenRect moved = MoveInside(
      saved, {work.left, work.top, work.right - work.left, work.bottom - work.top});
  left = PixelsToTwips(moved.left, dpi);
  top = PixelsToTwips(moved.top, dpi);
}

// Fields 5 to 9 go into the shared variables as soon as they are read, so that they stay stored
// when a later field fails.
void StoreSharedFields(Form1& form, const SettingsReadResult& read) {
  const SettingsRecord& r = read.record;
  if (read.fieldsRead >= 5) form.sign.StoreFolder(FromAnsi(r.signFolder));
  if (read.fieldsRead >= 6) form.strDir1 = FromAnsi(r.reservedText);
  if (read.fieldsRead >= 7) form.lngSpare[0] = r.spare0;
  if (read.fieldsRead >= 8) form.lngSpare[1] = r.spare1;
  if (read.fieldsRead >= 9) form.board.strKanbanPath = FromAnsi(r.kanbanPath);
}

// Applies a complete record in its fixed order; false at the first value that cannot be applied,
// with everything before it left applied.
bool ApplySettings(Form1& form, const SettingsRecord& r) {
  float left, top;
  PlaceReachable(form.hwnd(), r.busLeft, r.busTop, left, top);
  form.SetLeftTop(left, top);

  frmSet& panel = form.panel();
  PlaceReachable(panel.hwnd(), r.panelLeft, r.panelTop, left, top);
  panel.SetLeftTop(left, top);

  form.board.SetVisible(r.kanbanVisible);
  form.SetMenuChecked(kMnuViewKanban, r.kanbanVisible);
  form.board.SetFrameVisible(r.frameVisible);
  form.SetMenuChecked(kMnuViewWaku, r.frameVisible);

  form.board.Move(static_cast<float>(r.kanbanLeft), static_cast<float>(r.kanbanTop));
  // The windows show without waiting for the board's picture to be decoded. One deleted since
  // the last run leaves the board empty at its place; the path stays stored, and the rest of
  // the settings still apply.
  form.board.SetPicture(Picture());
  if (!form.board.strKanbanPath.empty())
    form.board.SetPictureWhenDecoded(form.board.strKanbanPath);
  form.PicKanban_DblClick();

  int16_t speed = 0;
  if (!NarrowSpeed(r.speed1, speed)) return false;
  panel.SetHScroll1Value(speed);
  if (!NarrowSpeed(r.speed2, speed)) return false;
  panel.SetHScroll2Value(speed);

  // A sign folder that is gone or holds no picture keeps the default sign; the folder stays
  // stored as read. An empty folder is accepted: the list keeps its folder.
  if (form.sign.PointListAtFolder() == ERROR_SUCCESS && !form.sign.Folder().empty())
    form.sign.ShowEntry(0);

  if (!ValidOption(r.option)) return false;
  panel.SelectOption1(r.option);
  return true;
}

// The fixed start when the settings cannot be read or applied; what was already applied stays.
void ApplyFallback(Form1& form) {
  form.SetLeftTop(0, 0);
  frmSet& panel = form.panel();
  panel.SetLeftTop(0, form.OuterHeightTw());
  form.MnuKanbanReset_Click();
  panel.SetHScroll1Value(10000);
  panel.SetHScroll2Value(6000);
  panel.SelectOption1(0);
}

}  // namespace

void Form1::LoadIni() {
  std::string data;
  if (!ReadSettingsBytes(SettingsPath(false), data)) {
    ApplyFallback(*this);
    return;
  }
  const SettingsReadResult read = ReadSettingsRecord(data);
  StoreSharedFields(*this, read);
  if (!read.complete() || !ApplySettings(*this, read.record)) ApplyFallback(*this);
}

// A file that cannot be written is named in a message, since the process ends right after; the
// old file stays as it was.
void Form1::SaveIni() {
  const frmSet& panel = this->panel();
  SettingsRecord r;
  r.option = panel.Option1Value(0) ? 0 : panel.Option1Value(1) ? 1 : 2;
  r.busLeft = Left();
  r.busTop = Top();
  r.panelLeft = panel.Left();
  r.panelTop = panel.Top();
  r.signFolder = ToAnsi(sign.Folder());
  r.reservedText = ToAnsi(strDir1);
  r.spare0 = lngSpare[0];
  r.spare1 = lngSpare[1];
  r.kanbanPath = ToAnsi(board.strKanbanPath);
  const RectTw boardRect = board.Rect();
  r.kanbanLeft = boardRect.left;
  r.kanbanTop = boardRect.top;
  r.kanbanVisible = MenuChecked(kMnuViewKanban);
  r.frameVisible = MenuChecked(kMnuViewWaku);
  r.speed1 = panel.HScroll1Value();
  r.speed2 = panel.HScroll2Value();
  const std::wstring path = SettingsPath(true);
  if (!ReplaceSettingsFile(path, WriteSettingsRecord(r)))
    ShowMessage(nullptr, L"設定を保存できませんでした。\n" + path, MB_OK | MB_TASKMODAL);
}

}  // namespace rumona
