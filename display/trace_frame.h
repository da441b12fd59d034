// One animation frame; the window procedure draws two per tick.
#pragma once

#include "platform/win.h"

void DrawTraceFrame(HDC hdc, int width, int height, int phaseDeg, double loadOhms, int charWidth,
                    int lineHeight);
