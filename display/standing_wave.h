// The standing-wave envelope plotted behind the returning wavefront, its
// captions beside the load end, and the power readout at the end of a run.
#pragma once

#include "display/trace.h"
#include "platform/win.h"

// The amplitude the previous round trip's envelope was plotted with, so the
// next one can paint it over in white.
extern double g_prevEnvelopeAmp;

// |incident + reflected| relative to the incident wave at the returning
// wavefront of the frame at phaseDeg.
double EnvelopeFactor(double loadRho, int loadAboveZo, int phaseDeg);
// Pixels above the trace position of an envelope point, rounded to the nearest.
int EnvelopeHeight(double amp, double factor);
// Level dissipated in the load, from the incident and the arrived amplitudes.
double LoadPowerDbm(const LineQuantities &line, double loadOhms, double incidentAmp,
                    double arrivalAmp);

int PowerText(FrameText &out, double dbm);
int RatioText(FrameText &out, double loadVswr);
int RhoText(FrameText &out, double loadRho);

// The power readout, the copy mix, the captions and envelope point, and the
// end-of-leg update.
void DrawStandingWaveSteps(HDC hdc, const TraceFrame &frame);
