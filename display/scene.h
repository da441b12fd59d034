// The fixed schematic: source, line, load, captions and the start arrow.
#pragma once

#include "platform/win.h"

// 1 once the forward arrow has been drawn at the source end since the last
// reset; cleared by F1, F2 and every repaint so the first frame removes it.
extern int g_startArrowDrawn;

void DrawScene(HDC hdc, int width, int height, int charWidth, int lineHeight);
