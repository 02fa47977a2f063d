#include <gtest/gtest.h>

#include "panel/frm_browse_dir.h"
#include "panel/frm_show_version.h"
#include "test_support.h"

namespace rumona::test {
namespace {

// What a layout fault breaks: a control outside its parent, or covered by a sibling where the
// user would click it.
void ExpectControlsReachable(HWND parent) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) continue;
    const RECT r = RectInParent(c), client = ClientRectPx(parent);
    RECT inside;
    IntersectRect(&inside, &r, &client);
    EXPECT_TRUE(EqualRect(&inside, &r)) << "outside its parent: " << r.left << "," << r.top;
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(parent, centre, CWP_SKIPINVISIBLE), c)
        << "covered at " << centre.x << "," << centre.y;
    ExpectControlsReachable(c);
  }
}

TEST(Windows, StylesClientSizesAndReachableControls) {
  App app;
  frmBrowseDir chooser;
  frmShowVersion version;
  ASSERT_TRUE(chooser.Create() && version.Create());
  constexpr DWORD kFixed = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  constexpr DWORD kDialog = WS_CAPTION | WS_SYSMENU;
  const struct {
    HWND hwnd;
    const wchar_t* title;
    int width, height;
    DWORD style, exStyle, noExStyle;
    bool icon;
  } windows[] = {
      {app.form().hwnd(), L"ルモナ　-　rumona_win_tests", 764, 216, kDialog, WS_EX_APPWINDOW,
       WS_EX_TOOLWINDOW | WS_EX_TOPMOST, true},
      {app.panel().hwnd(), L"設定パネル", 263, 171, WS_CAPTION, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
       WS_EX_APPWINDOW, false},
      {chooser.hwnd(), L"画像の位置", 460, 81, kDialog, WS_EX_DLGMODALFRAME,
       WS_EX_APPWINDOW | WS_EX_TOOLWINDOW, false},
      {version.hwnd(), L"ルモナのバージョン情報", 333, 223, kDialog, WS_EX_DLGMODALFRAME,
       WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, false},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::Message() << WindowText(w.hwnd).size() << " title chars");
    EXPECT_EQ(WindowText(w.hwnd), w.title);
    const RECT client = ClientRectPx(w.hwnd);
    EXPECT_EQ(client.right, w.width);
    EXPECT_EQ(client.bottom, w.height);
    const DWORD style = GetWindowLongW(w.hwnd, GWL_STYLE);
    const DWORD ex = GetWindowLongW(w.hwnd, GWL_EXSTYLE);
    EXPECT_EQ(style & (w.style | kFixed), w.style);
    EXPECT_EQ(ex & (w.exStyle | w.noExStyle), w.exStyle);
    EXPECT_EQ(GetClassLongPtrW(w.hwnd, GCLP_HICON) != 0, w.icon);
    EXPECT_FALSE(IsWindowVisible(GetWindow(w.hwnd, GW_OWNER)));  // no window of the program
    ExpectControlsReachable(w.hwnd);
  }
  const RECT sign = RectInParent(app.form().Picture1), design = PxRect(4425, 675, 780, 480);
  EXPECT_TRUE(EqualRect(&sign, &design));
}

// A press and release as the window receives them, at a point of its client area in twips.
void Click(HWND hwnd, UINT down, float x, float y) {
  const LPARAM at = MAKELPARAM(TwipsToPixels(x), TwipsToPixels(y));
  SendMessageW(hwnd, down, 0, at);
  SendMessageW(hwnd, down + 1, 0, at);  // the matching button-up
}

TEST(Form1, OnlyARightPressOnTheBackgroundOpensTheMenuAndDoorClicksFocusTheSign) {
  App app;
  Form1& f = app.form();
  EXPECT_EQ(GetFocus(), f.Picture1);
  ModalAnswerer menu(L"", [](HWND) { EndMenu(); });  // the popup menu: the one untitled window
  const struct {
    HWND hwnd;
    UINT down;
    float x, y;
    int menus;
  } presses[] = {
      {f.hwnd(), WM_RBUTTONDOWN, 3000, 2800, 1}, {f.hwnd(), WM_RBUTTONDOWN, 7380, 1900, 1},
      {f.hwnd(), WM_LBUTTONDOWN, 3000, 2800, 0}, {f.hwnd(), WM_MBUTTONDOWN, 3000, 2800, 0},
      {f.hwnd(), WM_RBUTTONDOWN, 800, 1500, 0},  {f.hwnd(), WM_RBUTTONDOWN, 5800, 1500, 0},
      {f.hwnd(), WM_RBUTTONDOWN, 6700, 1500, 0}, {f.Picture1, WM_RBUTTONDOWN, 75, 75, 0},
  };
  for (const auto& p : presses) {
    const int before = menu.answers();
    Click(p.hwnd, p.down, p.x, p.y);
    Pump();
    EXPECT_EQ(menu.answers() - before, p.menus) << p.down << " at " << p.x << "," << p.y;
  }
  const std::pair<UINT, const wchar_t*> items[] = {{kMnuViewKanban, L"看板の表示"},
                                                   {kMnuViewWaku, L"枠の表示"},
                                                   {kMnuSetKanban, L"看板の画像を設定..."},
                                                   {kMnuKanbanReset, L"看板のリセット"}};
  for (const auto& [id, caption] : items) {
    wchar_t text[64] = {};
    GetMenuStringW(f.MnuTempMenu1, id, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), caption);
  }
  SetFocus(f.PicKanban);
  Click(f.hwnd(), WM_LBUTTONDOWN, 3000, 2800);  // the background takes no focus
  EXPECT_EQ(GetFocus(), f.PicKanban);
  for (float x : {800.0f, 350.0f}) {  // the front door, both edges
    SetFocus(f.PicKanban);
    Click(f.hwnd(), WM_LBUTTONDOWN, x, 1500);
    EXPECT_EQ(GetFocus(), f.Picture1) << x;
  }
  SetFocus(f.PicKanban);
  Click(f.Picture1, WM_LBUTTONDOWN, 150, 150);
  EXPECT_EQ(GetFocus(), f.Picture1);
  SendMessageW(f.Picture1, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), f.PicKanban);
}

}  // namespace
}  // namespace rumona::test
