// The windows at the display's DPI: the artwork, the users' pictures, the door steps and a move
// to a monitor of another DPI. Runs in prefixes at 96, 144 and 192 DPI.
#include <gtest/gtest.h>

#include <cmath>

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

// In one run: the bus drawn for the scale; the users' pictures at their size in twips; the front
// door's stroke, the same in twips at every DPI, a step repainting only when the door's right
// edge moves to another pixel at 96 DPI (two or so at 192), and the last step where it has moved
// since; then a move to a monitor of another DPI. Wine keeps one DPI for all monitors and sends
// no WM_DPICHANGED; a move to another monitor is what the message tells the windows, so the test
// sends it as Windows would.
TEST(Dpi, TheBusPicturesAndDoorStepsFollowTheScaleAndAMoveToAnotherDpiLaysOutAgain) {
  TempDir dir;
  WriteBmp(dir.File(L"sign.bmp"), 52, 32, 0x0000FF);
  WriteBmp(dir.File(L"board.bmp"), 60, 20, 0x00FF00);
  App app;
  Form1& f = app.form();
  const int dpi = f.dpi();
  EXPECT_EQ(dpi, SystemDpi());
  // The roof, above every live piece, pixel for pixel: a hard edge stays one pixel wide.
  ExpectBusRows(f.hwnd(), dpi, dpi * 40 / 96);
  // A picture keeps its size in twips at every scale: 52 x 32 pixels fill the sign box's 780 x
  // 480 twips, and the board takes the 900 x 300 twips of its 60 x 20.
  const auto filled = [&](HWND box, float widthTw, float heightTw, COLORREF colour) {
    const Pixels p = CaptureClient(box, true);
    EXPECT_EQ(std::pair(p.width, p.height),
              std::pair(TwipsToPixels(widthTw, dpi), TwipsToPixels(heightTw, dpi)));
    EXPECT_TRUE(p.All(colour));
  };
  ShowFolder(f, dir.path());
  f.sign.ShowEntry(1);  // "sign.bmp"
  WaitForPictures(f);
  filled(f.Picture1, 780, 480, 0x0000FF);
  f.board.SetPicture(Picture::FromFile(dir.File(L"board.bmp")));
  filled(f.PicKanban, 900, 300, 0x00FF00);

  int steps = 0;
  Swapped<std::function<void()>> observer(doorStepObserver, [&] { ++steps; });
  Swapped<decltype(sndPlaySoundCall)> quiet(sndPlaySoundCall, [](LPCSTR, UINT) { return TRUE; });
  app.panel().SetHScroll1Value(1);
  {
    PaintSpy spy(f.hwnd());
    SendMessageW(app.panel().Check1, BM_CLICK, 0, 0);  // open
    // The frames: the 96-DPI pixel edges the right edge crosses from 345 + 1095 to 345 + 70
    // twips, and the end where the door has moved since at this DPI.
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
    EXPECT_EQ(spy.paints.size(), static_cast<size_t>(edges));
    for (const RECT& r : spy.paints)  // the door's own rectangle at this DPI, no more
      EXPECT_TRUE(r.left >= TwipsToPixels(345, dpi) && r.right <= TwipsToPixels(1440, dpi));
  }

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
    EXPECT_EQ(Edges(RectInParent(hwnd)), Edges(suggested));
  };
  move(f.hwnd(), {40, 30}, {Form1::kClientWidthTw, Form1::kClientHeightTw});
  Pump();
  EXPECT_EQ(f.dpi(), to);
  ExpectBusRows(f.hwnd(), to, to * 40 / 96);
  EXPECT_EQ(Edges(RectInParent(f.Picture1)), Edges(ToPixels(DestinationSign::kBoxRect, to)));
  move(app.panel().hwnd(), {0, 500}, {frmSet::kClientWidthTw, frmSet::kClientHeightTw});
  // "バージョン情報" at 720, 2145, 1515 x 360 twips, in the default font of that DPI, whose line
  // is 9 points high.
  EXPECT_EQ(Edges(RectInParent(app.panel().Command3)), Edges(ToPixels({720, 2145, 1515, 360}, to)));
  EXPECT_EQ(FontOf(app.panel().Command3).lfHeight, (9 * to + 36) / 72);
  for (HWND door : {app.panel().Check1, app.panel().Check2}) {  // the buttons' 50 x 20 pictures
    BITMAP picture{};
    GetObjectW(reinterpret_cast<HBITMAP>(SendMessageW(door, BM_GETIMAGE, IMAGE_BITMAP, 0)),
               sizeof picture, &picture);
    EXPECT_EQ(std::pair(picture.bmWidth, picture.bmHeight),
              std::pair(50L * to / 96, 20L * to / 96));
  }
}

}  // namespace
}  // namespace rumona::test
