// Reading whole screens and saving the animation's state, for the tests of
// the animation frame.
#pragma once

#include <QImage>
#include <algorithm>
#include <cstring>
#include <string>

#include "app/qt_internal.h"
#include "app/win.h"
#include "display/phasors.h"
#include "display/standing_wave.h"
#include "display/trace.h"

// The window's screen image itself: whole screens are compared a row at a
// time, far faster than pixel by pixel through GetPixel.
inline const QImage &ScreenOf(HWND hwnd) { return hwnd->screen; }

// How many pixels differ between two screens, and where the first one is.
struct Difference {
  int count = 0;
  int x = -1, y = -1;
  std::string Describe() const {
    return std::to_string(count) + " pixels differ, the first at (" + std::to_string(x) + ", " +
           std::to_string(y) + ")";
  }
};

inline Difference Compare(const QImage &a, const QImage &b) {
  Difference d;
  if (a.size() != b.size() || a.format() != b.format()) {
    d.count = -1;
    return d;
  }
  const std::size_t rowBytes = std::size_t(a.width()) * sizeof(QRgb);
  for (int y = 0; y < a.height(); ++y) {
    const auto *ra = reinterpret_cast<const QRgb *>(a.constScanLine(y));
    const auto *rb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
    if (std::memcmp(ra, rb, rowBytes) == 0) continue;
    for (int x = 0; x < a.width(); ++x)
      if (ra[x] != rb[x] && d.count++ == 0) {
        d.x = x;
        d.y = y;
      }
  }
  return d;
}

// Everything a frame reads or writes that outlives it.
struct AnimationState {
  double incidentAmp;
  POINT fwdMark[9];
  POINT zMark[8];
  double fwdMarkAmp[9];
  double zMarkAmp[8];
  double loadArrivalAmp;
  double prevEnvelopeAmp;
};

inline AnimationState SaveAnimationState() {
  AnimationState s{};
  s.incidentAmp = g_incidentAmp;
  std::copy(std::begin(g_fwdMark), std::end(g_fwdMark), s.fwdMark);
  std::copy(std::begin(g_zMark), std::end(g_zMark), s.zMark);
  std::copy(std::begin(g_fwdMarkAmp), std::end(g_fwdMarkAmp), s.fwdMarkAmp);
  std::copy(std::begin(g_zMarkAmp), std::end(g_zMarkAmp), s.zMarkAmp);
  s.loadArrivalAmp = g_loadArrivalAmp;
  s.prevEnvelopeAmp = g_prevEnvelopeAmp;
  return s;
}

inline void RestoreAnimationState(const AnimationState &s) {
  g_incidentAmp = s.incidentAmp;
  std::copy(std::begin(s.fwdMark), std::end(s.fwdMark), g_fwdMark);
  std::copy(std::begin(s.zMark), std::end(s.zMark), g_zMark);
  std::copy(std::begin(s.fwdMarkAmp), std::end(s.fwdMarkAmp), g_fwdMarkAmp);
  std::copy(std::begin(s.zMarkAmp), std::end(s.zMarkAmp), g_zMarkAmp);
  g_loadArrivalAmp = s.loadArrivalAmp;
  g_prevEnvelopeAmp = s.prevEnvelopeAmp;
}
