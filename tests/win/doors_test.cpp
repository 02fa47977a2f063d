#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "doors/doors.h"
#include "doors/sound.h"
#include "test_support.h"

namespace rumona::test {
namespace {

using Bytes = std::vector<BYTE>;

Bytes ReadAsset(const char* name) {
  Bytes bytes;
  if (FILE* f = std::fopen((std::string(RUMONA_ASSETS_DIR) + "/" + name).c_str(), "rb")) {
    BYTE buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
  }
  EXPECT_FALSE(bytes.empty()) << name;
  return bytes;
}

// The geometry of the doors after one step.
struct Step {
  float front;
  RectTw left, right;
};

// Watches the doors move: records every step, and runs `during` at each one.
class StepRecorder {
 public:
  explicit StepRecorder(Form1& form) {
    doorStepObserver = [this, &form] {
      steps.push_back(Step{form.Image1.rect.width, form.imgNakaorido[0].rect,
                           form.imgNakaorido[1].rect});
      if (during) during();
    };
  }
  ~StepRecorder() { doorStepObserver = nullptr; }
  std::vector<float> FrontWidths(size_t from = 0) const {
    std::vector<float> w;
    for (size_t i = from; i < steps.size(); ++i) w.push_back(steps[i].front);
    return w;
  }
  std::vector<Step> steps;
  std::function<void()> during;
};

// Stands in for the platform's player: records each call with the image it was handed.
class SoundRecorder {
 public:
  struct Call {
    bool stop;
    UINT flags;
    Bytes image;        // the wave image at the address given, as long as its RIFF header says
    Bytes bufferAtCall; // what the module's buffer held at that moment
    size_t stepsBefore;
  };
  explicit SoundRecorder(const StepRecorder* steps = nullptr) {
    sndPlaySoundCall = [this, steps](LPCSTR sound, UINT flags) {
      Call c{sound == nullptr, flags, {}, LoadedSoundData(), steps ? steps->steps.size() : 0};
      if (sound) {
        const auto* p = reinterpret_cast<const BYTE*>(sound);
        const DWORD riffSize = p[4] | p[5] << 8 | p[6] << 16 | static_cast<DWORD>(p[7]) << 24;
        c.image.assign(p, p + riffSize + 8);
      }
      calls.push_back(std::move(c));
      return TRUE;
    };
  }
  ~SoundRecorder() {
    sndPlaySoundCall = [](LPCSTR sound, UINT flags) { return sndPlaySoundA(sound, flags); };
  }
  std::vector<Call> Plays() const {
    std::vector<Call> plays;
    for (const Call& c : calls)
      if (!c.stop) plays.push_back(c);
    return plays;
  }
  std::vector<Call> calls;
};

std::vector<float> Widths(float from, float to) {
  std::vector<float> w;
  const float step = from <= to ? 1.0f : -1.0f;
  for (float x = from; from <= to ? x <= to : x >= to; x += step) w.push_back(x);
  return w;
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

TEST(FrontDoor, OpensTo70AndClosesTo1095OneTwipAStep) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll1Value(1);
  StepRecorder rec(f);
  Click(p.Check1);
  EXPECT_EQ(p.Check1Value(), 1);  // the button stays pressed while the door stands open
  EXPECT_EQ(rec.FrontWidths(), Widths(1095, 70));
  EXPECT_EQ(f.Image1.rect.width, 70);
  const size_t opened = rec.steps.size();
  Click(p.Check1);
  EXPECT_EQ(p.Check1Value(), 0);
  EXPECT_EQ(rec.FrontWidths(opened), Widths(70, 1095));
  // Only the width moves; the middle door stays as it is.
  EXPECT_EQ(f.Image1.rect.left, 345);
  EXPECT_EQ(f.Image1.rect.top, 705);
  EXPECT_EQ(f.Image1.rect.height, 2220);
  for (const Step& s : rec.steps) {
    ASSERT_EQ(s.left.width, 795);
    ASSERT_EQ(s.right.left, 6330);
  }
}

TEST(FrontDoor, ClosingStartsAt70AndOpeningAtTheRoundedWidth) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll1Value(1);
  StepRecorder rec(f);
  // A half-open door closes from 70 all the same.
  f.Image1.rect.width = 500.5f;
  f.Check1_Click();
  EXPECT_EQ(rec.FrontWidths(), Widths(70, 1095));
  SendMessageW(p.Check1, BM_SETCHECK, BST_CHECKED, 0);
  for (float now : {600.5f, 601.5f}) {
    rec.steps.clear();
    f.Image1.rect.width = now;
    f.Check1_Click();
    EXPECT_EQ(rec.FrontWidths(), Widths(now == 600.5f ? 600 : 602, 70)) << now;
  }
  // Already narrower than fully open: nothing moves.
  rec.steps.clear();
  f.Image1.rect.width = 69.25f;
  f.Check1_Click();
  EXPECT_TRUE(rec.steps.empty());
  EXPECT_EQ(f.Image1.rect.width, 69.25f);
}

// A 32-bit top-down copy of a rectangle of the window's client area.
class Capture {
 public:
  Capture(HDC like, const RECT& r) : r_(r) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = r.right - r.left;
    bi.bmiHeader.biHeight = -(r.bottom - r.top);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    mem_ = CreateCompatibleDC(like);
    bmp_ = CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(mem_, bmp_);
  }
  ~Capture() {
    SelectObject(mem_, old_);
    DeleteObject(bmp_);
    DeleteDC(mem_);
  }
  void From(HDC source, int x, int y) {
    BitBlt(mem_, 0, 0, r_.right - r_.left, r_.bottom - r_.top, source, x, y, SRCCOPY);
    GdiFlush();
  }
  bool operator==(const Capture& o) const {
    const size_t n = static_cast<size_t>(r_.right - r_.left) * (r_.bottom - r_.top) * 4;
    return std::memcmp(bits_, o.bits_, n) == 0;
  }

