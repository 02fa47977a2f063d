#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "test_support.h"

namespace rumona::test {
namespace {

constexpr wchar_t kOpenTitle[] = L"開く";

void Command(Form1& f, UINT id) { SendMessageW(f.hwnd(), WM_COMMAND, id, 0); }

// The board's rectangle, then the three frame shapes', in twips.
std::vector<float> Layout(const Form1& f) {
  const RectTw b = f.KanbanRect();
  std::vector<float> out{b.left, b.top, b.width, b.height};
  for (const LightShape& s : f.shpK_Waku)
    out.insert(out.end(), {s.rect.left, s.rect.top, s.rect.width, s.rect.height});
  return out;
}

struct LayoutCase {
  const char* name;
  std::function<void(Form1&)> act;
  std::vector<float> layout;
};
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }
class FrameLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(FrameLayout, FollowsTheBoardWithoutEverMovingIt) {
  App app;
  GetParam().act(app.form());
  EXPECT_EQ(Layout(app.form()), GetParam().layout);
}

const std::vector<float> kDefault = {7425, 1665, 1410, 450, 7350, 1665, 75, 465,
                                     8835, 1665, 75,   465, 7350, 2115, 1560, 60};
INSTANTIATE_TEST_SUITE_P(
    Commands, FrameLayout,
    testing::Values(
        LayoutCase{"start", [](Form1&) {}, kDefault},
        LayoutCase{"a move alone", [](Form1& f) { f.MoveKanban(3000, 1500); },
                   {3000, 1500, 1410, 450, 7350, 1665, 75, 465, 8835, 1665, 75, 465, 7350, 2115,
                    1560, 60}},
        LayoutCase{"a new size", [](Form1& f) { f.MoveSizeKanban({30, 300, 600, 750}); },
                   {30, 300, 600, 750, -45, 300, 75, 465, 630, 300, 75, 465, -45, 1050, 750, 60}},
        LayoutCase{"a new size, then a double click",
                   [](Form1& f) {
                     f.MoveSizeKanban({30, 300, 600, 750});
                     SendMessageW(f.PicKanban, WM_LBUTTONDBLCLK, 0, 0);
                   },
                   {30, 300, 600, 750, -45, 300, 75, 765, 630, 300, 75, 765, -45, 1050, 750, 60}},
        LayoutCase{"the frame command twice",
                   [](Form1& f) {
                     f.MoveKanban(1950, 600);
                     Command(f, kMnuViewWaku);
                     Command(f, kMnuViewWaku);
                   },
                   {1950, 600, 1410, 450, 1875, 600, 75, 465, 3360, 600, 75, 465, 1875, 1050,
                    1560, 60}},
        LayoutCase{"a reset",
                   [](Form1& f) {
                     f.MoveSizeKanban({30, 300, 600, 750});
                     Command(f, kMnuKanbanReset);
                   },
                   kDefault}));

bool FramePainted(Form1& f, float x, float y) {
  return CaptureClient(f.hwnd()).at(TwipsToPixels(x), TwipsToPixels(y)) == 0xE0E0E0;
}

TEST(Signboard, ShowCommandsKeepTheirMarksEqualToWhatIsShown) {
  App app;
  Form1& f = app.form();
  EXPECT_TRUE(FramePainted(f, 7380, 1800));
  Command(f, kMnuViewWaku);
  EXPECT_FALSE(f.MenuChecked(kMnuViewWaku));
  for (const LightShape& s : f.shpK_Waku) EXPECT_FALSE(s.visible);
  EXPECT_FALSE(FramePainted(f, 7380, 1800));
  f.MoveKanban(2100, 750);
  Command(f, kMnuViewWaku);
  EXPECT_TRUE(f.MenuChecked(kMnuViewWaku));
  EXPECT_TRUE(FramePainted(f, 2055, 900));
  EXPECT_TRUE(FramePainted(f, 3540, 900));
  EXPECT_TRUE(FramePainted(f, 2600, 1230));
  const std::vector<float> before = Layout(f);
  SetFocus(f.PicKanban);
  Command(f, kMnuViewKanban);
  EXPECT_FALSE(IsWindowVisible(f.PicKanban));
  EXPECT_FALSE(f.MenuChecked(kMnuViewKanban));
  EXPECT_EQ(GetFocus(), f.Picture1);  // the sign keys work again at once
  EXPECT_EQ(Layout(f), before);
  for (const LightShape& s : f.shpK_Waku) EXPECT_TRUE(s.visible);
  Command(f, kMnuViewKanban);
  EXPECT_TRUE(IsWindowVisible(f.PicKanban));
  EXPECT_TRUE(f.MenuChecked(kMnuViewKanban));
}

// What the open dialog showed; it is answered with `path`, or cancelled when that is empty.
struct OpenDialog {
  HWND owner = nullptr;
  bool ownerEnabled = true;
  std::wstring fileName, fileType;
};

OpenDialog ChoosePicture(Form1& f, const std::wstring& path) {
  OpenDialog seen;
  ModalAnswerer dialog(kOpenTitle, [&](HWND dlg) {
    HWND name = GetDlgItem(dlg, 0x47c) ? GetDlgItem(dlg, 0x47c) : GetDlgItem(dlg, 0x480);
    seen = {GetWindow(dlg, GW_OWNER), IsWindowEnabled(f.hwnd()) != FALSE, WindowText(name),
            WindowText(GetDlgItem(dlg, 0x470))};
    SetWindowTextW(name, path.c_str());
    PostMessageW(dlg, WM_COMMAND, path.empty() ? IDCANCEL : IDOK, 0);
  });
  Command(f, kMnuSetKanban);
  EXPECT_TRUE(dialog.answered());
  return seen;
}

TEST(Signboard, PictureCommandFillsEvenAHiddenBoardAndAFailedLoadChangesNothing) {
  TempDir dir;
  WriteBmp(dir.File(L"good.bmp"), 60, 20, 0xFF0000);
  WriteFileBytes(dir.File(L"bad.bmp"), "not a picture");
  App app;
  Form1& f = app.form();
  f.MoveKanban(3000, 600);
  Command(f, kMnuViewKanban);
  const OpenDialog first = ChoosePicture(f, dir.File(L"good.bmp"));
  EXPECT_EQ(first.owner, f.hwnd());
  EXPECT_FALSE(first.ownerEnabled);
  EXPECT_EQ(first.fileName, L"");
  EXPECT_EQ(first.fileType, L"*.bmp;*.jpeg;*.gif;*.wmf;*.emf");
  const std::vector<float> loaded = {3000, 600, 900, 300, 2925, 600, 75, 315,
                                     3900, 600, 75,  315, 2925, 900, 1050, 60};
  EXPECT_EQ(Layout(f), loaded);
  EXPECT_EQ(f.strKanbanPath, dir.File(L"good.bmp"));
  EXPECT_FALSE(IsWindowVisible(f.PicKanban));
  Command(f, kMnuViewKanban);
  EXPECT_EQ(CaptureClient(f.PicKanban).Count(0xFF0000), 60 * 20);
  // Cancelled, unreadable or missing: board, picture, path and frame stay.
  for (const wchar_t* name : {L"", L"bad.bmp", L"missing.bmp"}) {
    const OpenDialog again = ChoosePicture(f, *name ? dir.File(name) : L"");
    if (!*name) {
      EXPECT_NE(again.fileName.find(L"good.bmp"), std::wstring::npos);  // the last one chosen
    }
    EXPECT_EQ(Layout(f), loaded) << name;
    EXPECT_EQ(f.strKanbanPath, dir.File(L"good.bmp"));
    EXPECT_EQ(f.KanbanPicture().widthPx(), 60);
  }
  Command(f, kMnuViewKanban);  // a reset while hidden
  Command(f, kMnuKanbanReset);
  EXPECT_EQ(Layout(f), kDefault);
  EXPECT_TRUE(f.KanbanPicture().empty());
  EXPECT_FALSE(IsWindowVisible(f.PicKanban));
  EXPECT_EQ(f.strKanbanPath, dir.File(L"good.bmp"));
}

void SendMouse(DWORD flags) {
  static DWORD time = GetTickCount();  // each event a little later: double clicks by timestamp
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  in.mi.time = time += 20;
  SendInput(1, &in, sizeof in);
}

TEST(Signboard, ADragMovesTheBoardByTheMouseAndADoubleClickGathersTheFrame) {
  App app;
  Form1& f = app.form();
  const RECT start = RectInParent(f.PicKanban);
  POINT at{40, 15};
  ClientToScreen(f.PicKanban, &at);
  const DWORD gui = GetCurrentThreadId();
  auto inMoveLoop = [gui] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(gui, &info) && (info.flags & GUI_INMOVESIZE);
  };
  auto boardLeft = [&] { return RectInParent(f.PicKanban).left; };
  std::atomic<bool> done{false};
  // Real input from a helper thread while this thread runs the move loop; each input waits until
  // the loop has handled the one before, so the button-up never overtakes a move.
  std::thread mouse([&] {
    struct Up {
      ~Up() { SendMouse(MOUSEEVENTF_LEFTUP); }  // never leave the loop waiting for it
    } up;
    SetCursorPos(at.x, at.y);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    if (!WaitUntil(inMoveLoop)) return;
    for (const POINT d : {POINT{-40, 10}, POINT{-130, 35}}) {
      SetCursorPos(at.x + d.x, at.y + d.y);
      SendMouse(MOUSEEVENTF_MOVE);
      if (!WaitUntil([&] { return boardLeft() == start.left + d.x; })) return;
    }
    SendMouse(MOUSEEVENTF_LEFTUP);
    if (!WaitUntil([&] { return !inMoveLoop(); })) return;
    // A double click: its first press starts a drag that ends without a move.
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    if (!WaitUntil(inMoveLoop)) return;
    SendMouse(MOUSEEVENTF_LEFTUP);
    if (!WaitUntil([&] { return !inMoveLoop(); })) return;
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    done = true;
  });
  EXPECT_TRUE(WaitUntil([&] { return done && f.shpK_Waku[0].rect.left == 5400; }, 20000));
  mouse.join();
  EXPECT_EQ(Layout(f), (std::vector<float>{5475, 2190, 1410, 450, 5400, 2190, 75, 465, 6885, 2190,
                                           75, 465, 5400, 2640, 1560, 60}));
  // The right button opens the menu on the board; the middle one does nothing.
  ModalAnswerer menu(L"", [](HWND) { EndMenu(); });
  SendMessageW(f.PicKanban, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(menu.answers(), 1);
  SendMessageW(f.PicKanban, WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(menu.answers(), 1);
  EXPECT_EQ(RectInParent(f.PicKanban).left, start.left - 130);
}

}  // namespace
}  // namespace rumona::test
