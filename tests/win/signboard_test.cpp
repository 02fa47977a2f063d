#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "test_support.h"

namespace rumona::test {
namespace {

// The board's rectangle, then the three frame shapes', in twips.
std::vector<float> Layout(const Form1& f) {
  const RectTw b = f.board.Rect();
  std::vector<float> out{b.left, b.top, b.width, b.height};
  for (const LightShape& s : f.board.Frame())
    out.insert(out.end(), {s.rect.left, s.rect.top, s.rect.width, s.rect.height});
  return out;
}

// Answers the open dialog with `path` (cancels it when empty); returns the name it opened on.
std::wstring ChoosePicture(Form1& f, const std::wstring& path) {
  std::wstring opened;
  ModalAnswerer dialog(L"開く", [&](HWND dlg) {
    EXPECT_TRUE(GetWindow(dlg, GW_OWNER) == f.hwnd() && !IsWindowEnabled(f.hwnd()));
    EXPECT_EQ(WindowText(GetDlgItem(dlg, 0x470)),  // cmb1
              L"*.bmp;*.jpeg;*.gif;*.wmf;*.emf;*.png");
    HWND name = GetDlgItem(dlg, 0x47c) ? GetDlgItem(dlg, 0x47c) : GetDlgItem(dlg, 0x480);
    opened = WindowText(name);
    SetWindowTextW(name, path.c_str());
    PostMessageW(dlg, WM_COMMAND, path.empty() ? IDCANCEL : IDOK, 0);
  });
  Command(f.hwnd(), kMnuSetKanban);
  EXPECT_TRUE(dialog.answered());
  WaitForPictures(f);  // decoded off the window's thread
  return opened;
}

void SendMouse(DWORD flags) {
  static DWORD time = GetTickCount();  // each event a little later: double clicks by timestamp
  INPUT in{.type = INPUT_MOUSE};
  in.mi.dwFlags = flags;
  in.mi.time = time += 20;
  SendInput(1, &in, sizeof in);
}

TEST(Signboard, PictureCommandFillsEvenAHiddenBoardAndTheFrameGoesWithItWhenMovedOrDragged) {
  TempDir dir;
  const std::wstring good = dir.File(L"good.bmp");
  WriteBmp(good, 60, 20, 0xFF0000);
  WriteFileBytes(dir.File(L"bad.bmp"), "not a picture");
  App app;
  Form1& f = app.form();
  f.board.Move(3000, 600);
  Command(f.hwnd(), kMnuViewKanban);
  EXPECT_EQ(ChoosePicture(f, good), L"");
  const std::vector<float> loaded = {3000, 600, 900, 300, 2925, 600, 75,   315,
                                     3900, 600, 75,  315, 2925, 900, 1050, 60};
  EXPECT_EQ(Layout(f), loaded);
  EXPECT_FALSE(IsWindowVisible(f.PicKanban) || f.MenuChecked(kMnuViewKanban));
  Command(f.hwnd(), kMnuViewKanban);
  EXPECT_TRUE(IsWindowVisible(f.PicKanban) && CaptureClient(f.PicKanban).All(0xFF0000));
  EXPECT_EQ(ChoosePicture(f, L""), L"good.bmp");  // cancelled: it opened on the last one chosen
  for (const wchar_t* name : {L"bad.bmp", L"missing.bmp"}) ChoosePicture(f, dir.File(name));
  EXPECT_EQ(Layout(f), loaded);
  EXPECT_EQ(f.board.picture().widthPx(), 60);
  Command(f.hwnd(), kMnuKanbanReset);
  EXPECT_EQ(Layout(f), (std::vector<float>{7425, 1665, 1410, 450, 7350, 1665, 75, 465, 8835,
                                           1665, 75, 465, 7350, 2115, 1560, 60}));
  EXPECT_TRUE(f.board.picture().empty());
  EXPECT_EQ(f.board.strKanbanPath, good);

  // "枠の表示" clicked in the popup menu: the frame goes, then comes back round the board.
  const Pixels bus = AssetPixels("bus.bmp");
  f.board.Move(3000, 600);
  std::vector<std::vector<std::wstring>> seen;
  ModalAnswerer menu(L"", [&](HWND m) {
    seen.push_back(MenuItems(m));
    RECT item;
    GetMenuItemRect(nullptr, reinterpret_cast<HMENU>(SendMessageW(m, MN_GETHMENU, 0, 0)), 1, &item);
    MouseAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2},
            {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
  });
  const RECT designPost = PxRect(7350, 1650, 75, 495), newPost = PxRect(2925, 600, 75, 465);
  auto post = [&](const RECT& r) {  // the colours inside a post, as shown
    const Pixels shown = CaptureClient(f.hwnd(), true);
    return std::pair(shown.at(r.left + 2, r.top + 5), bus.at(r.left + 2, r.top + 5));
  };
  EXPECT_NE(post(designPost).first, post(designPost).second);
  for (int i = 0; i < 2; ++i) {
    SendMessageW(f.hwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(200, 186));
    SendMessageW(f.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(200, 186));
    EXPECT_TRUE(WaitUntil([&] { return f.MenuChecked(kMnuViewWaku) == (i == 1); })) << i;
    EXPECT_EQ(post(designPost).first, post(designPost).second) << i;  // the old place is bare
    // Round the board: bare while unchecked, then the frame's grey.
    EXPECT_EQ(post(newPost).first, i == 0 ? post(newPost).second : COLORREF{0xE0E0E0}) << i;
  }
  EXPECT_EQ(seen[1][1], L"枠の表示");  // unchecked while hidden
  // A frame moved across the front door stays above it while the door moves.
  f.board.Move(300, 1000);
  f.PicKanban_DblClick();  // the bar now runs across the door at 1450 to 1510
  app.panel().SetHScroll1Value(1);
  for (int i = 0; i < 2; ++i) SendMessageW(app.panel().Check1, BM_CLICK, 0, 0);  // and back
  const RECT bar = PxRect(1005, 1470, 15, 15);  // inside its outline
  EXPECT_EQ(CaptureClient(f.hwnd(), true).at(bar.left, bar.top), COLORREF{0xE0E0E0});
  // Back at its place, a drag moves the board by the mouse and a double click gathers the frame.
  Command(f.hwnd(), kMnuKanbanReset);
  POINT at{40, 15};
  ClientToScreen(f.PicKanban, &at);
  auto moving = [gui = GetCurrentThreadId()] {
    GUITHREADINFO info{.cbSize = sizeof info};
    return GetGUIThreadInfo(gui, &info) && (info.flags & GUI_INMOVESIZE);
  };
  SetCursorPos(at.x, at.y);
  std::atomic<bool> done{false};
  // Real input from a helper thread while this thread runs the move loop; each input waits until
  // the loop has handled the one before, so the button-up never overtakes a move.
  std::thread mouse([&] {
    auto press = [&](DWORD button, bool loop) {
      SendMouse(button);
      return WaitUntil([&] { return moving() == loop; });
    };
    if (!press(MOUSEEVENTF_LEFTDOWN, true)) {
      SendMouse(MOUSEEVENTF_LEFTUP);
      return;
    }
    for (const POINT d : {POINT{-40, 10}, POINT{-130, 35}}) {
      SetCursorPos(at.x + d.x, at.y + d.y);
      SendMouse(MOUSEEVENTF_MOVE);
      WaitUntil([&] { return f.board.Rect().left == 7425 + d.x * 15; });
    }
    // Then a double click: its first press starts a drag that ends without a move.
    done = press(MOUSEEVENTF_LEFTUP, false) && press(MOUSEEVENTF_LEFTDOWN, true) &&
           press(MOUSEEVENTF_LEFTUP, false);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
  });
  EXPECT_TRUE(WaitUntil([&] { return done && f.board.Frame()[0].rect.left == 5400; }, 20000));
  mouse.join();
  EXPECT_EQ(Layout(f), (std::vector<float>{5475, 2190, 1410, 450, 5400, 2190, 75, 465, 6885, 2190,
                                           75, 465, 5400, 2640, 1560, 60}));
}

// Both metafiles are half an inch by a quarter, 48 x 24 pixels, all black.
void WriteEmf(const std::wstring& path) {
  const RECT frame{0, 0, 1270, 635};  // hundredths of a millimetre
  HDC dc = CreateEnhMetaFileW(nullptr, path.c_str(), &frame, nullptr);
  PatBlt(dc, 0, 0, 48, 24, BLACKNESS);  // in the screen's pixels
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

void WritePlaceableWmf(const std::wstring& path) {
  HDC dc = CreateMetaFileW(nullptr);
  SetWindowExtEx(dc, 720, 360, nullptr);
  PatBlt(dc, 0, 0, 720, 360, BLACKNESS);
  HMETAFILE wmf = CloseMetaFile(dc);
  const UINT size = GetMetaFileBitsEx(wmf, 0, nullptr);
  std::string bytes(22 + size, '\0');
  GetMetaFileBitsEx(wmf, size, bytes.data() + 22);
  DeleteMetaFile(wmf);
  // Key, handle, bounds (left, top, right, bottom), units per inch, reserved, checksum.
  WORD header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 720, 360, 1440, 0, 0, 0};
  for (int i = 0; i < 10; ++i) header[10] ^= header[i];
  memcpy(bytes.data(), header, sizeof header);
  WriteFileBytes(path, bytes);
}

// A file, the picture's size in pixels and colours at points inside it.
struct PictureCase {
  std::wstring name;
  std::function<void(const std::wstring&)> write;
  SIZE size;
  std::vector<std::pair<POINT, COLORREF>> colours;
};
class PictureFile : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureFile, ShowsOnTheSignAndTheBoardAtItsSizeInPixels) {
  const PictureCase& c = GetParam();
  TempDir dir;
  c.write(dir.File(c.name));
  App app;
  Form1& f = app.form();
  ShowFolder(f, dir.path());
  f.sign.ShowEntry(0);
  ChoosePicture(f, dir.File(c.name));
  const Pixels sign = CaptureClient(f.Picture1, true), board = CaptureClient(f.PicKanban, true);
  EXPECT_EQ(sign.at(c.size.cx, c.size.cy), 0xFFFFFFu);  // just past it: the sign's white
  EXPECT_EQ((std::pair<LONG, LONG>(board.width, board.height)), std::pair(c.size.cx, c.size.cy));
  for (const auto& [at, colour] : c.colours) {
    EXPECT_EQ(sign.at(at.x, at.y), colour) << at.x << "," << at.y;
    EXPECT_EQ(board.at(at.x, at.y), colour) << at.x << "," << at.y;
  }
  // A bitmap that would take more than the budget to decode (every frame counted) is one that
  // cannot be read; a metafile is not decoded.
  Swapped<uint64_t> budget(decodeBudgetBytes, uint64_t{4} * c.size.cx * c.size.cy - 1);
  EXPECT_EQ(Picture::FromFile(dir.File(c.name)).empty(), !c.name.ends_with(L"mf"));
}

using namespace std::string_literals;
INSTANTIATE_TEST_SUITE_P(
    Formats, PictureFile,
    testing::Values(
        // 2 x 1: opaque red, then transparent blue.
        PictureCase{L"a.png", [](const std::wstring& path) {
          WriteFileBytes(path,
              "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02"
              "\x00\x00\x00\x01\x08\x06\x00\x00\x00\xf4\x22\x7f\x8a\x00\x00\x00\x11\x49\x44\x41"
              "\x54\x08\xd7\x63\xf8\xcf\xc0\xf0\x9f\x81\xe1\x3f\x03\x00\x0e\xfa\x02\xfe\xf2\xfb"
              "\x86\x78\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82"s);
        }, {2, 1}, {{{0, 0}, 0x0000FF}, {{1, 0}, 0xFFFFFF}}},
        // 3 x 2, two frames: green for a minute, then blue.
        PictureCase{L"a.gif", [](const std::wstring& path) {
          WriteGif(path, 3, 2, {{0, 0, 3, 2, "111111", 6000}, {0, 0, 3, 2, "222222"}});
        }, {3, 2}, {{{0, 0}, 0x00FF00}, {{2, 1}, 0x00FF00}}},
        PictureCase{L"a.emf", WriteEmf, {48, 24}, {{{2, 2}, 0}, {{45, 21}, 0}}},
        PictureCase{L"a.wmf", WritePlaceableWmf, {48, 24}, {{{2, 2}, 0}, {{45, 21}, 0}}}),
    Row);

// The built-in pictures at 100 % and 200 % are the drawings of assets/ pixel for pixel; between
// them the 2x drawing reduced, its edges where the scale puts them and still sharp.
TEST(Picture, ArtworkForTheDisplayScaleAndPicturesResampledKeepTheirEdgesAndColours) {
  const std::pair<int, const char*> artwork[] = {
      {IDB_BUS, "bus"}, {IDB_SIGN_DEFAULT, "sign_default"}, {IDB_DOOR_FRONT, "door_front"},
      {IDB_DOOR_MIDDLE_LEFT, "door_middle_left"}, {IDB_DOOR_MIDDLE_RIGHT, "door_middle_right"},
      {IDB_BUTTON_MAE, "btn_mae"}, {IDB_BUTTON_NAKA, "btn_naka"}};
  for (const auto& [id, name] : artwork) {
    EXPECT_TRUE(PicturePixels(Picture::Artwork(id, 96)).px == AssetPixels(name + ".bmp"s).px)
        << name;
    EXPECT_TRUE(PicturePixels(Picture::Artwork(id, 192)).px == AssetPixels(name + "_2x.bmp"s).px)
        << name;
  }
  // The window band ends at x 745 of the 1x bus, dark to the left, the body's light paint right.
  for (const auto& [dpi, width, height] : {std::tuple(144, 1148, 324), std::tuple(120, 956, 270)}) {
    const Pixels bus = PicturePixels(Picture::Artwork(IDB_BUS, dpi));
    ASSERT_EQ(std::pair(bus.width, bus.height), std::pair(width, height)) << dpi;
    const int y = 60 * dpi / 96, edge = 745 * dpi / 96;
    int x = edge - 4;
    while (x < edge + 4 && GetGValue(bus.at(x, y)) < 128) ++x;
    EXPECT_LE(std::abs(x - 745.0 * dpi / 96), 1.0) << dpi;
    EXPECT_LT(GetGValue(bus.at(x - 1, y)), 40) << dpi;  // one pixel between dark and light
    EXPECT_GT(GetGValue(bus.at(x + 1, y)), 230) << dpi;
  }
  // Reduced and enlarged, each half keeps its colour away from the seam; a metafile is played at
  // the new size; the empty picture stays empty.
  TempDir dir;
  WriteBmp(dir.File(L"two.bmp"), 40, 20, 0x0000FF, 0xFF0000);
  WriteEmf(dir.File(L"a.emf"));
  const Picture two = Picture::FromFile(dir.File(L"two.bmp"));
  for (const int width : {30, 50, 80}) {
    const Pixels p = PicturePixels(two.Resampled(width, width / 2));
    ASSERT_EQ(p.width, width);
    for (int x = 0; x < width; ++x) {
      if (std::abs(x - width / 2) <= 1) continue;  // the seam may mix them
      EXPECT_EQ(p.at(x, width / 4), x < width / 2 ? 0x0000FFu : 0xFF0000u) << width << "," << x;
    }
  }
  EXPECT_TRUE(PicturePixels(Picture::FromFile(dir.File(L"a.emf")).Resampled(72, 36)).All(0));
  EXPECT_TRUE(Picture().Resampled(10, 10).empty());
}

}  // namespace
}  // namespace rumona::test