 private:
  RECT r_;
  HDC mem_;
  HBITMAP bmp_;
  HGDIOBJ old_;
  void* bits_ = nullptr;
};

// Whether a rectangle of the window shows on screen what a fresh drawing of its state gives.
bool ScreenMatchesState(HWND hwnd, const RECT& r) {
  HDC dc = GetDC(hwnd);
  Capture screen(dc, r), rendered(dc, r);
  screen.From(dc, r.left, r.top);
  RECT client;
  GetClientRect(hwnd, &client);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP whole = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ old = SelectObject(mem, whole);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  rendered.From(mem, r.left, r.top);
  SelectObject(mem, old);
  DeleteObject(whole);
  DeleteDC(mem);
  ReleaseDC(hwnd, dc);
  return screen == rendered;
}

// Records the rectangle of every WM_PAINT the bus window receives.
std::vector<RECT>* g_paints = nullptr;
WNDPROC g_formProc = nullptr;
LRESULT CALLBACK RecordPaint(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT && g_paints) {
    RECT r;
    if (GetUpdateRect(hwnd, &r, FALSE)) g_paints->push_back(r);
  }
  return CallWindowProcW(g_formProc, hwnd, msg, wp, lp);
}

TEST(FrontDoor, EachStepIsOnScreenBeforeItsDelayAndRepaintsOnlyTheDoor) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll1Value(1);
  HWND hwnd = f.hwnd();
  Pump();
  std::vector<RECT> paints;
  g_paints = &paints;
  g_formProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordPaint)));
  const RECT door = PxRect(345, 705, 1095, 2220);
  StepRecorder rec(f);
  int mismatches = 0, pending = 0;
  rec.during = [&] {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) ++pending;
    // A missed repaint would show for the 15 steps until the next pixel edge: every third step
    // is enough to see it, and keeps the full redraws this check needs few.
    if (rec.steps.size() % 3 == 0 && !ScreenMatchesState(hwnd, door)) ++mismatches;
  };
  Click(p.Check1);
  Click(p.Check1);
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_formProc));
  g_paints = nullptr;
  ASSERT_EQ(rec.steps.size(), 2052u);
  EXPECT_EQ(pending, 0);
  EXPECT_EQ(mismatches, 0);
  // The door's picture is redrawn whenever its right pixel edge moves, and nothing else is.
  EXPECT_GE(paints.size(), 2u * (73 - 5));
  EXPECT_LT(paints.size(), 2052u);
  for (const RECT& r : paints) {
    RECT inside;
    IntersectRect(&inside, &r, &door);
    EXPECT_TRUE(EqualRect(&inside, &r)) << r.left << "," << r.top << "-" << r.right << ","
                                         << r.bottom;
  }
}

