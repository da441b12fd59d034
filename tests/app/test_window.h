// The real main window with the real window procedure, for tests and tools
// that paint, tick and press keys.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "app/state.h"
#include "app/wndproc.h"
#include "display/scene.h"
#include "platform/user/testing.h"
#include "platform/win.h"

// The smallest rectangle holding every pixel of `color` in `area`, right and
// bottom inclusive; left is -1 when there is none.
inline RECT InkBox(HDC hdc, COLORREF color, RECT area) {
  RECT box{-1, -1, -1, -1};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (GetPixel(hdc, x, y) == color) {
        if (box.left < 0 || x < box.left) box.left = x;
        if (box.top < 0) box.top = y;
        box.right = std::max<LONG>(box.right, x);
        box.bottom = y;
      }
  return box;
}

inline bool operator==(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
inline std::ostream &operator<<(std::ostream &out, POINT p) {
  return out << "(" << p.x << ", " << p.y << ")";
}
inline bool operator==(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream &operator<<(std::ostream &out, const RECT &r) {
  return out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

// Registers a class of windows drawn anew when resized.
inline bool RegisterWindowClass(const char *name, WNDPROC procedure) {
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.style = CS_HREDRAW | CS_VREDRAW;
  cls.lpfnWndProc = procedure;
  cls.lpszClassName = name;
  return RegisterClassExA(&cls) != 0;
}

class TestWindow {
 public:
  explicit TestWindow(double loadOhms = 75.0, double sourceOhms = 35.0) {
    static const bool registered = RegisterWindowClass("Ondulane", WndProc);
    EXPECT_TRUE(registered);
    g_running = 0;
    g_phaseDeg = 0;
    g_startArrowDrawn = 0;
    g_loadOhms = loadOhms;
    g_sourceOhms = sourceOhms;
    hwnd = CreateWindowExA(0, "Ondulane", "Ondulane", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700, nullptr,
                           nullptr, nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOWDEFAULT);
    PumpMessagesForTesting();
    Paint();
  }
  ~TestWindow() {
    DestroyWindow(hwnd);
    PumpMessagesForTesting();  // takes the quit message the window posts
  }
  TestWindow(const TestWindow &) = delete;
  TestWindow &operator=(const TestWindow &) = delete;

  void Paint() {
    InvalidateRect(hwnd, nullptr, 1);
    UpdateWindow(hwnd);
  }
  void Key(int vk) { WndProc(hwnd, WM_KEYDOWN, WPARAM(vk), 1); }
  void Tick() { WndProc(hwnd, WM_TIMER, kTimerId, 0); }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) Tick();
  }
  TEXTMETRICA Metrics(HFONT font) const {
    HDC hdc = GetDC(hwnd);
    SelectObject(hdc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    ReleaseDC(hwnd, hdc);
    return tm;
  }
  COLORREF Pixel(int x, int y) const {
    HDC hdc = GetDC(hwnd);
    COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(hwnd, hdc);
    return c;
  }
  RECT InkBox(COLORREF color, RECT area) const {
    HDC hdc = GetDC(hwnd);
    const RECT box = ::InkBox(hdc, color, area);
    ReleaseDC(hwnd, hdc);
    return box;
  }

  HWND hwnd = nullptr;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
