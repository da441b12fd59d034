#include "display/phasors.h"

#include <cmath>

#include "display/pens_fonts.h"

double g_fwdMarkAmp[9];   // [1..8], latched at phase 45k of each round trip
double g_zMarkAmp[8];     // [1..7], latched at phase 360 + 45k of each round trip
double g_loadArrivalAmp;  // latched at phase 360 of each round trip

namespace {

constexpr int kZMarks = 7;
constexpr double kHeadAngle = 2.356;  // head strokes, radians either side of the shaft
constexpr double kHeadLength = 7.0;   // pixels

// Angle at phase 0, radians; an eighth of a turn less per eighth of a
// wavelength from the source end.
constexpr double kForwardOffset[kLoadMark + 1] = {
    1.570795, 0.7853975, 0, -0.7853975, -1.570795, -2.3561925, -3.14159, 2.3561925, 1.570795,
};
// The same per eighth of a wavelength from the load; [0] is the load end.
constexpr double kReflectedOffset[kZMarks + 1] = {
    1.570795, 0.7853975, 0, -0.7853975, -1.570795, -2.3561925, -3.14159, -3.9269875,
};

// A phasor of length rho x amp at `angle` (counter-clockwise, radians) from
// `base`; m = -1 turns it half a turn about the base, m = 0 shrinks it to the base.
void DrawPhasor(HDC hdc, POINT base, double angle, double rho, double amp, int m) {
  const POINT tip{base.x + m * int(std::cos(angle) * rho * amp),
                  base.y - m * int(std::sin(angle) * rho * amp)};
  MoveToEx(hdc, base.x, base.y, nullptr);
  LineTo(hdc, tip.x, tip.y);
  LineTo(hdc, tip.x + m * int(kHeadLength * std::cos(angle + kHeadAngle)),
         tip.y - m * int(kHeadLength * std::sin(angle + kHeadAngle)));
  MoveToEx(hdc, tip.x, tip.y, nullptr);
  LineTo(hdc, tip.x + m * int(kHeadLength * std::cos(angle - kHeadAngle)),
         tip.y - m * int(kHeadLength * std::sin(angle - kHeadAngle)));
}

// A latch fires on both drawings of its frame, with the same value, so the
// erasing drawing matches; it keeps the old amplitude until the new round
// trip's wavefront reaches the mark.
void Latch(double &amp, int phaseDeg, int passDeg) {
  if (phaseDeg % kRoundTripDeg == passDeg) amp = g_incidentAmp;
}

}  // namespace

void DrawPhasorSteps(HDC hdc, const TraceFrame &f) {
  const double turned = f.phase * kRadPerDegree;
  constexpr double kForward = 1.0;

  if (f.phase > 0)
    DrawPhasor(hdc, g_fwdMark[0], turned + kForwardOffset[0], kForward, g_incidentAmp, 1);
  for (int k = 1; k <= kLoadMark; ++k) {
    const int passDeg = k * kMarkStepDeg;
    Latch(g_fwdMarkAmp[k], f.phase, passDeg);
    if (f.phase >= passDeg)
      DrawPhasor(hdc, g_fwdMark[k], turned + kForwardOffset[k], kForward, g_fwdMarkAmp[k], 1);
  }

  SelectObject(hdc, g_redPen);
  const int m = f.line.loadSide;
  const double rho = f.line.loadRho;
  // A matched load reflects nothing. Its red figures would all be lines of no
  // length, which the window system still draws as dots, so none is drawn.
  const bool reflects = m != 0;
  if (reflects && OnReturnLeg(f.phase))
    DrawWaveArrow(hdc, f.position, int(m * rho * g_incidentAmp), m);

  Latch(g_loadArrivalAmp, f.phase, kLegDeg);
  if (reflects && f.phase >= kLegDeg)
    DrawPhasor(hdc, g_fwdMark[kLoadMark], turned + kReflectedOffset[0], rho, g_loadArrivalAmp, m);
  for (int k = 1; k <= kZMarks; ++k) {
    const int passDeg = kLegDeg + k * kMarkStepDeg;
    Latch(g_zMarkAmp[k], f.phase, passDeg);
    if (reflects && f.phase >= passDeg)
      DrawPhasor(hdc, g_zMark[k], turned + kReflectedOffset[k], rho, g_zMarkAmp[k], m);
  }
}