TEST(FrontDoor, AClickDuringTheMovementIsHandledAfterIt) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll1Value(1);
  StepRecorder rec(f);
  std::vector<int> buttonDuringOpening;
  rec.during = [&] {
    if (rec.steps.size() == 10) PostMessageW(p.Check1, BM_CLICK, 0, 0);
    if (rec.steps.size() <= 1026) buttonDuringOpening.push_back(p.Check1Value());
  };
  Click(p.Check1);
  // The click waited in the queue: the opening ran to its end undisturbed.
  EXPECT_EQ(rec.FrontWidths(), Widths(1095, 70));
  EXPECT_EQ(std::count(buttonDuringOpening.begin(), buttonDuringOpening.end(), 1), 1026);
  Pump();
  // Then it released the button and closed the door.
  EXPECT_EQ(p.Check1Value(), 0);
  EXPECT_EQ(rec.FrontWidths(1026), Widths(70, 1095));
}

struct Option {
  int index;
  bool left, right;  // which leaves move
};
constexpr Option kOptions[] = {{0, true, true}, {1, true, false}, {2, false, true}};

TEST(MiddleDoor, MovesTheLeavesTheOptionChoosesAndKeepsTheRightEdge) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll2Value(1);
  SoundRecorder sound;
  for (const Option& o : kOptions) {
    p.SelectOption1(o.index);
    StepRecorder rec(f);
    Click(p.Check2);
    Click(p.Check2);
    ASSERT_EQ(rec.steps.size(), 2u * 686) << o.index;
    std::vector<float> moving;
    for (const Step& s : rec.steps) {
      moving.push_back(o.left ? s.left.width : s.right.width);
      ASSERT_EQ(s.left.left, 5535);
      ASSERT_EQ(s.right.left + s.right.width, 7125);
      if (o.left && o.right) {
        ASSERT_EQ(s.left.width, s.right.width);
      }
      if (!o.left) {
        ASSERT_EQ(s.left.width, 795);
      }
      if (!o.right) {
        ASSERT_EQ(s.right.width, 795);
      }
    }
    std::vector<float> expected = Widths(795, 110), closing = Widths(110, 795);
    expected.insert(expected.end(), closing.begin(), closing.end());
    EXPECT_EQ(moving, expected) << o.index;
    if (o.right) {
      EXPECT_EQ(rec.steps[685].right.left, 7015);
    }
    EXPECT_EQ(f.imgNakaorido[1].rect.left, 6330);
    EXPECT_EQ(f.imgNakaorido[0].rect.width, 795);
    // The leaves' bounds in the window stay where they were designed.
    EXPECT_EQ(f.imgNakaorido[0].rect.top, 750);
    EXPECT_EQ(f.imgNakaorido[1].rect.height, 2235);
  }
}

TEST(MiddleDoor, EachStepIsOnScreenBeforeItsDelay) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll2Value(1);
  SoundRecorder sound;
  HWND hwnd = f.hwnd();
  Pump();
  const RECT doorway = PxRect(5535, 750, 1590, 2235);
  StepRecorder rec(f);
  int mismatches = 0, pending = 0;
  rec.during = [&] {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) ++pending;
    if (rec.steps.size() % 3 == 0 && !ScreenMatchesState(hwnd, doorway)) ++mismatches;
  };
  for (int option : {0, 2}) {
    p.SelectOption1(option);
    Click(p.Check2);
    Click(p.Check2);
  }
  ASSERT_EQ(rec.steps.size(), 4u * 686);
  EXPECT_EQ(pending, 0);
  EXPECT_EQ(mismatches, 0);
}

