// The window's own state: the animation, the client size and the metrics of
// the font measured last. Each lives in the file that owns it.
#pragma once

#include "display/pens_fonts.h"
#include "model/line_model.h"
#include "model/resistances.h"
#include "platform/win.h"

// Animation (app/wndproc.cpp).
extern int g_running;      // 1 while the animation runs
extern int g_phaseDeg;     // electrical degrees travelled since the run began
extern int g_clientWidth;  // client area in pixels, from the last WM_SIZE
extern int g_clientHeight;

// Metrics of the font measured last, in pixels (app/header.cpp).
extern int g_lineHeight;
extern int g_charWidth;

constexpr int kTimerId = 1;
constexpr int kTimerPeriodMs = 50;
constexpr int kPhaseStep = 3;  // degrees per tick
