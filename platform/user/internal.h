// Shared between the files of the window manager only.
#pragma once

#include "platform/user/driver.h"

// The first top-level window still there, which keys typed into a dialog
// that has gone since reach; null when none is.
Window *MainWindow();
// A top-level window that waits for WM_PAINT, or null.
Window *InvalidWindow();
// Drops a destroyed window's timers and queued messages (queue.cpp).
void ForgetWindow(Window *);
// Hands the top-level windows' texts to the drivers, and what is due to be
// said of them; a wait of `ms` milliseconds (-1: for input) cut to when
// more may be due.
int TellTexts(int ms);

// Whether the window is a live control of an open dialog.
bool IsControl(const Window *);
// A key for an open dialog, as IsDialogMessage takes it: Tab and Shift+Tab
// move the focus, Enter presses the focused button or else the default one,
// Escape cancels; any other key goes to the focused control. True, with the
// message, when the key makes one.
bool DialogKey(Window *dialog, const KeyInput &, MSG *);
// An edit control's text with lines ending in LF, as drivers take it, and
// back with CR LF, as the program has it; where an offset into the
// program's text falls in the driver's (edit_text.cpp).
std::string DriverLines(const std::string &program);
std::string ProgramLines(const std::string &driver);
int DriverOffset(const std::string &driver, int offset);
// EM_SETSEL and the other messages a control takes.
LRESULT ControlMessage(Window *control, UINT, WPARAM, LPARAM);

// A dialog or control about to go: its close and command input goes, and
// keys typed into a dialog go to its owner.
void ForgetInputFor(Window *);
// Text typed into a field as a user types it; none into a read-only one
// (input.cpp).
void TypeIntoField(Window *field, const std::string &text);
// Whether any input waits to be taken (input.cpp).
bool InputWaiting();
// The oldest input, made into a message for wherever the keyboard is now;
// false when the input is used up without one (input.cpp).
bool TakeInput(MSG *);
