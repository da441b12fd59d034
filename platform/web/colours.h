// The page's colours: the program's own, unless the page's address or the
// system's contrast setting asks for others.
#pragma once

#include "platform/win.h"

// Maps the colours the page asks for now, and again, with a full repaint of
// `window`, whenever the system's contrast setting changes.
void UseColoursAsked(HWND window);
