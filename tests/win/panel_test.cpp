#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "test_support.h"

namespace rumona::test {
namespace {

// Tab as typed: a key message through the program's own message handling.
HWND TabFrom(HWND from) {
  SetFocus(from);
  PostMessageW(from, WM_KEYDOWN, VK_TAB, 1);
  Pump();
  return GetFocus();
}

// A point of a speed bar, in its own pixels; x < 0 counts from its right end.
POINT BarPoint(HWND bar, int x) {
  RECT rc;
  GetClientRect(bar, &rc);
  POINT p{x < 0 ? rc.right + x : x, rc.bottom / 2};
  ClientToScreen(bar, &p);
  return p;
}

// The speed bars: the arrows and the page area step by one, the thumb counts once let go, values
// grow to the right; each bar shows in its own readout only, and drives its own speed. Then Tab.
TEST(Panel, EachSpeedBarFollowsTheMouseIntoItsOwnReadoutAndTabWalksTheDesignOrder) {
  App app;
  frmSet& p = app.panel();
  // The black frames' etched border (the grey of a shadow), round the bars and the keypad.
  for (HWND frame : {p.FrameA, p.Frame1})
    EXPECT_EQ(CaptureClient(frame, true).at(0, 0), GetSysColor(COLOR_BTNSHADOW));
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  const int middle = static_cast<int>(ClientRectPx(p.HScroll1).right / 2);
  for (int i = 0; i < 2; ++i) {
    const HWND bar = i == 0 ? p.HScroll1 : p.HScroll2;
    const HWND mine = i == 0 ? p.lblMaeSpeed : p.lblNakaSpeed;
    const HWND other = i == 0 ? p.lblNakaSpeed : p.lblMaeSpeed;
    p.SetHScroll1Value(15000);
    p.SetHScroll2Value(15000);
    const std::pair<int, const wchar_t*> clicks[] = {{arrow / 2, L"14999"}, {-arrow / 2, L"15000"},
                                                     {arrow + 3, L"14999"}, {-arrow - 3, L"15000"}};
    for (const auto& [x, shown] : clicks) {
      MouseAt(BarPoint(bar, x), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
      EXPECT_TRUE(WaitUntil([&] { return WindowText(mine) == shown; })) << x;
      EXPECT_EQ(WindowText(other), L"15000");
    }
    // The thumb from the middle to the right end: nothing while it moves, 30000 when let go.
    std::wstring whileMoving;
    std::atomic<bool> released{false};
    std::thread mouse([&, gui = GetCurrentThreadId()] {
      auto captured = [&] {
        GUITHREADINFO info{.cbSize = sizeof info};
        return GetGUIThreadInfo(gui, &info) && info.hwndCapture == bar;
      };
      MouseAt(BarPoint(bar, middle), {MOUSEEVENTF_LEFTDOWN});
      if (WaitUntil(captured)) {
        MouseAt(BarPoint(bar, -arrow / 2), {MOUSEEVENTF_MOVE});
        WaitUntil([&] {
          SCROLLINFO si{.cbSize = sizeof si, .fMask = SIF_TRACKPOS};
          return GetScrollInfo(bar, SB_CTL, &si) && si.nTrackPos == 30000;
        });
        whileMoving = WindowText(mine);
      }
      MouseAt(BarPoint(bar, -arrow / 2), {MOUSEEVENTF_LEFTUP});
      released = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return released && WindowText(mine) == L"30000"; }));
    mouse.join();
    EXPECT_EQ(whileMoving, L"15000");
    MouseAt(BarPoint(bar, arrow / 2), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    EXPECT_TRUE(WaitUntil([&] { return WindowText(mine) == L"29999"; }));
    EXPECT_EQ((std::pair(p.HScroll1Value(), p.HScroll2Value())),
              (i == 0 ? std::pair(29999, 15000) : std::pair(15000, 29999)));
  }
  p.SetHScroll1Value(1);  // quick doors
  p.SetHScroll2Value(1);
  std::vector<HWND> order{p.Command2[0]};
  while (order.size() < 30 && (order.size() < 2 || order.back() != order.front()))
    order.push_back(TabFrom(order.back()));
  std::vector<HWND> expected(p.Command2.begin(), p.Command2.end());
  expected.insert(expected.end(), {p.Option1[0], p.Check1, p.Check2, p.HScroll2, p.HScroll1,
                                   p.Command3, p.Command1, p.Command2[0]});
  EXPECT_EQ(order, expected);
  p.SelectOption1(2);  // of the group only the selected button takes part; of a locked one none
  EXPECT_EQ(TabFrom(p.Command2[11]), p.Option1[2]);
  SendMessageW(p.Check2, BM_CLICK, 0, 0);  // the middle door opens
  EXPECT_FALSE(IsWindowEnabled(p.Frame2) || IsWindowEnabled(p.Option1[1]));
  EXPECT_EQ(TabFrom(p.Command2[11]), p.Check1);
  SendMessageW(p.Check2, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(p.Frame2) && IsWindowEnabled(p.Option1[1]));
  SendMessageW(p.Check1, BM_CLICK, 0, 0);  // the front door leaves the group alone
  EXPECT_TRUE(p.Check1Value() == 1 && IsWindowEnabled(p.Frame2));
}

}  // namespace
}  // namespace rumona::test
