#include <gtest/gtest.h>

#include <vector>

#include "common/app.h"
#include "test_support.h"

namespace rumona::test {
namespace {

void ExpectAt(HWND hwnd, float l, float t, float w, float h) {
  const RECT actual = RectInParent(hwnd);
  const RECT expected = PxRect(l, t, w, h);
  EXPECT_TRUE(EqualRect(&actual, &expected))
      << "at " << actual.left << "," << actual.top << " " << actual.right - actual.left << "x"
      << actual.bottom - actual.top;
}

TEST(Panel, IsATopmostToolWindowWithoutCloseBoxOrTaskbarEntry) {
  App app;
  HWND hwnd = app.panel().hwnd();
  EXPECT_EQ(WindowText(hwnd), L"設定パネル");
  const LONG ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_FALSE(ex & WS_EX_APPWINDOW);
  EXPECT_FALSE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);
  const RECT client = ClientRectPx(hwnd);
  EXPECT_EQ(client.right, 263);
  EXPECT_EQ(client.bottom, 171);
  // Closing it is refused: it lives as long as the bus window.
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST(Panel, ControlsHaveTheirGeometryCaptionsAndParents) {
  App app;
  frmSet& p = app.panel();
  ExpectAt(p.Command3, 720, 2145, 1515, 360);
  ExpectAt(p.FrameA, 30, 30, 2190, 1965);
  ExpectAt(p.HScroll1, 855, 195, 1260, 240);
  ExpectAt(p.HScroll2, 840, 840, 1230, 240);
  ExpectAt(p.Check2, 60, 840, 735, 525);
  ExpectAt(p.Check1, 75, 165, 735, 510);
  ExpectAt(p.Frame2, 60, 1410, 2085, 480);
  ExpectAt(p.Option1[0], 60, 180, 735, 270);
  ExpectAt(p.Option1[1], 795, 180, 570, 270);
  ExpectAt(p.Option1[2], 1470, 165, 555, 270);
  ExpectAt(p.lblMaeSpeed, 885, 450, 1215, 240);
  ExpectAt(p.lblNakaSpeed, 870, 1110, 1200, 240);
  ExpectAt(p.Frame1, 2265, 0, 1620, 2505);
  ExpectAt(p.Command1, 75, 2190, 1530, 270);
  ExpectAt(p.Label1, 90, 240, 1455, 315);
  const float keyLeft[12] = {75, 75, 570, 1065, 75, 570, 1065, 75, 570, 1065, 570, 1065};
  const float keyTop[12] = {1770, 1380, 1380, 1380, 990, 990, 990, 600, 600, 600, 1770, 1770};
  const wchar_t* keyCaption[12] = {L"0", L"1", L"2", L"3", L"4", L"5",
                                   L"6", L"7", L"8", L"9", L"C", L"設定"};
  for (int i = 0; i < 12; ++i) {
    ExpectAt(p.Command2[i], keyLeft[i], keyTop[i], 510, 390);
    EXPECT_EQ(WindowText(p.Command2[i]), keyCaption[i]);
    EXPECT_EQ(GetParent(p.Command2[i]), p.Frame1);
  }
  EXPECT_EQ(WindowText(p.Command3), L"バージョン情報");
  EXPECT_EQ(WindowText(p.Command1), L"方向幕フォルダー");
  EXPECT_EQ(WindowText(p.Frame2), L"中扉動作");
  EXPECT_EQ(WindowText(p.Option1[0]), L"両方");
  EXPECT_EQ(WindowText(p.Option1[1]), L"左");
  EXPECT_EQ(WindowText(p.Option1[2]), L"右");
  EXPECT_EQ(WindowText(p.Label1), L"");
  EXPECT_EQ(GetParent(p.HScroll1), p.FrameA);
  EXPECT_EQ(GetParent(p.Option1[0]), p.Frame2);
  EXPECT_EQ(GetParent(p.Frame2), p.FrameA);
  EXPECT_EQ(GetParent(p.Command1), p.Frame1);
  EXPECT_TRUE(p.Option1Value(0));
  EXPECT_FALSE(p.Option1Value(1));
  EXPECT_EQ(p.Check1Value(), 0);
  EXPECT_EQ(p.Check2Value(), 0);
  // The door buttons are push-like check boxes showing their pictures.
  for (HWND door : {p.Check1, p.Check2}) {
    const LONG style = GetWindowLongW(door, GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_TRUE(style & BS_PUSHLIKE);
    EXPECT_NE(SendMessageW(door, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  }
}

TEST(Panel, KeypadFontsAreJapaneseAtTheirSizes) {
  App app;
  frmSet& p = app.panel();
  auto fontOf = [](HWND hwnd) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    return lf;
  };
  const LOGFONTW digit = fontOf(p.Command2[5]);
  EXPECT_EQ(std::wstring(digit.lfFaceName), L"ＭＳ Ｐゴシック");
  EXPECT_EQ(digit.lfHeight, -16);  // 12 points at 96 DPI
  EXPECT_EQ(digit.lfCharSet, SHIFTJIS_CHARSET);
  const LOGFONTW display = fontOf(p.Label1);
  EXPECT_EQ(std::wstring(display.lfFaceName), L"ＭＳ ゴシック");
  EXPECT_EQ(display.lfHeight, -19);  // 14.25 points
  EXPECT_EQ(GetWindowLongW(p.Command2[10], GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(GetWindowLongW(p.Command2[11], GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST(Panel, TabOrderFollowsTheDesign) {
  App app;
  frmSet& p = app.panel();
  // Walk the focus order from the first key; only enabled, visible tab stops take part.
  std::vector<HWND> order;
  HWND first = p.Command2[0];
  HWND at = first;
  do {
    order.push_back(at);
    at = NextTabStop(p.hwnd(), at, false);
  } while (at && at != first && order.size() < 40);
  const std::vector<HWND> expected = {
      p.Command2[0], p.Command2[1], p.Command2[2],  p.Command2[3], p.Command2[4],
      p.Command2[5], p.Command2[6], p.Command2[7],  p.Command2[8], p.Command2[9],
      p.Command2[10], p.Command2[11], p.Option1[0], p.Check1,      p.Check2,
      p.HScroll2,    p.HScroll1,    p.Command3,     p.Command1};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(NextTabStop(p.hwnd(), p.Command2[0], true), p.Command1);
  // Of the option group only the selected button takes part; a locked group none.
  p.SelectOption1(2);
  EXPECT_EQ(NextTabStop(p.hwnd(), p.Command2[11], false), p.Option1[2]);
  SendMessageW(p.Check2, BM_CLICK, 0, 0);
  EXPECT_EQ(NextTabStop(p.hwnd(), p.Command2[11], false), p.Check1);
}

TEST(Panel, ReadoutsFollowValueChangesOnly) {
  App app;
  frmSet& p = app.panel();
  // Start-up set the speeds to 10000 and 6000, and the readouts followed.
  EXPECT_EQ(p.HScroll1Value(), 10000);
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"10000");
  EXPECT_EQ(WindowText(p.lblNakaSpeed), L"6000");

  SendMessageW(p.FrameA, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(p.HScroll1));
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"10001");
  SendMessageW(p.FrameA, WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(p.HScroll2));
  EXPECT_EQ(WindowText(p.lblNakaSpeed), L"5999");
  EXPECT_EQ(GetScrollPos(p.HScroll2, SB_CTL), 5999);

  // Dragging the thumb does not change the readout until it is released.
  SetWindowTextW(p.lblMaeSpeed, L"marker");
  SendMessageW(p.FrameA, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20000),
               reinterpret_cast<LPARAM>(p.HScroll1));
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"marker");
  // A value set by code to the same value raises no change.
  p.SetHScroll1Value(10001);
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"marker");
  p.SetHScroll1Value(7);
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"7");

  // The range ends at 1 and 30000.
  p.SetHScroll2Value(1);
  SendMessageW(p.FrameA, WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(p.HScroll2));
  EXPECT_EQ(p.HScroll2Value(), 1);
  SendMessageW(p.FrameA, WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(p.HScroll2));
  EXPECT_EQ(p.HScroll2Value(), 30000);
  EXPECT_EQ(WindowText(p.lblNakaSpeed), L"30000");
}

TEST(Panel, MiddleDoorButtonLocksTheOptionGroupWhilePressed) {
  App app;
  frmSet& p = app.panel();
  EXPECT_TRUE(IsWindowEnabled(p.Frame2));
  SendMessageW(p.Check2, BM_CLICK, 0, 0);
  EXPECT_EQ(p.Check2Value(), 1);
  EXPECT_FALSE(IsWindowEnabled(p.Frame2));
  EXPECT_FALSE(IsWindowEnabled(p.Option1[1]));
  SendMessageW(p.Check2, BM_CLICK, 0, 0);
  EXPECT_EQ(p.Check2Value(), 0);
  EXPECT_TRUE(IsWindowEnabled(p.Frame2));
  EXPECT_TRUE(IsWindowEnabled(p.Option1[1]));
  // The front door button toggles too, without touching the option group.
  SendMessageW(p.Check1, BM_CLICK, 0, 0);
  EXPECT_EQ(p.Check1Value(), 1);
  EXPECT_TRUE(IsWindowEnabled(p.Frame2));
}

TEST(Panel, SelectingAnOptionClearsTheOthers) {
  App app;
  frmSet& p = app.panel();
  p.SelectOption1(2);
  EXPECT_FALSE(p.Option1Value(0));
  EXPECT_FALSE(p.Option1Value(1));
  EXPECT_TRUE(p.Option1Value(2));
  SendMessageW(p.Option1[1], BM_CLICK, 0, 0);
  EXPECT_TRUE(p.Option1Value(1));
  EXPECT_FALSE(p.Option1Value(2));
}

}  // namespace
}  // namespace rumona::test
