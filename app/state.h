// Program state shared by the window procedure, the painting code and the
// drawing routines. Each lives in the file that owns it.
#pragma once

#include "app/win.h"

// Animation (app/wndproc.cpp).
extern int g_running;      // 1 while the animation runs
extern int g_phaseDeg;     // electrical degrees travelled since the run began
extern int g_clientWidth;  // client area in pixels, from the last WM_SIZE
extern int g_clientHeight;

// The two resistances of the experiment, in ohms (app/wndproc.cpp).
extern double g_loadOhms;
extern double g_sourceOhms;

// Metrics of the font measured last, in pixels (app/header.cpp).
extern int g_lineHeight;
extern int g_charWidth;

// Pens and fonts made at WM_CREATE, deleted at WM_DESTROY (app/header.cpp).
extern HPEN g_blackPen, g_redPen, g_greenPen;
extern HFONT g_titleFont, g_subtitleFont, g_textFont;

constexpr int kTimerId = 1;
constexpr int kTimerPeriodMs = 50;
constexpr int kPhaseStep = 3;  // degrees per tick
constexpr int kRunEnd = 2880;  // four round trips of 720 degrees
