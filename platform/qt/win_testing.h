// Hooks for tests and tools: what a person would otherwise do at the screen.
#pragma once

#include "platform/win.h"

// The next `count` calls of SetTimer fail.
void RefuseTimersForTesting(int count);
// The next MessageBoxA returns `answer` at once instead of asking; answers queue up.
void AnswerMessageBoxForTesting(int answer);
// How many message boxes were shown or answered so far.
int MessageBoxCountForTesting();
// Makes GetSystemMetrics(SM_CXFULLSCREEN) report `width` (0 restores the screen's).
void SetScreenWidthForTesting(int width);
// Handles every pending window-system event and queued message without waiting.
void PumpMessagesForTesting();
// Resizes the client area at once, as a user dragging the frame would.
void ResizeClientForTesting(HWND, int width, int height);
// Writes the window's screen image to a PNG file.
bool SaveScreenPng(HWND, const char *path);
