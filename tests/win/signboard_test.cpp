#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace rumona::test {
namespace {

// The open dialog's controls (dlgs.h): the file name box and the file type list.
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileTypeCombo = 0x470;  // cmb1

std::wstring TempFile(const std::wstring& name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// Writes a 24-bit bitmap of one colour.
void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof(ih);
  ih.biWidth = width;
  ih.biHeight = height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biSizeImage = stride * height;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(ih);
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  std::vector<unsigned char> row(stride, 0);
  for (int x = 0; x < width; ++x) {
    row[x * 3] = GetBValue(colour);
    row[x * 3 + 1] = GetGValue(colour);
    row[x * 3 + 2] = GetRValue(colour);
  }
  std::string bytes(reinterpret_cast<const char*>(&fh), sizeof(fh));
  bytes.append(reinterpret_cast<const char*>(&ih), sizeof(ih));
  for (int y = 0; y < height; ++y) bytes.append(reinterpret_cast<const char*>(row.data()), stride);
  WriteBytes(path, bytes);
}

void ExpectRect(const RectTw& r, float left, float top, float width, float height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.width, width);
  EXPECT_EQ(r.height, height);
}

bool SameRect(const RectTw& a, const RectTw& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// The bus window's client area as painted, to look at pixels.
class Snapshot {
 public:
  explicit Snapshot(HWND hwnd) {
    HDC screen = GetDC(nullptr);
    mem_ = CreateCompatibleDC(screen);
    bmp_ = CreateCompatibleBitmap(screen, 764, 216);
    old_ = SelectObject(mem_, bmp_);
    ReleaseDC(nullptr, screen);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem_), PRF_CLIENT);
  }
  ~Snapshot() {
    SelectObject(mem_, old_);
    DeleteObject(bmp_);
    DeleteDC(mem_);
  }
  COLORREF At(float xTw, float yTw) const {
    return GetPixel(mem_, TwipsToPixels(xTw), TwipsToPixels(yTw));
  }

 private:
  HDC mem_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};

struct FoundDialog {
  DWORD pid;
  HWND hwnd;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<FoundDialog*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (pid == d->pid && IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770") {
    d->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindOpenDialog() {
  FoundDialog d{GetCurrentProcessId(), nullptr};
  EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&d));
  return d.hwnd;
}

HWND FileNameBox(HWND dlg) {
  HWND box = GetDlgItem(dlg, kFileNameCombo);
  return box ? box : GetDlgItem(dlg, kFileNameEdit);
}

// What the answering thread saw of the open dialog.
struct DialogSeen {
  HWND owner = nullptr;
  bool ownerEnabled = true;
  std::wstring fileName;
  std::wstring fileType;
};

