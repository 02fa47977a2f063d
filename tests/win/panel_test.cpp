#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace rumona::test {
namespace {

// Tab as typed: a key message through the program's own message handling.
HWND TabFrom(HWND from, bool shift = false) {
  SetFocus(from);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  PostMessageW(from, WM_KEYDOWN, VK_TAB, 1);
  Pump();
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  return GetFocus();
}

TEST(Panel, TabWalksTheDesignOrderAndSkipsALockedOptionGroup) {
  App app;
  frmSet& p = app.panel();
  p.SetHScroll1Value(1);  // quick doors
  p.SetHScroll2Value(1);
  std::vector<HWND> order{p.Command2[0]};
  while (order.size() < 30 && (order.size() < 2 || order.back() != order.front()))
    order.push_back(TabFrom(order.back()));
  std::vector<HWND> expected(p.Command2.begin(), p.Command2.end());
  expected.insert(expected.end(), {p.Option1[0], p.Check1, p.Check2, p.HScroll2, p.HScroll1,
                                   p.Command3, p.Command1, p.Command2[0]});
  EXPECT_EQ(order, expected);
  EXPECT_EQ(TabFrom(p.Command2[0], true), p.Command1);
  // Of the option group only the selected button takes part; a locked group none.
  p.SelectOption1(2);
  EXPECT_EQ(TabFrom(p.Command2[11]), p.Option1[2]);
  SendMessageW(p.Check2, BM_CLICK, 0, 0);  // the middle door opens
  EXPECT_FALSE(IsWindowEnabled(p.Frame2));
  EXPECT_FALSE(IsWindowEnabled(p.Option1[1]));
  EXPECT_EQ(TabFrom(p.Command2[11]), p.Check1);
  SendMessageW(p.Check2, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(p.Frame2));
  EXPECT_TRUE(IsWindowEnabled(p.Option1[1]));
  SendMessageW(p.Check1, BM_CLICK, 0, 0);  // the front door leaves the group alone
  EXPECT_EQ(p.Check1Value(), 1);
  EXPECT_TRUE(IsWindowEnabled(p.Frame2));
}

TEST(Panel, ReadoutsFollowValueChangesOnlyWithinOneTo30000) {
  App app;
  frmSet& p = app.panel();
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"10000");
  EXPECT_EQ(WindowText(p.lblNakaSpeed), L"6000");
  auto scroll = [&](HWND bar, WORD code, WORD pos = 0) {
    SendMessageW(GetParent(bar), WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
  };
  scroll(p.HScroll1, SB_LINERIGHT);
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"10001");
  scroll(p.HScroll2, SB_PAGELEFT);
  EXPECT_EQ(WindowText(p.lblNakaSpeed), L"5999");
  SetWindowTextW(p.lblMaeSpeed, L"marker");
  scroll(p.HScroll1, SB_THUMBTRACK, 20000);  // dragging the thumb: no change yet
  p.SetHScroll1Value(10001);                 // the same value: no change
  EXPECT_EQ(WindowText(p.lblMaeSpeed), L"marker");
  p.SetHScroll2Value(1);
  scroll(p.HScroll2, SB_LINELEFT);
  EXPECT_EQ(p.HScroll2Value(), 1);
  scroll(p.HScroll2, SB_RIGHT);
  EXPECT_EQ(WindowText(p.lblNakaSpeed), L"30000");
  scroll(p.HScroll2, SB_LINERIGHT);
  EXPECT_EQ(GetScrollPos(p.HScroll2, SB_CTL), 30000);
}

}  // namespace
}  // namespace rumona::test
