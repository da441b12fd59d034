// A blank window on which animation frames are drawn straight, with the
// layout the figures of the frame are given for: 1000 by 700, character
// width 8, line height 16.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/state.h"
#include "app/win.h"
#include "display/trace_frame.h"
#include "tests/display/scene_surface.h"

inline std::string Where(POINT p) {
  return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

class TraceSurface : public BlankSurface {
 protected:
  static constexpr int kWidth = 1000, kHeight = 700, kCharWidth = 8, kLineHeight = 16;

  void SetUp() override {
    BlankSurface::SetUp();
    Use(75.0, 35.0);
  }

  void Use(double loadOhms, double sourceOhms) {
    g_loadOhms = loadOhms;
    g_sourceOhms = sourceOhms;
  }

  void Frame(int phase) {
    DrawTraceFrame(Dc(), kWidth, kHeight, phase, g_loadOhms, kCharWidth, kLineHeight);
  }

  // The frames of a run before `phase`, each once, which brings the marks and
  // amplitudes to where that frame finds them; then a white screen again.
  void RunUpTo(int phase) {
    for (int p = 0; p < phase; p += kPhaseStep) Frame(p);
    Erase();
  }

  // After a text was drawn over a black patch, the corner of its white
  // background box: (x, y) is the top left pixel of the box.
  void ExpectBoxTopLeftAt(int x, int y) {
    SCOPED_TRACE("text box at " + Where({x, y}));
    EXPECT_EQ(Pixel(x, y), kWhite);
    EXPECT_EQ(Pixel(x - 1, y), kBlack);
    EXPECT_EQ(Pixel(x, y - 1), kBlack);
  }
  // The same for a right-aligned text ending at x: the box ends just before it.
  void ExpectBoxTopRightAt(int x, int y) {
    SCOPED_TRACE("right-aligned text box at " + Where({x, y}));
    EXPECT_EQ(Pixel(x - 1, y), kWhite);
    EXPECT_EQ(Pixel(x, y), kBlack);
    EXPECT_EQ(Pixel(x - 1, y - 1), kBlack);
  }
  // A black patch around a text's anchor, for the box corner checks.
  void BlackenAround(int x, int y) { FillBlack(x - 4, y - 4, x + 4, y + 4); }

  // How many pixels of the colour lie in the rectangle, right and bottom excluded.
  int CountColour(COLORREF colour, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += Pixel(x, y) == colour;
    return n;
  }
  int CountColour(COLORREF colour) { return CountColour(colour, 0, 0, kWidth, kHeight); }
};
