// Memory of the running program: heap allocations per tick, and the peak
// resident size after whole runs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstddef>
#include <cstdio>

#include "bench/bench_window.h"
#include "platform/gdi/reading.h"
#include "platform/user/window.h"

// Every heap allocation of the process, Qt's and the C library's included,
// passes through these (operator new calls malloc).
extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
}

namespace {

long g_allocations = 0;  // malloc, calloc and realloc calls in this process

void Tick(HWND hwnd) { SendMessageA(hwnd, WM_TIMER, kTimerId, 0); }

void StartRun(HWND hwnd) {
  SendMessageA(hwnd, WM_KEYDOWN, VK_F1, 1);
  UpdateWindow(hwnd);
  SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 1);
}

// A whole run after a first one has warmed the caches (glyphs, buffers): the
// allocations in the tick messages themselves, in what a screen reader is
// given after each (the texts that changed, and what is said), and in the
// event processing after each, where Qt repaints what changed (the window
// system's share).
void BM_HeapAllocationsPerTick(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  static TextChanges changes;
  TextReader reader;
  Utterance said;
  long inTicks = 0, inReading = 0, inPresent = 0, ticks = 0;
  for (auto _ : state) {
    for (int run = 0; run < 2; ++run) {
      StartRun(hwnd);
      PumpMessagesForTesting();
      for (int i = 0; i < kRunEnd / kPhaseStep; ++i) {
        const long before = g_allocations;
        Tick(hwnd);
        const long drawn = g_allocations;
        ReadTextChanges(hwnd->surface, reader, changes);
        TakeUtterance(hwnd->surface, std::int64_t(i) * 50, said);
        const long read = g_allocations;
        PumpMessagesForTesting();
        if (run == 0) continue;
        inTicks += drawn - before;
        inReading += read - drawn;
        inPresent += g_allocations - read;
        ++ticks;
      }
    }
  }
  state.counters["allocs_per_tick"] = double(inTicks) / double(ticks);
  state.counters["reading_allocs_per_tick"] = double(inReading) / double(ticks);
  state.counters["present_allocs_per_tick"] = double(inPresent) / double(ticks);
}
BENCHMARK(BM_HeapAllocationsPerTick)->Iterations(1)->Unit(benchmark::kMillisecond);

// A readout redrawn in place with new figures, as a translated run draws it,
// `write(i, text)` giving its i-th reading: the heap allocations per drawing,
// in the drawing and in what a screen reader is given, once the first `warm`
// have made what it needs.
double AllocationsPerReadout(UINT align, int warm, int (*write)(int i, char *text)) {
  HWND hwnd = BenchWindow(1000, 700);
  HDC dc = GetDC(hwnd);
  SetTextAlign(dc, align);
  static TextChanges changes;
  TextReader reader;
  Utterance said;
  char text[96];
  long allocations = 0, draws = 0;
  for (int i = 0; i < 1000; ++i) {
    const int n = write(i, text);
    const long before = g_allocations;
    TextOutA(dc, 100, 100, text, n);
    ReadTextChanges(hwnd->surface, reader, changes);
    TakeUtterance(hwnd->surface, std::int64_t(i) * 50, said);
    if (i >= warm) allocations += g_allocations - before, ++draws;
  }
  ReleaseDC(hwnd, dc);
  return double(allocations) / double(draws);
}

// In Japanese and Russian: its glyphs are made when first drawn.
void BM_HeapAllocationsPerCjkReadout(benchmark::State &state) {
  for (auto _ : state)
    state.counters["allocs_per_tick"] = AllocationsPerReadout(TA_LEFT, 1, [](int i, char *text) {
      return std::snprintf(text, 96, "負荷電力 = %d.%03d дБм", i % 20, i);
    });
}
BENCHMARK(BM_HeapAllocationsPerCjkReadout)->Iterations(1)->Unit(benchmark::kMillisecond);

// In Persian, read from the right: each of its twenty readings is shaped
// when first drawn, and kept.
void BM_HeapAllocationsPerRtlReadout(benchmark::State &state) {
  for (auto _ : state)
    state.counters["allocs_per_tick"] =
        AllocationsPerReadout(TA_LEFT | TA_RTLREADING, 20, [](int i, char *text) {
          constexpr const char *kDigits[] = {"۰", "۱", "۲", "۳", "۴", "۵", "۶", "۷", "۸", "۹"};
          return std::snprintf(text, 96, "Z۱ = ۴%s٫%s + j۱۹٫۲ اهم", kDigits[i % 20 / 10 + 5],
                               kDigits[i % 10]);
        });
}
BENCHMARK(BM_HeapAllocationsPerRtlReadout)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PeakResidentSize(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  for (auto _ : state) {
    StartRun(hwnd);
    for (int i = 0; i < kRunEnd / kPhaseStep; ++i) Tick(hwnd);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PeakResidentSize)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

extern "C" {
void *malloc(std::size_t size) {
  ++g_allocations;
  return __libc_malloc(size);
}
void *calloc(std::size_t count, std::size_t size) {
  ++g_allocations;
  return __libc_calloc(count, size);
}
void *realloc(void *p, std::size_t size) {
  ++g_allocations;
  return __libc_realloc(p, size);
}
}
