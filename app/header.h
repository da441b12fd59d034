// The window's pens and fonts and the painting of its whole client area.
#pragma once

#include "platform/win.h"

// Writes numbers with the digits and decimal sign of the user's language,
// and texts in the way it reads.
void UseTheLanguagesWriting();
// Makes the three pens and, sized by the screen's width, the three fonts.
void CreatePensAndFonts();
void DeletePensAndFonts();
// Erases the client area, draws the header and the key instructions, and the
// schematic with its panels; restarts the animation phase.
void PaintWindow(HWND hwnd);
