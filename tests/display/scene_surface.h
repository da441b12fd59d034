// A window whose paint only erases it, with the program's pens and fonts: the
// schematic and its panels can be drawn onto white one routine at a time.
#pragma once

#include <gtest/gtest.h>

#include "app/header.h"
#include "app/state.h"
#include "app/win.h"
#include "app/win_testing.h"
#include "tests/app/test_window.h"  // the colours

inline LRESULT BlankSurfaceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  EndPaint(hwnd, &ps);
  return 0;
}

class BlankSurface : public ::testing::Test {
 protected:
  void SetUp() override {
    // The middle row of font sizes: a text cell of at most 15 pixels, so rows
    // 16 pixels apart leave a line of background between them.
    SetScreenWidthForTesting(1000);
    CreatePensAndFonts();
    SetScreenWidthForTesting(0);
    static const bool registered = [] {
      WNDCLASSEXA cls{};
      cls.cbSize = sizeof cls;
      cls.lpfnWndProc = BlankSurfaceProc;
      cls.lpszClassName = "BlankSurface";
      return RegisterClassExA(&cls) != 0;
    }();
    ASSERT_TRUE(registered);
    hwnd_ = CreateWindowExA(0, "BlankSurface", "BlankSurface", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700,
                            nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd_, nullptr);
    Erase();
  }

  void TearDown() override {
    EndDrawing();
    if (hwnd_) DestroyWindow(hwnd_);
    DeletePensAndFonts();
  }

  // Paints the whole client area white; ends any drawing in progress.
  void Erase() {
    EndDrawing();
    InvalidateRect(hwnd_, nullptr, 1);
    UpdateWindow(hwnd_);
  }

  // A device context for the client area, kept until Erase or the end of the test.
  HDC Dc() {
    if (!dc_) dc_ = GetDC(hwnd_);
    return dc_;
  }

  COLORREF Pixel(int x, int y) { return GetPixel(Dc(), x, y); }

  // Blackens the pixels from (left, top) up to, not including, (right, bottom).
  void FillBlack(int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) SetPixel(Dc(), x, y, kBlack);
  }

  // Height of a text cell of g_textFont.
  int TextCellHeight() {
    HGDIOBJ old = SelectObject(Dc(), g_textFont);
    TEXTMETRICA tm{};
    GetTextMetricsA(Dc(), &tm);
    SelectObject(Dc(), old);
    return tm.tmHeight;
  }

  HWND hwnd_ = nullptr;

 private:
  void EndDrawing() {
    if (dc_) ReleaseDC(hwnd_, dc_);
    dc_ = nullptr;
  }

  HDC dc_ = nullptr;
};