// Runs the picture command and answers its open dialog from a helper thread: types `path` and
// presses Open, or presses Cancel when `path` is empty. The dialog is found by its class, so the
// title's language does not matter.
DialogSeen ChoosePicture(Form1& form, const std::wstring& path) {
  DialogSeen seen;
  std::atomic<bool> stop{false}, answered{false};
  std::thread helper([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!stop && std::chrono::steady_clock::now() < deadline) {
      if (HWND dlg = FindOpenDialog()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        seen.owner = GetWindow(dlg, GW_OWNER);
        seen.ownerEnabled = IsWindowEnabled(form.hwnd()) != FALSE;
        seen.fileName = WindowText(FileNameBox(dlg));
        seen.fileType = WindowText(GetDlgItem(dlg, kFileTypeCombo));
        if (path.empty()) {
          PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
        } else {
          SendMessageW(FileNameBox(dlg), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
          PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
        }
        answered = true;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  form.MnuSetKanban_Click();
  stop = true;
  helper.join();
  EXPECT_TRUE(answered) << "the open dialog did not appear";
  return seen;
}

// Real mouse input, as the platform delivers it, from a helper thread while this thread pumps
// messages (and runs the move loop inside them).
class MouseScript {
 public:
  explicit MouseScript(DWORD guiThread) : guiThread_(guiThread), time_(GetTickCount()) {}

  void MoveTo(POINT p) {
    SetCursorPos(p.x, p.y);
    Send(MOUSEEVENTF_MOVE, 0, 0);
  }
  void MoveBy(int dx, int dy) {
    POINT p;
    GetCursorPos(&p);
    SetCursorPos(p.x + dx, p.y + dy);
    Send(MOUSEEVENTF_MOVE, 0, 0);
  }
  void Press(DWORD flag) { Send(flag, 0, 0); }
  // Waits until the GUI thread is (or is no longer) in a move loop; false when it never was.
  bool WaitMoveLoop(bool inside) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      GUITHREADINFO info{};
      info.cbSize = sizeof(info);
      if (GetGUIThreadInfo(guiThread_, &info) && ((info.flags & GUI_INMOVESIZE) != 0) == inside)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

 private:
  // Each event carries its own time a little after the last, so double clicks are recognised
  // by their timestamps, whatever the load of the machine.
  void Send(DWORD flags, int dx, int dy) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.dwFlags = flags;
    time_ += 20;
    in.mi.time = time_;
    SendInput(1, &in, sizeof(in));
  }
  DWORD guiThread_;
  DWORD time_;
};

// Pumps this thread's messages until `script` has run on a helper thread, then once more.
void RunMouseScript(const std::function<void(MouseScript&)>& script) {
  std::atomic<bool> done{false};
  MouseScript mouse(GetCurrentThreadId());
  std::thread helper([&] {
    script(mouse);
    done = true;
  });
  while (!done) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  helper.join();
  Pump();
}

POINT BoardScreenPoint(const Form1& f, int x, int y) {
  POINT p{x, y};
  ClientToScreen(f.PicKanban, &p);
  return p;
}

TEST(Signboard, LayoutsFollowAMovedAndResizedBoardAndNeverMoveIt) {
  App app;
  Form1& f = app.form();
  // A new size runs the size-change layout: the frame moves, the posts keep their heights.
  f.MoveSizeKanban(RectTw{30, 300, 600, 750});
  ExpectRect(f.shpK_Waku[0].rect, -45, 300, 75, 465);
  ExpectRect(f.shpK_Waku[1].rect, 630, 300, 75, 465);
  ExpectRect(f.shpK_Waku[2].rect, -45, 1050, 750, 60);
  // The full layout sets the posts' heights too; negative Lefts stay negative.
  f.PicKanban_DblClick();
  ExpectRect(f.shpK_Waku[0].rect, -45, 300, 75, 765);
  ExpectRect(f.shpK_Waku[1].rect, 630, 300, 75, 765);
  ExpectRect(f.shpK_Waku[2].rect, -45, 1050, 750, 60);
  ExpectRect(f.KanbanRect(), 30, 300, 600, 750);
  // Moving alone runs no layout.
  f.MoveKanban(3000, 1500);
  EXPECT_EQ(f.shpK_Waku[0].rect.left, -45);
}

TEST(Signboard, FrameCommandTogglesTheFrameAndGathersItAroundTheBoard) {
  App app;
  Form1& f = app.form();
  f.MoveKanban(1950, 600);  // as after a drag: the frame stays at the default place
  ASSERT_EQ(f.shpK_Waku[0].rect.left, 7350);

  f.MnuViewWaku_Click();
  EXPECT_FALSE(f.MenuChecked(kMnuViewWaku));
  for (const LightShape& s : f.shpK_Waku) EXPECT_FALSE(s.visible);
  ExpectRect(f.shpK_Waku[0].rect, 1875, 600, 75, 465);
  ExpectRect(f.shpK_Waku[1].rect, 3360, 600, 75, 465);
  ExpectRect(f.shpK_Waku[2].rect, 1875, 1050, 1560, 60);
  {
    Snapshot shot(f.hwnd());
    EXPECT_NE(shot.At(1875 + 30, 800), 0xE0E0E0u);
    EXPECT_NE(shot.At(7350 + 30, 1800), 0xE0E0E0u);
  }

  // Moved while hidden, shown again in place.
  f.MoveKanban(2100, 750);
  f.MnuViewWaku_Click();
  EXPECT_TRUE(f.MenuChecked(kMnuViewWaku));
  for (const LightShape& s : f.shpK_Waku) EXPECT_TRUE(s.visible);
  EXPECT_EQ(f.shpK_Waku[0].rect.left, 2025);
  EXPECT_EQ(f.shpK_Waku[2].rect.top, 1200);
  Snapshot shot(f.hwnd());
  EXPECT_EQ(shot.At(2025 + 30, 900), 0xE0E0E0u);
  EXPECT_EQ(shot.At(2100 + 1410 + 30, 900), 0xE0E0E0u);
  EXPECT_EQ(shot.At(2600, 1200 + 30), 0xE0E0E0u);
  EXPECT_NE(shot.At(7350 + 30, 1800), 0xE0E0E0u);
}

TEST(Signboard, ShowHideCommandKeepsTheMarkEqualToTheBoardAndLeavesTheFrame) {
  App app;
  Form1& f = app.form();
  SetFocus(f.PicKanban);
  const auto frameBefore = f.shpK_Waku;
  f.MnuViewKanban_Click();
  EXPECT_FALSE(f.KanbanVisible());
  EXPECT_FALSE(f.MenuChecked(kMnuViewKanban));
  EXPECT_EQ(GetFocus(), f.Picture1);  // the sign keys work again at once
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(f.shpK_Waku[i].visible);
    EXPECT_TRUE(SameRect(f.shpK_Waku[i].rect, frameBefore[i].rect));
  }
  // The frame command still lays the frame out around the hidden board.
  f.MoveKanban(3000, 300);
  f.MnuViewWaku_Click();
  f.MnuViewWaku_Click();
  EXPECT_EQ(f.shpK_Waku[0].rect.left, 2925);
  EXPECT_FALSE(f.KanbanVisible());

  f.MnuViewKanban_Click();
  EXPECT_TRUE(f.KanbanVisible());
  EXPECT_TRUE(f.MenuChecked(kMnuViewKanban));
}

TEST(Signboard, ResetWhileHiddenEmptiesAndMovesTheHiddenBoard) {
  App app;
  Form1& f = app.form();
  const std::wstring bmp = TempFile(L"rumona_reset.bmp");
  WriteBmp(bmp, 60, 20, RGB(255, 0, 0));
  ChoosePicture(f, bmp);
  ASSERT_EQ(f.KanbanRect().width, 900);
  f.MoveKanban(600, 2400);
  f.MnuViewWaku_Click();  // frame off and around the moved board
  f.MnuViewKanban_Click();

  f.MnuKanbanReset_Click();
  ExpectRect(f.KanbanRect(), 7425, 1665, 1410, 450);
  EXPECT_TRUE(f.KanbanPicture().empty());
  EXPECT_FALSE(f.KanbanVisible());
  EXPECT_FALSE(f.MenuChecked(kMnuViewKanban));
  EXPECT_FALSE(f.MenuChecked(kMnuViewWaku));
  EXPECT_EQ(f.strKanbanPath, bmp);
  ExpectRect(f.shpK_Waku[0].rect, 7350, 1665, 75, 465);
  ExpectRect(f.shpK_Waku[1].rect, 8835, 1665, 75, 465);
  ExpectRect(f.shpK_Waku[2].rect, 7350, 2115, 1560, 60);
  for (const LightShape& s : f.shpK_Waku) EXPECT_FALSE(s.visible);
  DeleteFileW(bmp.c_str());
}

TEST(Signboard, PictureChosenWhileHiddenGoesIntoTheHiddenBoard) {
  App app;
  Form1& f = app.form();
  const std::wstring bmp = TempFile(L"rumona_hidden.bmp");
  WriteBmp(bmp, 60, 20, RGB(0, 0, 255));
  f.MoveKanban(3000, 600);
  f.MnuViewKanban_Click();

  const DialogSeen seen = ChoosePicture(f, bmp);
  EXPECT_EQ(seen.owner, f.hwnd());
  EXPECT_FALSE(seen.ownerEnabled);  // modal to the bus window
  EXPECT_EQ(seen.fileType, L"*.bmp;*.jpeg;*.gif;*.wmf;*.emf");
  EXPECT_EQ(seen.fileName, L"");

  ExpectRect(f.KanbanRect(), 3000, 600, 900, 300);
  EXPECT_EQ(f.strKanbanPath, bmp);
  EXPECT_FALSE(f.KanbanVisible());
  EXPECT_FALSE(f.MenuChecked(kMnuViewKanban));
  EXPECT_TRUE(f.MenuChecked(kMnuViewWaku));
  ExpectRect(f.shpK_Waku[0].rect, 2925, 600, 75, 315);
  ExpectRect(f.shpK_Waku[1].rect, 3900, 600, 75, 315);
  ExpectRect(f.shpK_Waku[2].rect, 2925, 900, 1050, 60);

  // Shown again, the board shows the picture.
  f.MnuViewKanban_Click();
  EXPECT_TRUE(f.KanbanVisible());
  RedrawWindow(f.PicKanban, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmpDc = CreateCompatibleBitmap(screen, 60, 20);
  HGDIOBJ old = SelectObject(mem, bmpDc);
  SendMessageW(f.PicKanban, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  EXPECT_EQ(GetPixel(mem, 30, 10), RGB(0, 0, 255));
  SelectObject(mem, old);
  DeleteObject(bmpDc);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  DeleteFileW(bmp.c_str());
}

TEST(Signboard, DialogOpensOnTheLastChosenFileAndCancellingChangesNothing) {
  App app;
  Form1& f = app.form();
  const std::wstring first = TempFile(L"rumona_first.bmp");
  WriteBmp(first, 40, 40, RGB(0, 128, 0));
  ChoosePicture(f, first);
  ASSERT_EQ(f.strKanbanPath, first);
  const RectTw board = f.KanbanRect();
  const auto frame = f.shpK_Waku;

  const DialogSeen seen = ChoosePicture(f, L"");
  EXPECT_NE(seen.fileName.find(L"rumona_first.bmp"), std::wstring::npos) << seen.fileName;
  EXPECT_EQ(f.strKanbanPath, first);
  EXPECT_TRUE(SameRect(f.KanbanRect(), board));
  EXPECT_EQ(f.KanbanPicture().widthPx(), 40);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameRect(f.shpK_Waku[i].rect, frame[i].rect));
  DeleteFileW(first.c_str());
}

TEST(Signboard, AFailedLoadLeavesBoardPathAndFrameAsTheyWere) {
  App app;
  Form1& f = app.form();
  const std::wstring good = TempFile(L"rumona_good.bmp");
  const std::wstring bad = TempFile(L"rumona_bad.bmp");
  WriteBmp(good, 30, 30, RGB(0, 0, 0));
  WriteBytes(bad, "not a picture at all");
  ChoosePicture(f, good);
  f.MoveKanban(4500, 300);  // frame left behind, as after a drag
  const RectTw board = f.KanbanRect();
  const auto frame = f.shpK_Waku;

  for (const std::wstring& path : {bad, TempFile(L"rumona_missing.bmp")}) {
    ChoosePicture(f, path);
    EXPECT_EQ(f.strKanbanPath, good) << path;
    EXPECT_TRUE(SameRect(f.KanbanRect(), board));
    EXPECT_EQ(f.KanbanPicture().widthPx(), 30);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameRect(f.shpK_Waku[i].rect, frame[i].rect));
    EXPECT_TRUE(f.KanbanVisible());
    EXPECT_TRUE(f.MenuChecked(kMnuViewWaku));
  }
  DeleteFileW(good.c_str());
  DeleteFileW(bad.c_str());
}

TEST(Signboard, LeftDragMovesTheBoardByTheMousesDisplacementAndLeavesTheFrame) {
  App app;
  Form1& f = app.form();
  const auto frame = f.shpK_Waku;
  const POINT start = BoardScreenPoint(f, 40, 15);
  POINT released{};
  bool looped = false;
  RunMouseScript([&](MouseScript& m) {
    m.MoveTo(start);
    m.Press(MOUSEEVENTF_LEFTDOWN);
    looped = m.WaitMoveLoop(true);
    m.MoveBy(-40, 10);
    m.MoveBy(-90, 25);
    GetCursorPos(&released);
    m.Press(MOUSEEVENTF_LEFTUP);
    m.WaitMoveLoop(false);
  });
  ASSERT_TRUE(looped);
  const RectTw board = f.KanbanRect();
  EXPECT_EQ(board.left, 7425 + (released.x - start.x) * 15);
  EXPECT_EQ(board.top, 1665 + (released.y - start.y) * 15);
  EXPECT_NE(released.x, start.x);
  EXPECT_EQ(board.width, 1410);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(SameRect(f.shpK_Waku[i].rect, frame[i].rect));

  // A press and release without moving leaves the board where it is.
  RunMouseScript([&](MouseScript& m) {
    m.MoveTo(BoardScreenPoint(f, 10, 10));
    m.Press(MOUSEEVENTF_LEFTDOWN);
    m.WaitMoveLoop(true);
    m.Press(MOUSEEVENTF_LEFTUP);
    m.WaitMoveLoop(false);
  });
  EXPECT_TRUE(SameRect(f.KanbanRect(), board));
}

TEST(Signboard, DoubleClickGathersTheFrameWithoutMovingTheBoard) {
  App app;
  Form1& f = app.form();
  f.MoveKanban(2400, 1800);  // the frame stays at the default place, as after a drag
  RunMouseScript([&](MouseScript& m) {
    m.MoveTo(BoardScreenPoint(f, 20, 20));
    m.Press(MOUSEEVENTF_LEFTDOWN);
    m.WaitMoveLoop(true);
    m.Press(MOUSEEVENTF_LEFTUP);
    m.WaitMoveLoop(false);
    m.Press(MOUSEEVENTF_LEFTDOWN);
    m.Press(MOUSEEVENTF_LEFTUP);
  });
  ExpectRect(f.KanbanRect(), 2400, 1800, 1410, 450);
  ExpectRect(f.shpK_Waku[0].rect, 2325, 1800, 75, 465);
  ExpectRect(f.shpK_Waku[1].rect, 3810, 1800, 75, 465);
  ExpectRect(f.shpK_Waku[2].rect, 2325, 2250, 1560, 60);
}

TEST(Signboard, RightButtonOpensTheMenuAndTheMiddleButtonDoesNothing) {
  App app;
  Form1& f = app.form();
  const RectTw board = f.KanbanRect();
  const POINT at = BoardScreenPoint(f, 30, 10);
  int menus = CountPopupMenus([&] {
    RunMouseScript([&](MouseScript& m) {
      m.MoveTo(at);
      m.Press(MOUSEEVENTF_RIGHTDOWN);
      m.Press(MOUSEEVENTF_RIGHTUP);
    });
  });
  EXPECT_EQ(menus, 1);
  menus = CountPopupMenus([&] {
    RunMouseScript([&](MouseScript& m) {
      m.MoveTo(at);
      m.Press(MOUSEEVENTF_MIDDLEDOWN);
      m.Press(MOUSEEVENTF_MIDDLEUP);
    });
  });
  EXPECT_EQ(menus, 0);
  EXPECT_TRUE(SameRect(f.KanbanRect(), board));
}

}  // namespace
}  // namespace rumona::test
