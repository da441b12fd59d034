// Memory of the running program: heap allocations per tick once a run is
// under way, and the peak resident size after whole runs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "bench/bench_window.h"

namespace {

std::atomic<long> g_allocations{0};  // operator new calls in this process

void Tick(HWND hwnd) { SendMessageA(hwnd, WM_TIMER, kTimerId, 0); }

void BM_HeapAllocationsPerTick(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  long allocations = 0, ticks = 0;
  for (auto _ : state) {
    SendMessageA(hwnd, WM_KEYDOWN, VK_F1, 1);
    UpdateWindow(hwnd);
    SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 1);
    for (int i = 0; i < 100; ++i) Tick(hwnd);  // past the first marks
    long before = g_allocations;
    for (int i = 0; i < 800; ++i) Tick(hwnd);
    allocations += g_allocations - before;
    ticks += 800;
  }
  state.counters["allocs_per_tick"] = double(allocations) / double(ticks);
}
BENCHMARK(BM_HeapAllocationsPerTick)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_PeakResidentSize(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  for (auto _ : state) {
    SendMessageA(hwnd, WM_KEYDOWN, VK_F1, 1);
    UpdateWindow(hwnd);
    SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 1);
    for (int i = 0; i < 960; ++i) Tick(hwnd);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PeakResidentSize)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

void *operator new(std::size_t size) {
  ++g_allocations;
  if (void *p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
