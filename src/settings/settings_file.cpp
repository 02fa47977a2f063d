// The settings file: read into a record at start, written from one at the end.
//
// The file lies beside the executable, or in the user's application-data folder when the
// executable's folder cannot be written; it is read while the bus window loads and written when it
// closes.
#include "settings/settings_file.h"

#include "common/app.h"
#include "common/path_logic.h"
#include "common/scoped_win.h"
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

}  // namespace

SettingsReadResult ReadSettingsFile() {
  std::string data;
  if (!ReadSettingsBytes(SettingsPath(false), data)) return {};
  return ReadSettingsRecord(data);
}

std::wstring WriteSettingsFile(const SettingsRecord& record) {
  const std::wstring path = SettingsPath(true);
  return ReplaceSettingsFile(path, WriteSettingsRecord(record)) ? std::wstring() : path;
}

}  // namespace rumona
