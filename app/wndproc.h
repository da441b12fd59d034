// The main window's procedure: key commands, the animation tick, painting.
#pragma once

#include "app/win.h"

LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
