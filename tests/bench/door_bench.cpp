// Measures the door animation: what one step costs, how long whole strokes take against the
// linear model 1026 x S x 100 ns, and a step's repaint next to a full-window one. Prints only;
// run it under the same display as the program.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bus_window/form1.h"
#include "doors/doors.h"
#include "doors/doors_logic.h"
#include "doors/sound.h"
#include "doors/step_timer.h"
#include "panel/frm_set.h"

using namespace rumona;

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * v.size()))];
}

int64_t ThreadCpuNs() {
  FILETIME create, exit, kernel, user;
  GetThreadTimes(GetCurrentThread(), &create, &exit, &kernel, &user);
  auto ns = [](FILETIME t) {
    return (static_cast<int64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) * 100;
  };
  return ns(kernel) + ns(user);
}

struct Stroke {
  double wallMs = 0, cpuMs = 0;
  std::vector<double> intervalsUs;  // between consecutive steps being shown
  std::vector<bool> repainted;      // whether the step moved a pixel edge
  std::vector<double> shownUs;      // when each step was shown, from the first one
};

// One front-door stroke toward the panel's current button state, timed step by step.
Stroke FrontStroke(Form1& form) {
  Stroke s;
  int64_t last = 0;
  RectPx lastPx = ToPixels(form.Image1.rect);
  doorStepObserver = [&] {
    const int64_t now = NowNs();
    const RectPx px = ToPixels(form.Image1.rect);
    s.shownUs.push_back(last ? s.shownUs.back() + (now - last) / 1000.0 : 0);
    if (last) {
      s.intervalsUs.push_back((now - last) / 1000.0);
      s.repainted.push_back(!(px == lastPx));
    }
    last = now;
    lastPx = px;
  };
  const int64_t cpu0 = ThreadCpuNs(), t0 = NowNs();
  form.Check1_Click();
  s.wallMs = (NowNs() - t0) / 1e6;
  s.cpuMs = (ThreadCpuNs() - cpu0) / 1e6;
  doorStepObserver = nullptr;
  return s;
}

Stroke Toggle(Form1& form, frmSet& panel) {
  SendMessageW(panel.Check1, BM_SETCHECK, panel.Check1Value() ? BST_UNCHECKED : BST_CHECKED, 0);
  return FrontStroke(form);
}

template <class F>
std::vector<double> TimeEach(int n, F f) {
  std::vector<double> us;
  for (int i = 0; i < n; ++i) {
    const int64_t t0 = NowNs();
    f();
    us.push_back((NowNs() - t0) / 1000.0);
  }
  return us;
}

}  // namespace

