// The main window's procedure: key commands, the animation tick, painting.
#pragma once

#include "platform/win.h"

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
