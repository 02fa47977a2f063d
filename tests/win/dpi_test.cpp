// The windows at the display's DPI: the artwork, the users' pictures, the door steps and a move
// to a monitor of another DPI. Runs in prefixes at 96, 144 and 192 DPI.
#include <gtest/gtest.h>

#include <cmath>

#include "doors/doors.h"
#include "doors/sound.h"
#include "test_support.h"

namespace rumona::test {
namespace {

// Rows [0, rows) of the bus as shown, against the artwork drawn for this DPI, where it is drawn
// (96 and 192 DPI; other scales are reduced from the 2x drawing).
void ExpectBusRows(HWND bus, int dpi, int rows) {
  const char* asset = dpi == 96 ? "bus.bmp" : dpi == 192 ? "bus_2x.bmp" : nullptr;
  if (!asset) return;
  const Pixels shown = CaptureClient(bus, true), art = AssetPixels(asset);
  ASSERT_LE(shown.width, art.width);  // its last columns may lie outside the client area
  EXPECT_TRUE(shown.SameIn(art, {0, 0, shown.width, rows})) << asset;
}

TEST(Dpi, TheBusIsDrawnForTheScaleAndTheUsersPicturesKeepTheirSizeInTwips) {
  TempDir dir;
  WriteBmp(dir.File(L"sign.bmp"), 52, 32, 0x0000FF);
  WriteBmp(dir.File(L"board.bmp"), 60, 20, 0x00FF00);
  App app;
  Form1& f = app.form();
  const int dpi = f.dpi();
  EXPECT_EQ(dpi, SystemDpi());
  // The roof, above every live piece, pixel for pixel: a hard edge stays one pixel wide.
  ExpectBusRows(f.hwnd(), dpi, dpi * 40 / 96);
  // A 52 x 32 picture fills the 780 x 480 twips of the sign box at every scale.
  f.sign.StoreFolder(dir.path());
  ASSERT_FALSE(f.picDir());
  f.sign.ShowEntry(1);  // "sign.bmp"
  WaitForPictures(f);
  const Pixels sign = CaptureClient(f.Picture1, true);
  EXPECT_EQ(std::pair(sign.width, sign.height),
            std::pair(TwipsToPixels(780, dpi), TwipsToPixels(480, dpi)));
  EXPECT_TRUE(sign.All(0x0000FF));
  // The board sizes itself to its picture in twips: 60 x 20 pixels are 900 x 300 twips.
  f.board.SetPicture(Picture::FromFile(dir.File(L"board.bmp")));
  const Pixels board = CaptureClient(f.PicKanban, true);
  EXPECT_EQ(std::pair(board.width, board.height),
            std::pair(TwipsToPixels(900, dpi), TwipsToPixels(300, dpi)));
  EXPECT_TRUE(board.All(0x00FF00));
  EXPECT_EQ(f.board.Rect(), (RectTw{7425, 1665, 900, 300}));
}

std::vector<RECT> g_paints;
WNDPROC g_proc;
LRESULT CALLBACK Spy(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  RECT r;
  if (msg == WM_PAINT && GetUpdateRect(hwnd, &r, FALSE)) g_paints.push_back(r);
  return CallWindowProcW(g_proc, hwnd, msg, wp, lp);
}

// The stroke is the same in twips at every DPI; a step repaints only when the door's right edge
// moves to another pixel at 96 DPI (two or so at 192), and the last step where it has moved since.
TEST(Dpi, TheFrontDoorStepsOneTwipAndRepaintsOnlyWhenItsEdgeMovesA96thOfAnInch) {
  App app;
  Form1& f = app.form();
  const int dpi = f.dpi();
  int steps = 0;
  Swapped<std::function<void()>> observer(doorStepObserver, [&] { ++steps; });
  Swapped<decltype(sndPlaySoundCall)> quiet(sndPlaySoundCall, [](LPCSTR, UINT) { return TRUE; });
  app.panel().SetHScroll1Value(1);
  g_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(f.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Spy)));
  g_paints.clear();
  SendMessageW(app.panel().Check1, BM_CLICK, 0, 0);  // open
  SetWindowLongPtrW(f.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_proc));
  // The frames: the 96-DPI pixel edges the right edge crosses from 345 + 1095 to 345 + 70 twips,
  // and the end where the door has moved since at this DPI.
  const auto px = [](int w, int at) { return std::lround((345.0 + w) * at / 1440); };
  int edges = 0, shown = 1095;
  for (int w = 1094; w >= 70; --w)
    if (px(w, std::min(dpi, 96)) != px(shown, std::min(dpi, 96))) {
      ++edges;
      shown = w;
    }
  edges += px(shown, dpi) != px(70, dpi);
  EXPECT_EQ(steps, 1026);
  EXPECT_EQ(f.Image1.rect.width, 70);
  EXPECT_EQ(g_paints.size(), static_cast<size_t>(edges));
  for (const RECT& r : g_paints)  // the door's own rectangle at this DPI, no more
    EXPECT_TRUE(r.left >= TwipsToPixels(345, dpi) && r.right <= TwipsToPixels(1440, dpi));
}

