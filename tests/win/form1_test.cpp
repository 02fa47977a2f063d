#include <gtest/gtest.h>

#include <vector>

#include "panel/frm_browse_dir.h"
#include "panel/frm_show_version.h"
#include "test_support.h"

namespace rumona::test {
namespace {

// What a layout fault breaks: a control outside its parent, or covered where it is clicked.
void ExpectControlsReachable(HWND parent) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r = RectInParent(c), client = ClientRectPx(parent), inside;
    IntersectRect(&inside, &r, &client);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (!(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) continue;
    EXPECT_TRUE(EqualRect(&inside, &r) &&
                ChildWindowFromPointEx(parent, centre, CWP_SKIPINVISIBLE) == c)
        << "outside or covered at " << r.left << "," << r.top;
    ExpectControlsReachable(c);
  }
}

TEST(Windows, StylesClientSizesAndReachableControls) {
  App app;
  frmBrowseDir chooser;
  frmShowVersion version;
  ASSERT_TRUE(chooser.Create() && version.Create());
  constexpr DWORD kFixed = WS_CAPTION | WS_SYSMENU, kNot = WS_THICKFRAME | WS_MAXIMIZEBOX;
  constexpr DWORD kExMask =
      WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
  const struct {
    HWND hwnd;
    const wchar_t* title;
    SIZE client;
    DWORD style, exStyle;
  } windows[] = {
      {app.form().hwnd(), L"ルモナ　-　rumona_win_tests", {764, 216}, kFixed,
       WS_EX_APPWINDOW},
      {app.panel().hwnd(), L"設定パネル", {263, 171}, WS_CAPTION,
       WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
      {chooser.hwnd(), L"画像の位置", {460, 81}, kFixed, WS_EX_DLGMODALFRAME},
      {version.hwnd(), L"ルモナのバージョン情報", {333, 223}, kFixed, WS_EX_DLGMODALFRAME}};
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::Message() << "window " << &w - windows);
    const RECT client = ClientRectPx(w.hwnd);
    EXPECT_EQ(WindowText(w.hwnd), w.title);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(w.client.cx, w.client.cy));
    EXPECT_EQ(GetWindowLongW(w.hwnd, GWL_STYLE) & (kFixed | kNot | WS_MINIMIZEBOX),
              w.style);
    EXPECT_EQ(GetWindowLongW(w.hwnd, GWL_EXSTYLE) & kExMask, w.exStyle);
    EXPECT_EQ(GetClassLongPtrW(w.hwnd, GCLP_HICON) != 0, w.hwnd == app.form().hwnd());
    EXPECT_FALSE(IsWindowVisible(GetWindow(w.hwnd, GW_OWNER)));  // owned by no window of ours
    // The shell's rule for a taskbar button, from the moment the window shows: an unowned
    // window that is no tool window, or an app window. Only the bus window has one.
    const LONG ex = GetWindowLongW(w.hwnd, GWL_EXSTYLE);
    EXPECT_EQ((ex & WS_EX_APPWINDOW) || (!GetWindow(w.hwnd, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW)),
              w.hwnd == app.form().hwnd());
    ExpectControlsReachable(w.hwnd);
  }
  // Controls are stacked by their tab index, the order dialog navigation follows.
  auto stack = [](HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      children.push_back(c);
    return children;
  };
  EXPECT_EQ(stack(version.hwnd()),
            (std::vector<HWND>{version.Label1[0], version.Label2, version.Label3[0],
                               version.Command1, version.Label3[1], version.Label4,
                               version.Label5, version.Label1[1]}));
  const frmSet& panel = app.panel();
  EXPECT_EQ(stack(panel.Frame2), (std::vector<HWND>{panel.Option1[2], panel.Option1[1],
                                                    panel.Option1[0]}));
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
  const HWND bus = f.hwnd(), sign = f.Picture1;
  const struct {
    HWND hwnd;
    UINT down;
    float x, y;
    int menus;  // or, for a left click, whether it gives the sign box the focus
  } presses[] = {{bus, WM_RBUTTONDOWN, 3000, 2800, 1}, {bus, WM_RBUTTONDOWN, 7380, 1900, 1},
                 {bus, WM_MBUTTONDOWN, 3000, 2800, 0}, {bus, WM_RBUTTONDOWN, 800, 1500, 0},
                 {bus, WM_RBUTTONDOWN, 5800, 1500, 0}, {bus, WM_RBUTTONDOWN, 6700, 1500, 0},
                 {sign, WM_RBUTTONDOWN, 75, 75, 0},    {bus, WM_LBUTTONDOWN, 3000, 2800, 0},
                 {bus, WM_LBUTTONDOWN, 800, 1500, 1},  {bus, WM_LBUTTONDOWN, 345, 1500, 1},
                 {sign, WM_LBUTTONDOWN, 150, 150, 1}};
  for (const auto& p : presses) {
    const int before = menu.answers();
    SetFocus(f.PicKanban);
    Click(p.hwnd, p.down, p.x, p.y);
    Pump();
    const int seen = p.down == WM_LBUTTONDOWN ? GetFocus() == sign : menu.answers() - before;
    EXPECT_EQ(seen, p.menus) << p.down << " at " << p.x << "," << p.y;
  }
  SendMessageW(f.Picture1, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), f.PicKanban);
  SendMessageW(f.PicKanban, WM_KEYDOWN, VK_TAB, 0);  // and back: the two are the tab order
  EXPECT_EQ(GetFocus(), f.Picture1);
}

}  // namespace
}  // namespace rumona::test
