// What a test does on the driver without a display: the user's keys, clicks
// and close boxes, what the user sees of a dialog, and the screen image.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/user/testing.h"
#include "platform/win.h"

// A key pressed and let go in whatever has the keyboard now: the dialog on
// the screen, else the main window. It waits in line like any key.
void PressKeyForTesting(int vk, bool shift = false, bool ctrl = false, bool alt = false,
                        bool repeat = false);
// Each character (UTF-8) typed as its own key.
void TypeForTesting(const std::string &text);
// Text pasted into the focused field, replacing its selection.
void PasteForTesting(const std::string &text);
// A click on a button, or on a window's or dialog's close box.
void ClickForTesting(HWND button);
void CloseBoxForTesting(HWND);
// Runs `action` the next time the program waits with nothing to do, as a
// user acts on what is on the screen; actions run in the order given.
void WhenIdleForTesting(std::function<void()> action);
// Runs `handler` when the program waits with no action and no timer left,
// for ever but for it: a dialog the test failed to close. Without one (null)
// the test ends there.
void WhenStuckForTesting(std::function<void()> handler);
// Drops the actions that have not run.
void ForgetIdleActionsForTesting();

// What is on the screen.
HWND LastWindowForTesting();   // the top-level window made last
HWND ShownDialogForTesting();  // the innermost dialog shown, or null
HWND FocusForTesting();        // the control with the keyboard focus, or null
std::string SelectedTextForTesting(HWND edit);
// Where a dialog's client area stands in its owner's, or a control in its dialog.
RECT PlaceForTesting(HWND);

// The next message box is answered at once with its first answer (Retry)
// or not (Cancel); answers queue up. Unanswered, a box is cancelled.
void AnswerMessageBoxForTesting(bool first);
// How many message boxes were shown so far.
int MessageBoxCountForTesting();
// The last one, as "caption: text (first answer, second answer)".
std::string LastMessageBoxForTesting();

// A window's screen image, device pixels 0xffRRGGBB, row by row.
std::vector<std::uint32_t> ScreenForTesting(HWND);
// Fills the screen image with a colour, as if nothing had been drawn.
void FillScreenForTesting(HWND, COLORREF);
// Device pixels per logical pixel of the windows made from now on.
void SetScaleForTesting(double scale);