// Wine keeps one DPI for all monitors and sends no WM_DPICHANGED; a move to another monitor is
// what the message tells the windows, so the test sends it as Windows would.
TEST(Dpi, AMoveToAMonitorOfAnotherDpiTakesTheSuggestedRectangleAndLaysOutAgain) {
  App app;
  Form1& f = app.form();
  const int from = f.dpi(), to = from == 192 ? 96 : 192;
  // The system suggests the client area scaled, in the frame the window has on that monitor.
  const auto move = [&](HWND hwnd, POINT at, SIZE clientTw) {
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    RECT suggested{at.x, at.y,
                   at.x + outer.right - outer.left - client.right + TwipsToPixels(clientTw.cx, to),
                   at.y + outer.bottom - outer.top - client.bottom + TwipsToPixels(clientTw.cy, to)};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    RECT now;
    GetWindowRect(hwnd, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
  };
  move(f.hwnd(), {40, 30}, {Form1::kClientWidthTw, Form1::kClientHeightTw});
  Pump();
  EXPECT_EQ(f.dpi(), to);
  ExpectBusRows(f.hwnd(), to, to * 40 / 96);
  const RECT sign = RectInParent(f.Picture1);  // 4425, 675, 780 x 480 twips
  const RectPx box = ToPixels(DestinationSign::kBoxRect, to);
  EXPECT_EQ(std::vector<LONG>({sign.left, sign.top, sign.right, sign.bottom}),
            std::vector<LONG>({box.left, box.top, box.right, box.bottom}));
  move(app.panel().hwnd(), {0, 500}, {frmSet::kClientWidthTw, frmSet::kClientHeightTw});
  // "バージョン情報" at 720, 2145, 1515 x 360 twips, in the default font of that DPI, whose line
  // is 9 points high.
  const RECT version = RectInParent(app.panel().Command3);
  const RectPx expected = ToPixels({720, 2145, 1515, 360}, to);
  EXPECT_EQ(std::vector<LONG>({version.left, version.top, version.right, version.bottom}),
            std::vector<LONG>({expected.left, expected.top, expected.right, expected.bottom}));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(app.panel().Command3, WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(font.lfHeight, (9 * to + 36) / 72);
  for (HWND door : {app.panel().Check1, app.panel().Check2}) {  // the buttons' 50 x 20 pictures
    BITMAP picture{};
    GetObjectW(reinterpret_cast<HBITMAP>(SendMessageW(door, BM_GETIMAGE, IMAGE_BITMAP, 0)),
               sizeof picture, &picture);
    EXPECT_EQ(std::vector<LONG>({picture.bmWidth, picture.bmHeight}),
              std::vector<LONG>({50 * to / 96, 20 * to / 96}));
  }
}

}  // namespace
}  // namespace rumona::test
