#include "display/trace_frame.h"

#include "display/phasors.h"
#include "display/standing_wave.h"
#include "display/trace.h"
#include "model/line_model.h"
#include "model/resistances.h"

double g_incidentAmp = 0.0;  // amplitude incident on the load, 50 per volt

// Draws everything that moves, inverted below the end of a run so the same
// call a tick later takes it away again.
void DrawTraceFrame(HDC hdc, int width, int height, int phaseDeg, double loadOhms, int charWidth,
                    int lineHeight) {
  const LineQuantities line = ComputeLineQuantities(g_sourceOhms, loadOhms, phaseDeg);
  g_incidentAmp = NextIncidentAmp(line, g_sourceOhms, loadOhms, phaseDeg, g_incidentAmp);
  TraceFrame frame = MakeTraceFrame(width, height, phaseDeg, loadOhms, charWidth, lineHeight, line);
  if (frame.zStep != 0) frame.impedance = ComputeMarkImpedance(line.loadRho, loadOhms, frame.zStep);

  DrawTraceSteps(hdc, frame);
  DrawPhasorSteps(hdc, frame);
  // After the lines: a text drawn over a line between its two drawings would
  // keep the line's pixels when the second drawing inverts them back.
  DrawZReadout(hdc, frame);
  DrawStandingWaveSteps(hdc, frame);
}
