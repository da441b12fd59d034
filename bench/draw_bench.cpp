#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/bench_window.h"

namespace {

void BM_FullRepaint1000x700(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  for (auto _ : state) {
    InvalidateRect(hwnd, nullptr, 1);
    UpdateWindow(hwnd);
  }
}
BENCHMARK(BM_FullRepaint1000x700)->Unit(benchmark::kMicrosecond);

void BM_NotXorLineAcrossTheWindow(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  HDC hdc = GetDC(hwnd);
  SelectObject(hdc, g_greenPen);
  SetROP2(hdc, R2_NOTXORPEN);
  for (auto _ : state) {
    MoveToEx(hdc, 0, 650, nullptr);
    LineTo(hdc, 999, 50);
  }
  ReleaseDC(hwnd, hdc);
}
BENCHMARK(BM_NotXorLineAcrossTheWindow)->Unit(benchmark::kMicrosecond);

void BM_TextOutReadout(benchmark::State &state) {
  HWND hwnd = BenchWindow(1000, 700);
  HDC hdc = GetDC(hwnd);
  SelectObject(hdc, g_textFont);
  const char *text = "0.965V";
  for (auto _ : state) TextOutA(hdc, 104, 430, text, int(std::strlen(text)));
  ReleaseDC(hwnd, hdc);
}
BENCHMARK(BM_TextOutReadout)->Unit(benchmark::kMicrosecond);

}  // namespace
