#include <gtest/gtest.h>

#include <vector>

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
