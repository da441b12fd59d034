// A white surface of its own, off any window, 400 by 300 device pixels
// unless asked otherwise, drawn on in the stock font (16 pixels high, digits
// all as wide), for tests of the drawing core.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"
#include "tests/app/test_window.h"

struct Sheet {
  static constexpr int kLine = 16;  // the stock font's cell
  explicit Sheet(int width = 400, int height = 300, double scale = 1.0)
      : width(width), pixels(std::size_t(width) * std::size_t(height)) {
    AttachPixels(surface, pixels.data(), width, height, width, scale);
    FillSurface(surface, kWhite);
    dc = OpenContext(surface);
  }
  ~Sheet() {
    CloseContext(dc);
    for (HGDIOBJ o : owned) DeleteObject(o);
  }
  Sheet(const Sheet &) = delete;
  Sheet &operator=(const Sheet &) = delete;

  void Text(int x, int y, const std::string &text, bool opaque = true, UINT align = TA_LEFT) {
    SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
    SetTextAlign(dc, align | TA_TOP);
    TextOutA(dc, x, y, text.data(), int(text.size()));
  }
  // Selects a pen or a font that the sheet deletes when it goes.
  void Select(HGDIOBJ object) {
    owned.push_back(object);
    SelectObject(dc, object);
  }
  void Pen(COLORREF color, int width = 2) { Select(CreatePen(PS_SOLID, width, color)); }
  void Line(int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  }
  void Line(COLORREF color, int x0, int y0, int x1, int y1) {
    Pen(color);
    Line(x0, y0, x1, y1);
  }
  int Width(const std::string &text) {
    Text(0, 280, text);
    int width = 0;
    for (int i = 0; i < surface.texts.count; ++i)
      if (surface.texts.texts[i].Text() == text) width = surface.texts.texts[i].box.Width();
    FillSurface(surface, kWhite);
    return width;
  }

  int width;  // device pixels in a row
  std::vector<std::uint32_t> pixels;
  Surface surface;
  HDC dc;
  std::vector<HGDIOBJ> owned;
};
