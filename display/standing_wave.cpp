#include "display/standing_wave.h"

#include <cmath>

#include "display/pens_fonts.h"
#include "display/phasors.h"
#include "display/resource_text.h"

double g_prevEnvelopeAmp = 50.0;  // amplitude of the last round trip's envelope, 50 per volt

namespace {

constexpr double kLaunchedAmp = 50.0;  // the 1 V wave of a run's first round trip
constexpr double kPi = 3.14159;
constexpr int kPowerAfterDeg = 2870;  // the last four frames of a run print the power
// First frames of the second to fourth round trips, after the last point of
// a return leg and before the next return leg latches its amplitude.
constexpr int kNewRoundTripDeg[] = {720, 1440, 2160};
constexpr int kCaptionRise = 50;  // the captions start this far above the load end
constexpr int kTextIndent = 3;    // character widths right of the load end
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 3 x 2 block whose lower right pixel is (x, y).
void SetBlock(HDC hdc, int x, int y, COLORREF color) {
  for (int dx = 0; dx < 3; ++dx) {
    SetPixel(hdc, x - dx, y, color);
    SetPixel(hdc, x - dx, y - 1, color);
  }
}

void DrawPowerReadout(HDC hdc, const TraceFrame &f) {
  const int x0 = f.traceRight + kTextIndent * f.charWidth;
  const int y1 = f.height / 3;
  WriteResourceText(hdc, x0, y1, IDS_POWER_CAPTION);
  const double dbm = LoadPowerDbm(f.line, f.loadOhms, g_incidentAmp, g_loadArrivalAmp);
  FrameText power;
  WriteText(hdc, x0, y1 + f.lineHeight, {power, std::size_t(PowerText(power, dbm))});
}

void DrawCaptions(HDC hdc, const TraceFrame &f) {
  const int x0 = f.traceRight + kTextIndent * f.charWidth;
  const int y0 = f.traceTop - kCaptionRise;
  WriteResourceText(hdc, x0, y0, IDS_STANDING_WAVE);
  FrameText text;
  WriteText(hdc, x0, y0 + f.lineHeight, {text, std::size_t(RatioText(text, f.line.loadVswr))});
  WriteText(hdc, x0, y0 + 2 * f.lineHeight, {text, std::size_t(RhoText(text, f.line.loadRho))});
}

// Whitens the previous round trip's point at this place, then plots this one's.
void DrawEnvelopePoint(HDC hdc, const TraceFrame &f) {
  const double e = EnvelopeFactor(f.line.loadRho, f.line.loadAboveZo, f.phase);
  const POINT p = f.position;
  SetBlock(hdc, p.x, p.y - EnvelopeHeight(g_prevEnvelopeAmp, e), kWhite);
  SetBlock(hdc, p.x, p.y - EnvelopeHeight(g_fwdMarkAmp[kLoadMark], e), kRed);
}

}  // namespace

double EnvelopeFactor(double loadRho, int loadAboveZo, int phaseDeg) {
  const int twiceFromMiddle = 2 * (180 - phaseDeg);
  const double theta = twiceFromMiddle * kRadPerDegree + kPi * loadAboveZo;
  return std::sqrt(1 + std::pow(loadRho, 2.0) - 2 * loadRho * std::cos(theta));
}

int EnvelopeHeight(double amp, double factor) { return int(amp * factor + 0.5); }

double LoadPowerDbm(const LineQuantities &line, double loadOhms, double incidentAmp,
                    double arrivalAmp) {
  const double reflection = line.loadSide > 0 ? line.loadRho : -line.loadRho;
  const double volts = (incidentAmp + reflection * arrivalAmp) * kInvZo;
  const double watts = volts * volts / loadOhms;
  return 30 + 10 * std::log10(watts);
}

int PowerText(FrameText &out, double dbm) {
  return FormatResourceText(out, kFrameTextChars, IDS_POWER_DBM, dbm);
}
int RatioText(FrameText &out, double loadVswr) {
  return FormatResourceText(out, kFrameTextChars, IDS_RATIO, loadVswr);
}
int RhoText(FrameText &out, double loadRho) {
  return FormatResourceText(out, kFrameTextChars, IDS_RHO, loadRho);
}

void DrawStandingWaveSteps(HDC hdc, const TraceFrame &f) {
  if (f.phase == 0) g_prevEnvelopeAmp = kLaunchedAmp;
  if (f.phase > kPowerAfterDeg) DrawPowerReadout(hdc, f);
  // The frame at the end of a run finds this mix in the context and keeps it,
  // so its figures stay.
  SetROP2(hdc, R2_COPYPEN);
  if (OnReturnLeg(f.phase)) {
    DrawCaptions(hdc, f);
    DrawEnvelopePoint(hdc, f);
  }
  // Not in a return leg's last frame: its erasing drawing would whiten
  // another point than its first drawing did, and keep any line crossing it.
  for (int start : kNewRoundTripDeg)
    if (f.phase == start) g_prevEnvelopeAmp = g_fwdMarkAmp[kLoadMark];
}
