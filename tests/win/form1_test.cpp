#include <gtest/gtest.h>

#include <vector>

#include "common/app.h"
#include "test_support.h"

namespace rumona::test {
namespace {

TEST(Form1, WindowIsFixedSizeWithTitleAndClientArea) {
  App app;
  HWND hwnd = app.form().hwnd();
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);
  const RECT client = ClientRectPx(hwnd);
  EXPECT_EQ(client.right, 764);
  EXPECT_EQ(client.bottom, 216);
  EXPECT_EQ(WindowText(hwnd), L"ルモナ　-　" + ExeBaseName());
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST(Form1, StartsAtScreenOriginWithPanelJustBelow) {
  App app;
  RECT bus, panel;
  GetWindowRect(app.form().hwnd(), &bus);
  GetWindowRect(app.panel().hwnd(), &panel);
  EXPECT_EQ(bus.left, 0);
  EXPECT_EQ(bus.top, 0);
  EXPECT_EQ(panel.left, 0);
  EXPECT_EQ(panel.top, bus.bottom - bus.top);
  EXPECT_TRUE(IsWindowVisible(app.panel().hwnd()));
}

TEST(Form1, ChildControlsStandAtTheirDesignPlaces) {
  App app;
  Form1& f = app.form();
  const RECT kanban = RectInParent(f.PicKanban);
  const RECT expectKanban = PxRect(7425, 1665, 1410, 450);
  EXPECT_TRUE(EqualRect(&kanban, &expectKanban));
  const RECT sign = RectInParent(f.Picture1);
  const RECT expectSign = PxRect(4425, 675, 780, 480);
  EXPECT_TRUE(EqualRect(&sign, &expectSign));
  // Creation order: the board is the first child, the sign box the second.
  EXPECT_EQ(GetWindow(f.hwnd(), GW_CHILD), f.PicKanban);
  EXPECT_EQ(GetWindow(f.PicKanban, GW_HWNDNEXT), f.Picture1);
  EXPECT_EQ(GetFocus(), f.Picture1);
}

TEST(Form1, LightweightControlsHaveTheirDesignGeometry) {
  App app;
  Form1& f = app.form();
  auto same = [](const RectTw& r, float l, float t, float w, float h) {
    return r.left == l && r.top == t && r.width == w && r.height == h;
  };
  EXPECT_TRUE(same(f.imgNakaorido[0].rect, 5535, 750, 795, 2235));
  EXPECT_TRUE(same(f.imgNakaorido[1].rect, 6330, 750, 795, 2235));
  EXPECT_TRUE(same(f.Image1.rect, 345, 705, 1095, 2220));
  EXPECT_TRUE(f.imgNakaorido[0].stretch && f.imgNakaorido[1].stretch && f.Image1.stretch);
  EXPECT_FALSE(f.ImgDesiMaku.stretch);
  // The default sign fills the sign box exactly.
  EXPECT_EQ(f.ImgDesiMaku.picture.widthPx(), 52);
  EXPECT_EQ(f.ImgDesiMaku.picture.heightPx(), 32);
  EXPECT_EQ(f.imgNakaorido[0].picture.widthPx(), 54);
  EXPECT_EQ(f.imgNakaorido[1].picture.widthPx(), 52);
  EXPECT_EQ(f.Image1.picture.widthPx(), 73);
  EXPECT_EQ(f.Image1.picture.heightPx(), 148);
}

TEST(Form1, PopupMenuHasFiveItemsWithInitialChecks) {
  App app;
  HMENU menu = app.form().MnuTempMenu1;
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  const wchar_t* captions[] = {L"看板の表示", L"枠の表示", L"看板の画像を設定...", L"",
                               L"看板のリセット"};
  for (int i = 0; i < 5; ++i) {
    wchar_t buf[64] = {};
    GetMenuStringW(menu, i, buf, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(buf), captions[i]) << i;
  }
  EXPECT_TRUE(GetMenuState(menu, 3, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(app.form().MenuChecked(kMnuViewKanban));
  EXPECT_TRUE(app.form().MenuChecked(kMnuViewWaku));
  EXPECT_FALSE(app.form().MenuChecked(kMnuSetKanban));
  EXPECT_FALSE(app.form().MenuChecked(kMnuKanbanReset));
}

LPARAM PointOf(float xTw, float yTw) {
  return MAKELPARAM(TwipsToPixels(xTw), TwipsToPixels(yTw));
}

TEST(Form1, OnlyTheRightButtonOnTheBackgroundOrFrameOpensTheMenu) {
  App app;
  HWND hwnd = app.form().hwnd();
  const LPARAM background = PointOf(3000, 2800);
  const LPARAM framePost = PointOf(7380, 1900);
  EXPECT_EQ(CountPopupMenus([&] { SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, background); }), 1);
  EXPECT_EQ(CountPopupMenus([&] { SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, framePost); }), 1);
  EXPECT_EQ(CountPopupMenus([&] {
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, background);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, background);
    SendMessageW(hwnd, WM_MBUTTONDOWN, MK_MBUTTON, background);
  }), 0);
  // The doors take their own mouse input.
  EXPECT_EQ(CountPopupMenus([&] {
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, PointOf(800, 1500));   // front door
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, PointOf(5800, 1500));  // left leaf
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, PointOf(6700, 1500));  // right leaf
  }), 0);
  // The sign box is a window of its own and has no menu.
  EXPECT_EQ(CountPopupMenus([&] {
    SendMessageW(app.form().Picture1, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  }), 0);
}

