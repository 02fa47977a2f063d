#include <gtest/gtest.h>

#include "test_support.h"  // windows.h first

#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "common/app.h"

namespace rumona::test {
namespace {

constexpr wchar_t kChooser[] = L"画像の位置";
constexpr wchar_t kNotFound[] = L"指定したパスが見つかりません。再度指定しなおしてください。";

HWND Edit(HWND chooser) { return FindWindowExW(chooser, nullptr, L"Edit", nullptr); }

// What a modal window saw of the program while it was open.
struct Seen {
  std::wstring text;
  bool busEnabled = true, panelEnabled = true, focusInEdit = false;
};

Seen Look(App& app, HWND window) {
  HWND edit = Edit(window);
  return {edit ? WindowText(edit) : WindowText(GetDlgItem(window, 0xFFFF)),
          IsWindowEnabled(app.form().hwnd()) != FALSE,
          IsWindowEnabled(app.panel().hwnd()) != FALSE, edit && GetFocus() == edit};
}

void ExpectBothWindowsHeldThenFree(App& app, const Seen& seen) {
  EXPECT_FALSE(seen.busEnabled);
  EXPECT_FALSE(seen.panelEnabled);
  EXPECT_TRUE(IsWindowEnabled(app.form().hwnd()));
  EXPECT_TRUE(IsWindowEnabled(app.panel().hwnd()));
  EXPECT_EQ(FindOwnWindow(kChooser), nullptr);
}

TEST(BrowseDir, OkOrEnterStoresTheTextExactlyAndCancelOrEscChangesNothing) {
  TempDir dir;
  WriteFileBytes(dir.File(L"a.bmp"), "x");
  App app;
  Form1& f = app.form();
  std::wstring typed = dir.path() + L"\\";  // case and separator exactly as typed
  CharUpperBuffW(typed.data(), static_cast<DWORD>(typed.size()));
  const struct {
    std::wstring text, button;  // a one-character button: that key, typed in the text box
    std::wstring stored;
  } cases[] = {{typed, L"OK", typed},
               {L"not taken", L"キャンセル", L"C:\\Some Folder"},
               {L"nor this", L"\x1b", L"C:\\Some Folder"},
               {typed, L"\r", typed},
               {L"", L"OK", L""}};
  for (const auto& c : cases) {
    f.strDir[0] = L"C:\\Some Folder";
    Seen seen;
    ModalAnswerer chooser(kChooser, [&](HWND hwnd) {
      seen = Look(app, hwnd);
      SetWindowTextW(Edit(hwnd), c.text.c_str());
      if (c.button.size() == 1) PostMessageW(Edit(hwnd), WM_KEYDOWN, c.button[0], 1);
      else PressButton(hwnd, c.button);
    });
    ModalAnswerer box(kAppTitle, [](HWND hwnd) { PressButton(hwnd, L"OK"); });
    SendMessageW(app.panel().Command1, BM_CLICK, 0, 0);  // the folder button
    EXPECT_EQ(chooser.answers(), 1) << c.button;
    EXPECT_EQ(seen.text, L"C:\\Some Folder");
    EXPECT_TRUE(seen.focusInEdit);
    EXPECT_EQ(f.strDir[0], c.stored);
    EXPECT_EQ(f.File1.Path(), typed);  // an empty text keeps the list's folder
    EXPECT_FALSE(box.answered());
    ExpectBothWindowsHeldThenFree(app, seen);
  }
}

TEST(BrowseDir, AMissingFolderGivesOneMessageThenExactlyOneChooserHoldingIt) {
  TempDir dir;
  App app;
  Form1& f = app.form();
  f.strDir[0] = dir.path();
  f.picDir();
  const std::wstring missing = dir.File(L"No Such Folder");
  Seen first, message, second;
  int choosersWithMessage = -1;
  ModalAnswerer chooser(kChooser, [&](HWND hwnd) {
    (chooser.answers() == 1 ? first : second) = Look(app, hwnd);
    if (chooser.answers() == 1) SetWindowTextW(Edit(hwnd), missing.c_str());
    PressButton(hwnd, chooser.answers() == 1 ? L"OK" : L"キャンセル");
  });
  ModalAnswerer box(kAppTitle, [&](HWND hwnd) {
    message = Look(app, hwnd);
    choosersWithMessage = FindOwnWindow(kChooser) ? 1 : 0;
    PressButton(hwnd, L"OK");
  });
  f.MnuEditHkPic_Click();
  EXPECT_EQ(box.answers(), 1);
  EXPECT_EQ(message.text, kNotFound);
  EXPECT_EQ(choosersWithMessage, 0);
  ExpectBothWindowsHeldThenFree(app, message);
  EXPECT_EQ(chooser.answers(), 2);
  EXPECT_EQ(second.text, missing);
  EXPECT_EQ(f.strDir[0], missing);  // kept when the second chooser is cancelled
  EXPECT_EQ(f.File1.Path(), dir.path());

  // Any other failure: the system's description, and no chooser after it.
  f.strDir[0] = dir.path() + L"\\a<b>?";
  const DWORD error = FileList().SetPath(f.strDir[0]);
  ASSERT_FALSE(IsPathNotFound(error));
  f.picDir();
  EXPECT_EQ(box.answers(), 2);
  EXPECT_EQ(message.text, SystemErrorText(error));
  ExpectBothWindowsHeldThenFree(app, message);
  EXPECT_EQ(chooser.answers(), 2);
}

TEST(BrowseDir, TabWalksBrowseOkCancelAndEnterPressesTheFocusedButton) {
  App app;
  Form1& f = app.form();
  f.strDir[0] = L"kept";
  std::vector<std::wstring> focusPath;
  ModalAnswerer chooser(kChooser, [&](HWND hwnd) {
    SetWindowTextW(Edit(hwnd), L"not taken");
    for (int i = 0; i < 3; ++i) {
      HWND from = GetFocus();
      PostMessageW(from, WM_KEYDOWN, VK_TAB, 1);
      WaitUntil([&] { return GetFocus() != from; });
      focusPath.push_back(WindowText(GetFocus()));
    }
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);  // on "キャンセル"
  });
  f.MnuEditHkPic_Click();
  EXPECT_EQ(focusPath, (std::vector<std::wstring>{L"参照(&B)...", L"OK", L"キャンセル"}));
  EXPECT_EQ(f.strDir[0], L"kept");
}

// The shell's folder browser, once its tree has selected `leaf` (the empty text: anything).
void ChooseInBrowser(HWND browser, const std::string& ansiPath, const std::wstring& leaf) {
  HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
  EXPECT_TRUE(WaitUntil([&] {
    SendMessageW(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(ansiPath.c_str()));
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    return TreeView_GetItem(tree, &item) && leaf == text;
  })) << "the browser never selected the folder";
  PostMessageW(browser, WM_COMMAND, IDOK, 0);
}

TEST(BrowseDir, ABrowsedFolderComesBackLowerCasedWithDoubleByteCharactersWhole) {
  ASSERT_EQ(GetACP(), 932u);
  TempDir dir;
  // "ア" is 0x83 0x41 in Shift-JIS: lower-casing bytes would turn its second byte into "a".
  const std::wstring leaf = L"SignＡア";
  CreateDirectoryW(dir.File(leaf).c_str(), nullptr);
  std::string ansi(MAX_PATH, '\0');
  WideCharToMultiByte(CP_ACP, 0, dir.File(leaf).c_str(), -1, ansi.data(), MAX_PATH, nullptr, nullptr);
  App app;
  Form1& f = app.form();
  f.strDir[0] = L"before";
  std::vector<std::wstring> texts;
  ModalAnswerer browser(L"フォルダーの参照", [&](HWND hwnd) {
    if (browser.answers() == 1) PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    else ChooseInBrowser(hwnd, ansi, leaf);
  });
  ModalAnswerer chooser(kChooser, [&](HWND hwnd) {
    SetWindowTextW(Edit(hwnd), L"Typed Before");
    for (int i = 1; i <= 2; ++i) {
      PressButton(hwnd, L"参照(&B)...");
      WaitUntil([&] { return browser.answers() == i && IsWindowEnabled(hwnd); });
      texts.push_back(WindowText(Edit(hwnd)));
    }
    PressButton(hwnd, L"キャンセル");
  });
  f.MnuEditHkPic_Click();
  std::wstring lower = dir.File(leaf);
  CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"Typed Before", lower}));
  EXPECT_NE(lower.find(L"signａア"), std::wstring::npos);
  EXPECT_EQ(f.strDir[0], L"before");
}

}  // namespace
}  // namespace rumona::test
