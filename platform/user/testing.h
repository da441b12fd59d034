// Hooks every driver gives tests and tools: what a person or the screen
// would otherwise do.
#pragma once

#include "platform/win.h"

// Handles every queued message and input that is waiting, without waiting.
void PumpMessagesForTesting();
// Makes GetSystemMetrics(SM_CXFULLSCREEN) report `width` (0 restores the screen's).
void SetScreenWidthForTesting(int width);
// The next `count` calls of SetTimer fail, as when the system has no timer
// left to give.
void RefuseTimersForTesting(int count);
// Resizes the client area at once, as a user dragging the frame would.
void ResizeClientForTesting(HWND, int width, int height);
