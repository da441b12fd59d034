// The pens and fonts every drawing routine uses. The window makes them at
// WM_CREATE and deletes them at WM_DESTROY (app/header.cpp).
#pragma once

#include "platform/win.h"

extern HPEN g_blackPen;    // the schematic, 2 px
extern HPEN g_redPen;      // reflected wave, 2 px
extern HPEN g_greenPen;    // forward wave, 2 px
extern HFONT g_titleFont;  // the program's name
extern HFONT g_subtitleFont;
extern HFONT g_textFont;  // every other text