TEST(Form1, ClicksOnTheDoorOrTheSignGiveTheFocusBackToTheSignBox) {
  App app;
  Form1& f = app.form();
  auto clickForm = [&](LPARAM at) {
    SendMessageW(f.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(f.hwnd(), WM_LBUTTONUP, 0, at);
  };
  SetFocus(f.PicKanban);
  ASSERT_EQ(GetFocus(), f.PicKanban);
  clickForm(PointOf(3000, 2800));  // the background does not take the focus
  EXPECT_EQ(GetFocus(), f.PicKanban);
  clickForm(PointOf(800, 1500));  // front door
  EXPECT_EQ(GetFocus(), f.Picture1);

  SetFocus(f.PicKanban);
  SendMessageW(f.Picture1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(f.Picture1, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(GetFocus(), f.Picture1);

  // Tab moves between the two focusable controls.
  SendMessageW(f.Picture1, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), f.PicKanban);
}

TEST(Form1, ClosingSavesAndEndsTheProcessOnce) {
  App app;
  SendMessageW(app.form().hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.endCalls, 1);
}

TEST(Form1, FrameShapesStandAtTheirDesignPlacesAroundTheDefaultBoard) {
  App app;
  Form1& f = app.form();
  // Start-up without settings lays the frame round the default board.
  EXPECT_EQ(f.shpK_Waku[0].rect.left, 7350);
  EXPECT_EQ(f.shpK_Waku[0].rect.top, 1665);
  EXPECT_EQ(f.shpK_Waku[0].rect.height, 465);
  EXPECT_EQ(f.shpK_Waku[1].rect.left, 8835);
  EXPECT_EQ(f.shpK_Waku[2].rect.left, 7350);
  EXPECT_EQ(f.shpK_Waku[2].rect.top, 2115);
  EXPECT_EQ(f.shpK_Waku[2].rect.width, 1560);
  EXPECT_EQ(f.shpK_Waku[2].rect.height, 60);
  for (const auto& s : f.shpK_Waku) {
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.outline, 0x808080u);
    EXPECT_EQ(s.fill, 0xE0E0E0u);
  }
}

TEST(Form1, PaintsTheBoardWhiteAndTheFramePostsGrey) {
  App app;
  Form1& f = app.form();
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 764, 216);
  HGDIOBJ old = SelectObject(mem, bmp);
  SendMessageW(f.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  // The post's interior is its fill colour; its edge the outline colour.
  EXPECT_EQ(GetPixel(mem, TwipsToPixels(7350) + 2, TwipsToPixels(1800)), 0xE0E0E0u);
  EXPECT_EQ(GetPixel(mem, TwipsToPixels(7350), TwipsToPixels(1800)), 0x808080u);
  HDC boardDc = CreateCompatibleDC(screen);
  HBITMAP boardBmp = CreateCompatibleBitmap(screen, 94, 30);
  HGDIOBJ oldBoard = SelectObject(boardDc, boardBmp);
  SendMessageW(f.PicKanban, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(boardDc), PRF_CLIENT);
  EXPECT_EQ(GetPixel(boardDc, 40, 15), 0xFFFFFFu);
  SelectObject(boardDc, oldBoard);
  DeleteObject(boardBmp);
  DeleteDC(boardDc);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace rumona::test
