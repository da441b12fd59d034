// The bounce trace: where the wavefront is on the line, the marks it passes,
// the impedance readouts at those marks and the forward arrow it carries.
#pragma once

#include <string_view>

#include "model/line_model.h"
#include "platform/win.h"

constexpr int kMarkStepDeg = 45;  // an eighth of a wavelength
constexpr int kLoadMark = 8;      // g_fwdMark[8] is the load end

// Amplitude incident on the load, 50 per volt, which is also the forward
// arrow's length in pixels; kept from frame to frame (display/trace_frame.cpp).
extern double g_incidentAmp;

// Screen points recorded on a run's first round trip. g_fwdMark[k] lies k/8
// of a wavelength from the source end (0 the source end, 8 the load end);
// g_zMark[k], k = 1..7, k/8 of a wavelength from the load, where Zk is read.
extern POINT g_fwdMark[9];
extern POINT g_zMark[8];

// What the steps of one frame share: its arguments, the line's ends on the
// screen, the wavefront's position and the model quantities of the frame.
struct TraceFrame {
  int phase;  // degrees travelled since the run began
  int height;
  double loadOhms;
  int charWidth;
  int lineHeight;
  int traceLeft, traceBottom;  // source end of the line
  int traceRight, traceTop;    // load end
  POINT position;              // the wavefront's point on the line; none from the end of a run on
  LineQuantities line;
  int zStep;                // k when this frame prints Zk, else 0
  MarkImpedance impedance;  // Zk, on the frames that print it
};

TraceFrame MakeTraceFrame(int width, int height, int phaseDeg, double loadOhms, int charWidth,
                          int lineHeight, const LineQuantities &line);

// Legs of a run; from the end of a run on there is neither.
bool OnForwardLeg(int phaseDeg);
bool OnReturnLeg(int phaseDeg);
// k (1..7) on the first return leg's frame at which the wave reaches g_zMark[k], else 0.
int ZStepAt(int phaseDeg);

// A text of a frame, formatted on the stack; each formatter returns the
// count of characters to draw.
constexpr int kFrameTextChars = 64;
using FrameText = char[kFrameTextChars];
int VoltsText(FrameText &out, double incidentAmp);
int ZLabelText(FrameText &out, int k);
int ZReadoutText(FrameText &out, int k, const MarkImpedance &z);
// Vertical arrow standing on `base`: a shaft `length` pixels up (down when
// negative) and two 5-pixel head strokes, turned over when m is -1.
void DrawWaveArrow(HDC hdc, POINT base, int length, int m);

// The volts readout, the inverting mix, the trace position, the marks and the
// forward arrow; leaves the green pen and the text font selected.
void DrawTraceSteps(HDC hdc, const TraceFrame &frame);
// Zk's label beside its mark and its readout in the column under the load end.
void DrawZReadout(HDC hdc, const TraceFrame &frame);
