// The rotating phasors of the forward and the reflected wave at the marks,
// and the reflected arrow that rides on the returning wavefront.
#pragma once

#include "display/trace.h"
#include "platform/win.h"

// 1/57.293 rather than pi/180: a phasor turns once in 359.98 degrees of phase.
constexpr double kRadPerDegree = 0.01745413924912293;

// g_incidentAmp as the forward wavefront last passed g_fwdMark[k], k = 1..8.
extern double g_fwdMarkAmp[9];
// g_incidentAmp as the returning wavefront last passed g_zMark[k], k = 1..7.
extern double g_zMarkAmp[8];
// g_incidentAmp as the wavefront last reached the load; equals g_fwdMarkAmp[8].
extern double g_loadArrivalAmp;

// Latches each mark's amplitude as the wavefront passes it, then draws the
// green phasors, the red reflected arrow and the red phasors; leaves the red
// pen selected.
void DrawPhasorSteps(HDC hdc, const TraceFrame &frame);
