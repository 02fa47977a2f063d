// Texts to and from the ANSI code page, and paths the settings file can hold.
#include "common/ansi.h"

#include "common/modal.h"

namespace rumona {

std::string ToAnsi(const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromAnsi(const std::string& text) {
  const int length = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, out.data(), n);
  return out;
}

std::optional<std::wstring> StorablePath(HWND owner, const std::wstring& path) {
  const auto fits = [](const std::wstring& p) { return FromAnsi(ToAnsi(p)) == p; };
  if (fits(path)) return path;
  std::wstring shortPath(GetShortPathNameW(path.c_str(), nullptr, 0), L'\0');
  if (!shortPath.empty())
    shortPath.resize(GetShortPathNameW(path.c_str(), shortPath.data(),
                                       static_cast<DWORD>(shortPath.size())));
  if (!shortPath.empty() && fits(shortPath)) return shortPath;
  ShowMessage(owner,
              L"この場所の名前には、このシステムの文字コードで表せない文字があるため、設定に"
              L"保存できません。別の場所を選んでください。\r\n\r\n" + path,
              MB_OK | MB_ICONEXCLAMATION);
  return std::nullopt;
}

}  // namespace rumona
