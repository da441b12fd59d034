// The pens and fonts every drawing routine uses. The window makes them at
// WM_CREATE and deletes them at WM_DESTROY (app/header.cpp).
#pragma once

#include "platform/gdi/colour_map.h"
#include "platform/win.h"

constexpr COLORREF kBlack = RGB(0, 0, 0);    // the schematic, the texts
constexpr COLORREF kRed = RGB(255, 0, 0);    // the reflected wave, the envelope; the keys
constexpr COLORREF kGreen = RGB(0, 150, 0);  // the forward wave

// What the options a user may ask for show instead, where a system offers
// them. With more contrast, the pens and the red text darker, at least
// 4.5:1 on white as small text needs; with distinct colours, the forward
// and the reflected wave in a blue and a vermilion apart under
// protanopia, deuteranopia and tritanopia alike, at least 3:1 on white.
inline constexpr ColourSwap kColourSwaps[] = {
    {kMoreContrast, Ink::Text, kRed, RGB(192, 0, 0)},
    {kMoreContrast, Ink::Line, kRed, RGB(192, 0, 0)},
    {kMoreContrast, Ink::Line, kGreen, RGB(0, 120, 0)},
    {kDistinctColours, Ink::Line, kGreen, RGB(0, 114, 178)},
    {kDistinctColours, Ink::Line, kRed, RGB(213, 94, 0)},
    {0, Ink::Line, 0, 0},
};

extern HPEN g_blackPen;    // the schematic, 2 px
extern HPEN g_redPen;      // reflected wave, 2 px
extern HPEN g_greenPen;    // forward wave, 2 px
extern HFONT g_titleFont;  // the program's name
extern HFONT g_subtitleFont;
extern HFONT g_textFont;  // every other text
