// The real main window, headless, for the benchmarks.
#pragma once

#include <cstdlib>

#include "app/state.h"
#include "app/wndproc.h"
#include "platform/qt/testing.h"
#include "platform/win.h"

// Made once per process at the given client size and painted.
inline HWND BenchWindow(int width, int height) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static const bool registered = [] {
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = WndProc;
    cls.lpszClassName = "Ondulane";
    return RegisterClassExA(&cls) != 0;
  }();
  (void)registered;
  static HWND hwnd = [] {
    HWND w = CreateWindowExA(0, "Ondulane", "Ondulane", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700,
                             nullptr, nullptr, nullptr, nullptr);
    ShowWindow(w, SW_SHOWDEFAULT);
    return w;
  }();
  ResizeClientForTesting(hwnd, width, height);
  PumpMessagesForTesting();
  InvalidateRect(hwnd, nullptr, 1);
  UpdateWindow(hwnd);
  return hwnd;
}
