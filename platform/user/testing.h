// Hooks every driver gives tests and tools: what a person or the screen
// would otherwise do.
#pragma once

#include "platform/win.h"

struct DialogTemplate;

// Handles every queued message and input that is waiting, without waiting.
void PumpMessagesForTesting();
// Makes GetSystemMetrics(SM_CXFULLSCREEN) report `width` (0 restores the screen's).
void SetScreenWidthForTesting(int width);
// The next `count` calls of SetTimer fail, as when the system has no timer
// left to give.
void RefuseTimersForTesting(int count);
// Resizes the client area at once, as a user dragging the frame would.
void ResizeClientForTesting(HWND, int width, int height);
// A modal dialog from a template of the caller's own, as
// DialogBoxIndirectParam runs one; DialogBoxParamA's with the program's.
INT_PTR DialogBoxIndirectForTesting(const DialogTemplate &, HWND owner, DLGPROC, LPARAM init);
