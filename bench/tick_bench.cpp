// The animation tick: two frames drawn into the window and what changed shown.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "app/state.h"
#include "app/wndproc.h"
#include "bench/bench_window.h"
#include "platform/qt/testing.h"
#include "platform/user/window.h"
#include "platform/win.h"

namespace {

constexpr int kTicksPerRun = kRunEnd / kPhaseStep;

using Clock = std::chrono::steady_clock;

double MicrosecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// A repaint starts a run from phase 0; ENTER would set this.
void StartRun(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, 1);
  UpdateWindow(hwnd);
  g_running = 1;
}

// Each iteration is one whole run, every tick timed on its own: the time
// reported is the mean tick, the counters the median and the worst tick over
// the runs and the phase the worst one started from. With range(2) set, each
// tick also lets the window system repaint the changed part of the window.
void BM_Tick(benchmark::State &state) {
  HWND hwnd = BenchWindow(int(state.range(0)), int(state.range(1)));
  const bool present = state.range(2) != 0;
  std::vector<double> ticks;
  double worst = 0;
  int worstPhase = 0;
  for (auto _ : state) {
    StartRun(hwnd);
    PumpMessagesForTesting();
    double run = 0;
    while (g_running) {
      const int phase = g_phaseDeg;
      const Clock::time_point start = Clock::now();
      WndProc(hwnd, WM_TIMER, kTimerId, 0);
      if (present) PumpMessagesForTesting();
      const double us = MicrosecondsSince(start);
      run += us;
      ticks.push_back(us);
      if (us > worst) {
        worst = us;
        worstPhase = phase;
      }
    }
    state.SetIterationTime(run * 1e-6 / kTicksPerRun);
  }
  std::sort(ticks.begin(), ticks.end());
  state.counters["median_us"] = ticks.empty() ? 0 : ticks[ticks.size() / 2];
  state.counters["worst_us"] = worst;
  state.counters["worst_phase"] = worstPhase;
  state.counters["ticks"] = double(ticks.size());
}
BENCHMARK(BM_Tick)
    ->ArgNames({"width", "height", "present"})
    ->Args({1000, 700, 0})
    ->Args({1920, 1080, 0})
    ->Args({1000, 700, 1})
    ->Args({1920, 1080, 1})
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// A whole run of 960 ticks as fast as they go, without the repaint before it.
void BM_WholeRun(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  for (auto _ : state) {
    StartRun(hwnd);
    const Clock::time_point start = Clock::now();
    while (g_running) WndProc(hwnd, WM_TIMER, kTimerId, 0);
    state.SetIterationTime(MicrosecondsSince(start) * 1e-6);
  }
  state.counters["ticks_per_s"] =
      benchmark::Counter(double(kTicksPerRun) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeRun)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

// The floor of what a tick must show: the pixels it really changes, against
// the bounding box of those pixels (what showing one rectangle would copy).
void BM_PixelsChangedPerTick(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  double changed = 0, boxed = 0, ticks = 0;
  for (auto _ : state) {
    StartRun(hwnd);
    PumpMessagesForTesting();
    while (g_running) {
      // The screen image the window manager keeps: device pixels, row by row.
      const std::vector<std::uint32_t> before = hwnd->pixels;
      WndProc(hwnd, WM_TIMER, kTimerId, 0);
      const std::vector<std::uint32_t> &after = hwnd->pixels;
      const int width = hwnd->surface.width, height = hwnd->surface.height;
      int left = width, top = height, right = -1, bottom = -1;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          if (before[std::size_t(y) * width + x] != after[std::size_t(y) * width + x]) {
            ++changed;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = y;
          }
      if (right >= 0) boxed += double(right - left + 1) * (bottom - top + 1);
      ++ticks;
    }
  }
  state.counters["changed_px"] = changed / ticks;
  state.counters["bounding_box_px"] = boxed / ticks;
}
BENCHMARK(BM_PixelsChangedPerTick)->Iterations(1)->Unit(benchmark::kMillisecond);
