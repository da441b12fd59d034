// A surface of 400 by 300 pixels of its own, drawn on in the stock font
// (16 pixels high, digits all as wide), for tests of what the drawing core
// keeps of the texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"
#include "tests/app/test_window.h"

struct Sheet {
  static constexpr int kLine = 16;  // the stock font's cell
  Sheet() {
    AttachPixels(surface, pixels.data(), 400, 300, 400, 1.0);
    FillSurface(surface, kWhite);
    dc = OpenContext(surface);
  }
  ~Sheet() { CloseContext(dc); }
  void Text(int x, int y, const std::string &text, bool opaque = true, UINT align = TA_LEFT) {
    SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
    SetTextAlign(dc, align | TA_TOP);
    TextOutA(dc, x, y, text.data(), int(text.size()));
  }
  void Line(int mix, int x0, int y0, int x1, int y1) {
    SetROP2(dc, mix);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SetROP2(dc, R2_COPYPEN);
  }
  int Width(const std::string &text) {
    Text(0, 280, text);
    int width = 0;
    for (int i = 0; i < surface.texts.count; ++i)
      if (surface.texts.texts[i].Text() == text) width = surface.texts.texts[i].box.Width();
    FillSurface(surface, kWhite);
    return width;
  }

  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(400 * 300);
  Surface surface;
  HDC dc;
};