int wmain() {
  OleInitialize(nullptr);
  sndPlaySoundCall = [](LPCSTR, UINT) { return TRUE; };  // the bench measures steps, not sounds
  Form1 form;
  form.endProcess = [] {};
  if (!form.Create()) {
    std::printf("could not create the bus window\n");
    return 1;
  }
  frmSet& panel = frmSet::Get();
  Pump();
  {
    StepTimer probe;
    std::printf("step timer: %s\n", probe.highResolution()
                                        ? "high-resolution waitable timer + spin"
                                        : "waitable timer at 1 ms period + spin");
  }

  // 0. How late the platform's sleeps wake: what the spin has to cover.
  {
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, 0x2, TIMER_ALL_ACCESS);
    if (!timer) timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    for (int us : {200, 500, 2000}) {
      std::vector<double> over;
      for (int i = 0; i < 200; ++i) {
        LARGE_INTEGER due;
        due.QuadPart = -us * 10;
        const int64_t t0 = NowNs();
        SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
        WaitForSingleObject(timer, INFINITE);
        over.push_back((NowNs() - t0) / 1000.0 - us);
      }
      std::printf("waitable timer of %4d us wakes late by: median %.0f us, p90 %.0f us, max %.0f us\n",
                  us, Median(over), Percentile(over, 0.9), Percentile(over, 1.0));
    }
    CloseHandle(timer);
  }

  // 1. Steps with the shortest delay: the cost of showing a step.
  panel.SetHScroll1Value(1);  // the scroll bar's minimum: 100 ns a step
  std::vector<double> all, repainting, still;
  for (int i = 0; i < 6; ++i) {
    const Stroke s = Toggle(form, panel);
    for (size_t k = 0; k < s.intervalsUs.size(); ++k) {
      all.push_back(s.intervalsUs[k]);
      (s.repainted[k] ? repainting : still).push_back(s.intervalsUs[k]);
    }
  }
  double sum = 0;
  for (double v : all) sum += v;
  std::printf("\none step at S=1 (100 ns delay; S=0 cannot be set on the panel), %zu steps:\n",
              all.size());
  std::printf("  median %.1f us, mean %.1f us, p99 %.1f us\n", Median(all), sum / all.size(),
              Percentile(all, 0.99));
  std::printf("  steps that move a pixel edge (%zu): median %.1f us\n", repainting.size(),
              Median(repainting));
  std::printf("  steps within the same pixel (%zu): median %.2f us\n", still.size(),
              Median(still));

  // 2. Whole strokes against the linear model.
  std::printf("\nfront door stroke (1026 steps), open and close:\n");
  std::printf("  %6s %11s %11s %8s %8s %17s\n", "S", "model ms", "measured ms", "error %",
              "CPU %", "late us p50/p99");
  for (int speed : {100, 1000, 10000, 30000}) {
    panel.SetHScroll1Value(speed);
    const double model = 1026.0 * speed * kNanosecondsPerCount / 1e6;
    for (int i = 0; i < 2; ++i) {
      const Stroke s = Toggle(form, panel);
      // How late each step that drew nothing was shown against its place on the schedule
      // (step k due k delays after step 0).
      std::vector<double> late;
      const double delayUs = speed * kNanosecondsPerCount / 1000.0;
      for (size_t k = 1; k < s.shownUs.size(); ++k)
        if (!s.repainted[k - 1]) late.push_back(s.shownUs[k] - k * delayUs);
      std::printf("  %6d %11.2f %11.2f %+8.2f %8.1f %8.1f/%-8.1f %s\n", speed, model, s.wallMs,
                  (s.wallMs - model) / model * 100, s.cpuMs / s.wallMs * 100, Median(late),
                  Percentile(late, 0.99), i == 0 ? "open" : "close");
    }
  }
  std::printf("  (late: when a step that draws nothing is shown, against start + k x S x 100 ns)\n");

  // Middle door, both leaves, at S = 10000: 686 steps.
  panel.SetHScroll2Value(10000);
  panel.SelectOption1(0);
  for (int i = 0; i < 2; ++i) {
    SendMessageW(panel.Check2, BM_SETCHECK, i == 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    const int64_t t0 = NowNs();
    form.Check2_Click();
    const double ms = (NowNs() - t0) / 1e6, model = 686.0 * 10000 * kNanosecondsPerCount / 1e6;
    std::printf("middle door stroke (686 steps) at S=10000: %.2f ms, model %.2f ms, error %+.2f %%"
                " (%s)\n", ms, model, (ms - model) / model * 100, i == 0 ? "open" : "close");
  }
  Pump();

  // 3. A step's repaint next to a full-window one.
  const RectTw door = form.Image1.rect;  // closed: the widest the door gets
  const RectTw doorway = MovingLeavesBounds(Leaves::Both, form.imgNakaorido[0].rect,
                                            form.imgNakaorido[1].rect);
  HWND hwnd = form.hwnd();
  const auto doorUs = TimeEach(300, [&] { form.RepaintNow(door, door); });
  const auto doorwayUs = TimeEach(300, [&] { form.RepaintNow(doorway, doorway); });
  const auto clientUs = TimeEach(300, [&] {
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
  });
  HDC screen = GetDC(hwnd);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP whole = CreateCompatibleBitmap(screen, 764, 216);
  HGDIOBJ old = SelectObject(mem, whole);
  const auto offscreenUs = TimeEach(300, [&] {
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  });
  SelectObject(mem, old);
  DeleteObject(whole);
  DeleteDC(mem);
  ReleaseDC(hwnd, screen);
  const auto windowUs = TimeEach(300, [&] {
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  const RectPx d = ToPixels(door), w = ToPixels(doorway);
  std::printf("\nrepaint, median of 300:\n");
  std::printf("  front door rect %dx%d px: %.1f us\n", d.width(), d.height(), Median(doorUs));
  std::printf("  middle doorway %dx%d px:  %.1f us\n", w.width(), w.height(), Median(doorwayUs));
  std::printf("  whole client area 764x216 px: %.1f us (%.1fx the door)\n", Median(clientUs),
              Median(clientUs) / Median(doorUs));
  std::printf("  whole window with frame and children: %.1f us\n", Median(windowUs));
  std::printf("  whole client area drawn off screen only (no window update): %.1f us\n",
              Median(offscreenUs));

  frmSet::Destroy();
  OleUninitialize();
  return 0;
}