TEST(MiddleDoor, OpeningStartsFromTheRoundedWidthOfTheLeadingLeaf) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll2Value(1);
  SoundRecorder sound;
  SendMessageW(p.Check2, BM_SETCHECK, BST_CHECKED, 0);
  StepRecorder rec(f);
  // Both: the left leaf sets the start, and the right leaf is given the left one's width.
  f.imgNakaorido[0].rect.width = 300.5f;
  f.Check2_Click();
  ASSERT_EQ(rec.steps.size(), 191u);
  EXPECT_EQ(rec.steps.front().left.width, 300);
  EXPECT_EQ(rec.steps.front().right.width, 300);
  EXPECT_EQ(rec.steps.front().right.left, 6825);
  // Right alone: the right leaf's own width.
  rec.steps.clear();
  p.SelectOption1(2);
  f.imgNakaorido[0].rect.width = 795;
  f.imgNakaorido[1].rect = RectTw{6724.5f, 750, 400.5f, 2235};
  f.Check2_Click();
  ASSERT_EQ(rec.steps.size(), 291u);
  EXPECT_EQ(rec.steps.front().right.width, 400);
  EXPECT_EQ(rec.steps.front().left.width, 795);
  // Narrower than fully open: no step, though the buzzer sounds.
  rec.steps.clear();
  sound.calls.clear();
  f.imgNakaorido[1].rect.width = 109.25f;
  f.Check2_Click();
  EXPECT_TRUE(rec.steps.empty());
  EXPECT_EQ(sound.Plays().size(), 1u);
}

TEST(MiddleDoor, OpeningBuzzerPlaysBeforeTheLeavesMoveAndClosingBuzzerAsTheyStart) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll2Value(1);
  StepRecorder rec(f);
  SoundRecorder sound(&rec);
  Click(p.Check2);
  ASSERT_EQ(sound.Plays().size(), 1u);
  const auto opening = sound.Plays()[0];
  EXPECT_EQ(opening.flags, 6u);  // synchronous, from memory, no default sound
  EXPECT_EQ(opening.stepsBefore, 0u);
  EXPECT_EQ(opening.image, ReadAsset("buzzer101.wav"));
  EXPECT_EQ(rec.steps.size(), 686u);

  Click(p.Check2);
  ASSERT_EQ(sound.Plays().size(), 2u);
  const auto closing = sound.Plays()[1];
  EXPECT_EQ(closing.flags, 7u);  // the same, asynchronous
  EXPECT_EQ(closing.stepsBefore, 686u);
  EXPECT_EQ(closing.image, ReadAsset("buzzer102.wav"));
  EXPECT_EQ(rec.steps.size(), 2u * 686);
  // The front door is silent.
  sound.calls.clear();
  p.SetHScroll1Value(1);
  Click(p.Check1);
  EXPECT_TRUE(sound.calls.empty());
}

TEST(MiddleDoor, OptionGroupIsLockedWhileTheDoorIsOpen) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll2Value(1);
  SoundRecorder sound;
  StepRecorder rec(f);
  std::vector<bool> enabled;
  rec.during = [&] {
    enabled.push_back(IsWindowEnabled(p.Frame2) || IsWindowEnabled(p.Option1[1]));
  };
  Click(p.Check2);
  EXPECT_FALSE(IsWindowEnabled(p.Frame2));
  ASSERT_EQ(enabled.size(), 686u);
  EXPECT_EQ(std::count(enabled.begin(), enabled.end(), true), 0);  // locked before the first step
  Click(p.Check2);
  EXPECT_TRUE(IsWindowEnabled(p.Frame2));
  ASSERT_EQ(enabled.size(), 2u * 686);
  EXPECT_EQ(std::count(enabled.begin() + 686, enabled.end(), false), 0);
}

