#include "test_support.h"  // windows.h before commctrl.h

#include <commctrl.h>

namespace rumona::test {
namespace {

constexpr wchar_t kChooser[] = L"画像の位置";

HWND Edit(HWND chooser) { return FindWindowExW(chooser, nullptr, L"Edit", nullptr); }

TEST(BrowseDir, StoresTheTextOnOkOrEnterAndTheBrowserGivesTheChooserADriveWhileBothWindowsWait) {
  TempDir dir;
  App app;
  std::wstring typed = dir.path() + L"\\";  // case and separator exactly as typed
  CharUpperBuffW(typed.data(), static_cast<DWORD>(typed.size()));
  const struct {
    std::wstring text, button, stored;  // a button of one character: that key in the text box
  } cases[] = {{typed, L"OK", typed},          {L"not taken", L"キャンセル", L"c:\\old"},
               {L"nor this", L"\x1b", L"c:\\old"}, {typed, L"\r", typed},
               {L"", L"OK", L""},                 {L"nor that", L"close box", L"c:\\old"}};
  for (const auto& c : cases) {
    app.form().sign.StoreFolder(L"c:\\old");
    bool held = false;
    ModalAnswerer chooser(kChooser, [&](HWND hwnd) {
      held = !IsWindowEnabled(app.form().hwnd()) && !IsWindowEnabled(app.panel().hwnd());
      EXPECT_EQ(WindowText(Edit(hwnd)), L"c:\\old");
      EXPECT_EQ(GetFocus(), Edit(hwnd));
      SetWindowTextW(Edit(hwnd), c.text.c_str());
      if (c.button.size() == 1) PostMessageW(Edit(hwnd), WM_KEYDOWN, c.button[0], 1);
      else if (c.button == L"close box") PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      else PressButton(hwnd, c.button);
    });
    SendMessageW(app.panel().Command1, BM_CLICK, 0, 0);  // the folder button
    EXPECT_EQ(chooser.answers(), 1) << c.button;
    EXPECT_EQ(app.form().sign.Folder() + L"|" + app.form().sign.List().Path(), c.stored + L"|" + typed);
    EXPECT_TRUE(held);
  }

  // The browser is owned by the bus window and enables it as it ends; the chooser, still open,
  // holds both windows until it closes. The browser's title reads in Japanese on any code page.
  // Cancelled, it leaves the text box as it was; a drive chosen in it comes back as its root,
  // in lower case.
  app.form().sign.StoreFolder(L"Typed");
  bool titled = false, held = false;
  std::vector<std::wstring> texts;  // the chooser's text after each browser
  std::optional<ModalAnswerer> after;
  const auto answerBrowser = [&](HWND browser) {
    titled = GetWindow(browser, GW_OWNER) == app.form().hwnd() &&
             FindWindowExW(browser, nullptr, L"Static", L"方向幕のあるフォルダを選択してください");
    // The browser may fill its tree after it shows: wait for the root, then for its first drive.
    const HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
    LPARAM computer = 0, drive = 0;
    const auto item = [&](LPARAM& found, WPARAM which, LPARAM from) {
      return WaitUntil([&] { return (found = SendMessageW(tree, TVM_GETNEXTITEM, which, from)); });
    };
    EXPECT_TRUE(item(computer, TVGN_ROOT, 0));
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, computer);
    EXPECT_TRUE(item(drive, TVGN_CHILD, computer));
    if (!texts.empty()) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, drive);  // the first
    PostMessageW(browser, WM_COMMAND, texts.empty() ? IDCANCEL : IDOK, 0);
    after.emplace(kChooser, [&](HWND chooser) {  // a timer: once the browser has returned
      held = IsWindowEnabled(chooser) && !IsWindowEnabled(app.form().hwnd()) &&
             !IsWindowEnabled(app.panel().hwnd());
      texts.push_back(WindowText(Edit(chooser)));
      if (texts.size() == 1) Keys({VK_MENU, 'B'});
      else PressButton(chooser, L"キャンセル");
    });
  };
  ModalAnswerer browser(L"フォルダーの参照", answerBrowser),
      browser1252(L"Browse for Folder", answerBrowser);
  ModalAnswerer chooser(kChooser, [](HWND) { Keys({VK_MENU, 'B'}); });  // "参照(&B)..."
  SendMessageW(app.panel().Command1, BM_CLICK, 0, 0);
  EXPECT_TRUE(titled);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], L"Typed");
  EXPECT_TRUE(texts[1].size() == 3 && iswlower(texts[1][0]) && texts[1].ends_with(L":\\"))
      << testing::PrintToString(texts[1]);
  EXPECT_TRUE(held);
}

}  // namespace
}  // namespace rumona::test
