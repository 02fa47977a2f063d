#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "doors/doors.h"
#include "doors/sound.h"
#include "test_support.h"

namespace rumona::test {
namespace {

struct Door {
  int option;  // -1: the front door, else the middle door's option
  float open, closed;
  RECT area;  // where its steps may repaint
};
const Door kDoors[] = {{-1, 70, 1095, PxRect(345, 705, 1095, 2220)},
                       {0, 110, 795, PxRect(5535, 750, 1590, 2235)},
                       {1, 110, 795, PxRect(5535, 750, 795, 2235)},
                       {2, 110, 795, PxRect(6330, 750, 795, 2235)}};

// Records the bus window's paints and how many steps had run when WM_APP was handled.
std::vector<RECT> g_paints;
size_t g_handledAt, g_steps;
WNDPROC g_proc;
LRESULT CALLBACK Spy(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  RECT r;
  if (msg == WM_PAINT && GetUpdateRect(hwnd, &r, FALSE)) g_paints.push_back(r);
  if (msg == WM_APP) g_handledAt = g_steps;
  return CallWindowProcW(g_proc, hwnd, msg, wp, lp);
}

std::vector<BYTE> Asset(const char* name) {
  std::ifstream f(std::string(RUMONA_ASSETS_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

class Doors : public ::testing::TestWithParam<Door> {};

// Each door opened and closed once at the fastest speed, every step, paint and sound recorded.
TEST_P(Doors, StepShowEachStepAtOnceHandleNoMessageAndBuzzInOrder) {
  const Door& d = GetParam();
  App app;
  Form1& f = app.form();
  HWND hwnd = f.hwnd();
  const std::vector<BYTE> open = Asset("buzzer101.wav"), close = Asset("buzzer102.wav");
  std::vector<std::array<size_t, 3>> plays;
  std::vector<float> widths, still;  // still: the other doors and the fixed edges
  std::vector<size_t> handled;
  sndPlaySoundCall = [&](LPCSTR s, UINT flags) {  // 0: a stop; the sound the buffer held
    const auto& b = LoadedSoundData();
    plays.push_back({s ? flags : 0, b == open ? 101u : b == close ? 102u : 0u, widths.size()});
    return TRUE;
  };
  app.panel().SetHScroll1Value(1);
  app.panel().SetHScroll2Value(1);
  if (d.option >= 0) app.panel().SelectOption1(d.option);
  int unshown = 0;  // steps not on screen before their delay
  doorStepObserver = [&] {
    const RectTw &l = f.imgNakaorido[0].rect, &r = f.imgNakaorido[1].rect;
    const float front = f.Image1.rect.width;
    widths.push_back(d.option < 0 ? front : d.option == 2 ? r.width : l.width);
    still.push_back(f.Image1.rect.left + l.left + r.left + r.width +
                    (d.option < 0   ? l.width + r.width
                     : d.option > 0 ? front + (d.option == 1 ? r.width : l.width) : front));
    g_steps = widths.size();
    unshown += GetUpdateRect(hwnd, nullptr, FALSE) ||
               (g_steps % 4 == 0 && !CaptureClient(hwnd, true).SameIn(CaptureClient(hwnd), d.area));
    if (g_steps % 600 == 3) PostMessageW(hwnd, WM_APP, 0, 0);
  };
  Pump();
  g_paints.clear();
  g_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, LONG_PTR(&Spy)));
  for (int i = 0; i < 2; ++i) {
    g_handledAt = SIZE_MAX;
    PostMessageW(hwnd, WM_APP, 0, 0);  // pending when the stroke starts
    SendMessageW(d.option < 0 ? app.panel().Check1 : app.panel().Check2, BM_CLICK, 0, 0);
    handled.push_back(g_handledAt);
    Pump();
    handled.push_back(g_handledAt);
  }
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_proc));
  doorStepObserver = nullptr;
  sndPlaySoundCall = [](LPCSTR s, UINT flags) { return sndPlaySoundA(s, flags); };
  std::vector<float> expected;
  for (float w = d.closed; w >= d.open; --w) expected.push_back(w);
  for (float w = d.open; w <= d.closed; ++w) expected.push_back(w);
  EXPECT_EQ(widths, expected);
  EXPECT_EQ(std::count(still.begin(), still.end(), still.front()), std::ssize(still));
  const size_t n = widths.size() / 2;
  EXPECT_EQ(unshown, 0);
  for (const RECT& r : g_paints) {
    RECT inside;
    IntersectRect(&inside, &r, &d.area);
    EXPECT_TRUE(EqualRect(&inside, &r)) << r.left << "," << r.top << "-" << r.right;
  }
  // Only the middle door's close handles what is pending, once, before its first step.
  EXPECT_EQ(handled, (std::vector<size_t>{SIZE_MAX, n, d.option < 0 ? SIZE_MAX : n, 2 * n}));
  // The opening buzzer to its end before the first step; the player stopped while its buffer
  // still held that sound; the closing buzzer started before the leaves move. The front is silent.
  if (!plays.empty() && plays[0][0] == 0) plays.erase(plays.begin());  // an earlier test's sound
  const decltype(plays) want{{6, 101, 0}, {0, 101, n}, {7, 102, n}};
  EXPECT_EQ(plays, d.option < 0 ? decltype(plays){} : want);
}

INSTANTIATE_TEST_SUITE_P(Each, Doors, ::testing::ValuesIn(kDoors), [](const auto& info) {
  return std::string(std::array{"Front", "MiddleBoth", "MiddleLeft", "MiddleRight"}[info.index]);
});

}  // namespace
}  // namespace rumona::test