TEST(MiddleDoor, AClickDuringTheOpeningIsHandledAfterIt) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll2Value(1);
  SoundRecorder sound;
  StepRecorder rec(f);
  bool pressedThroughout = true;
  rec.during = [&] {
    if (rec.steps.size() == 5) PostMessageW(p.Check2, BM_CLICK, 0, 0);
    if (rec.steps.size() <= 686) pressedThroughout = pressedThroughout && p.Check2Value() == 1;
  };
  Click(p.Check2);
  EXPECT_TRUE(pressedThroughout);
  EXPECT_EQ(rec.steps.size(), 686u);
  EXPECT_EQ(sound.Plays().size(), 1u);
  Pump();
  EXPECT_EQ(p.Check2Value(), 0);
  EXPECT_TRUE(IsWindowEnabled(p.Frame2));
  EXPECT_EQ(rec.steps.size(), 2u * 686);
  EXPECT_EQ(f.imgNakaorido[0].rect.width, 795);
  ASSERT_EQ(sound.Plays().size(), 2u);
  EXPECT_EQ(sound.Plays()[1].flags, 7u);
}

TEST(MiddleDoor, MovesAsUsualWhereNoSoundCanBePlayed) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  p.SetHScroll2Value(1);
  // The real player: under the test display there is no sound device.
  Click(p.Check2);
  EXPECT_EQ(f.imgNakaorido[0].rect.width, 110);
  EXPECT_EQ(f.imgNakaorido[1].rect.width, 110);
  Click(p.Check2);
  EXPECT_EQ(f.imgNakaorido[1].rect.left, 6330);
  EXPECT_EQ(FindOwnWindow(L"カナテラ"), nullptr);
}

TEST(Sound, EachPlayReloadsTheResourceAndStopsTheSoundItReplaces) {
  SoundRecorder sound;
  const Bytes close = ReadAsset("buzzer102.wav"), open = ReadAsset("buzzer101.wav");
  PlayWaveAsync(102);
  PlayWaveAsync(102);
  PlayWaveSync(101);
  // Every load of a new image is preceded by a stop, made while the buffer still held the
  // sound that may be playing from it.
  std::vector<const SoundRecorder::Call*> plays;
  for (size_t i = 0; i < sound.calls.size(); ++i) {
    const auto& c = sound.calls[i];
    if (c.stop) continue;
    if (!plays.empty()) {
      ASSERT_GT(i, 0u);
      const auto& before = sound.calls[i - 1];
      EXPECT_TRUE(before.stop) << i;
      EXPECT_EQ(before.bufferAtCall, plays.back()->image) << i;
    }
    plays.push_back(&c);
  }
  ASSERT_EQ(plays.size(), 3u);
  EXPECT_EQ(plays[0]->image, close);
  EXPECT_EQ(plays[0]->flags, 7u);
  EXPECT_EQ(plays[1]->image, close);
  EXPECT_EQ(plays[2]->image, open);
  EXPECT_EQ(plays[2]->flags, 6u);
  EXPECT_EQ(LoadedSoundData(), open);
}

TEST(Sound, OnlyTheAsynchronousPlayRunsThePendingEventsOnce) {
  App app;
  frmSet& p = app.panel();
  SoundRecorder sound;
  p.SetHScroll1Value(100);
  auto postStep = [&] {
    PostMessageW(p.FrameA, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(p.HScroll1));
  };
  postStep();
  PlayWaveSync(101);
  EXPECT_EQ(p.HScroll1Value(), 100);
  PlayWaveAsync(102);
  EXPECT_EQ(p.HScroll1Value(), 101);
  postStep();
  Pump();
  EXPECT_EQ(p.HScroll1Value(), 102);
}

}  // namespace
}  // namespace rumona::test
