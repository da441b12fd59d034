#include "display/trace.h"

#include "display/pens_fonts.h"
#include "display/resource_text.h"

POINT g_fwdMark[9];  // forward marks, source end (0) to load end (8)
POINT g_zMark[8];    // Z marks 1..7, counted from the load; [0] unused

namespace {

constexpr int kBarb = 5;          // head strokes of the wave arrows, pixels in each axis
constexpr int kZSteps = 7;        // Z1 to Z7
constexpr int kVoltsIndent = 2;   // character widths between the volts readout and the line
constexpr int kLabelOffset = 10;  // a Z label sits this far left of and below its mark

// Forward legs run from the source end, return legs from the load end; each
// quotient is truncated on its own, so a place on the way back may lie a pixel
// off the same place on the way out.
POINT TracePosition(const TraceFrame &f) {
  const int dx = f.traceRight - f.traceLeft;
  const int dy = f.traceTop - f.traceBottom;
  const int o = f.phase % kLegDeg;
  if (OnForwardLeg(f.phase))
    return {f.traceLeft + (dx * o) / kLegDeg, f.traceBottom + (dy * o) / kLegDeg};
  return {f.traceRight - (dx * o) / kLegDeg, f.traceTop - (dy * o) / kLegDeg};
}

void RecordMarks(const TraceFrame &f) {
  if (f.phase > kLegDeg + kZSteps * kMarkStepDeg) return;
  if (f.phase % kMarkStepDeg != 0) return;
  const int step = f.phase / kMarkStepDeg;  // eighths of a wavelength travelled, 0..15
  if (step <= kLoadMark)
    g_fwdMark[step] = f.position;
  else
    g_zMark[step - kLoadMark] = f.position;
}

}  // namespace

TraceFrame MakeTraceFrame(int width, int height, int phaseDeg, double loadOhms, int charWidth,
                          int lineHeight, const LineQuantities &line) {
  TraceFrame f{};
  f.phase = phaseDeg;
  f.height = height;
  f.loadOhms = loadOhms;
  f.charWidth = charWidth;
  f.lineHeight = lineHeight;
  f.traceLeft = width / 10 + 20;
  f.traceBottom = (3 * height) / 4 - 71;
  f.traceRight = (3 * width) / 4;
  f.traceTop = height / 4;
  f.line = line;
  if (phaseDeg < kRunEnd) f.position = TracePosition(f);
  f.zStep = ZStepAt(phaseDeg);
  return f;
}

bool OnForwardLeg(int phaseDeg) {
  return phaseDeg >= 0 && phaseDeg < kRunEnd && (phaseDeg / kLegDeg) % 2 == 0;
}

bool OnReturnLeg(int phaseDeg) {
  return phaseDeg >= 0 && phaseDeg < kRunEnd && (phaseDeg / kLegDeg) % 2 == 1;
}

int ZStepAt(int phaseDeg) {
  const int sinceLoad = phaseDeg - kLegDeg;
  if (sinceLoad <= 0 || sinceLoad % kMarkStepDeg != 0) return 0;
  const int k = sinceLoad / kMarkStepDeg;
  return k <= kZSteps ? k : 0;
}

int VoltsText(FrameText &out, double incidentAmp) {
  return FormatResourceText(out, kFrameTextChars, IDS_LOAD_VOLTS, incidentAmp * kInvZo);
}

int ZLabelText(FrameText &out, int k) {
  return FormatResourceText(out, kFrameTextChars, IDS_Z_MARK, k);
}

int ZReadoutText(FrameText &out, int k, const MarkImpedance &z) {
  if (z.real) return FormatResourceText(out, kFrameTextChars, IDS_Z_REAL, k, z.r);
  return FormatResourceText(out, kFrameTextChars, z.inductive ? IDS_Z_INDUCTIVE : IDS_Z_CAPACITIVE,
                            k, z.r, z.x);
}

void DrawWaveArrow(HDC hdc, POINT base, int length, int m) {
  const POINT tip{base.x, base.y - length};
  MoveToEx(hdc, base.x, base.y, nullptr);
  LineTo(hdc, tip.x, tip.y);
  LineTo(hdc, tip.x + kBarb * m, tip.y + kBarb * m);
  MoveToEx(hdc, tip.x, tip.y, nullptr);
  LineTo(hdc, tip.x - kBarb * m, tip.y + kBarb * m);
}

void DrawTraceSteps(HDC hdc, const TraceFrame &f) {
  SelectObject(hdc, g_textFont);
  SetTextAlign(hdc, TA_RIGHT | TA_TOP);
  FrameText volts;
  WriteText(hdc, f.traceLeft - kVoltsIndent * f.charWidth, f.traceBottom - int(1.5 * f.lineHeight),
            {volts, std::size_t(VoltsText(volts, g_incidentAmp))});
  SetTextAlign(hdc, TA_LEFT | TA_TOP);

  // Every line below the end of a run is drawn inverted: the caller draws
  // each frame twice, a tick apart, and the second drawing takes it away.
  if (f.phase < kRunEnd) SetROP2(hdc, R2_NOTXORPEN);
  SelectObject(hdc, g_greenPen);
  if (f.phase < kRunEnd) {
    MoveToEx(hdc, f.position.x, f.position.y, nullptr);
    RecordMarks(f);
  }
  if (OnForwardLeg(f.phase)) DrawWaveArrow(hdc, f.position, int(g_incidentAmp), 1);
}

void DrawZReadout(HDC hdc, const TraceFrame &f) {
  const int k = f.zStep;
  if (k == 0) return;
  // The quarter-wave labels stand where a phasor points straight down
  // through them; drawn without a background box, they hide less of it.
  if (k == 2 || k == 6) SetBkMode(hdc, TRANSPARENT);
  FrameText text;
  WriteText(hdc, g_zMark[k].x - kLabelOffset, g_zMark[k].y + kLabelOffset,
            {text, std::size_t(ZLabelText(text, k))});
  WriteText(hdc, f.traceRight, f.height / 2 + (k - 1) * f.lineHeight,
            {text, std::size_t(ZReadoutText(text, k, f.impedance))});
}
