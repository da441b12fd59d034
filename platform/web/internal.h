// Shared between the files of the browser layer only.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/win.h"

struct Window {
  WNDPROC proc = nullptr;     // the main window
  DLGPROC dlgProc = nullptr;  // dialogs
  Window *parent = nullptr;   // a dialog's owner, a control's dialog
  int id = 0;                 // a control's id
  int element = -1;           // a control's form element, a dialog's slot in the page
  bool invalid = false;       // a WM_PAINT is due
  bool destroyed = false;
  int width = 0, height = 0;  // a main window's client area in CSS pixels, as WM_SIZE gave it
  Surface surface;            // the canvas's device pixels
  std::vector<std::uint32_t> pixels;
  bool dialogEnded = false;
  INT_PTR dialogResult = 0;
};

// The functions of the page (page.js, dialogs.js).
extern "C" {
void web_install();
void web_wait(double ms);
int web_take_input(int *out);
void web_client_size(void *out);
int web_screen_width();
void web_set_title(const char *);
int web_confirm(const char *);
void web_resize_canvas(int width, int height);
void web_present(const void *rgba, int x, int y, int width, int height);
int web_dialog_open(int id, const char *caption, int points, int x, int y, int width, int height);
int web_dialog_add(int slot, int kind, int id, const char *text, int x, int y, int width,
                   int height, int tabStop, int border, int readOnly, int isDefault, int tabPixels);
void web_dialog_show(int slot);
void web_dialog_close(int slot);
void web_control_set_text(int index, const char *);
int web_control_get_text(int index, char *buffer, int size);
void web_control_focus(int index);
int web_focused_control();
void web_control_select(int index, int start, int end);
void web_dialog_units(int points, int *out);
int *web_glyphs(int bold, int cellHeight);
}

// The page's input, taken one item at a time (window.cpp).
enum class Input { None = 0, Key = 1, Command = 2 };

// The main window, or null.
Window *MainWindow();
// Matches the main window's client area and screen image to the canvas;
// sends WM_SIZE when its size changed.
void FollowCanvas(Window *);
// Queues a message as PostMessageA does.
void QueueMessage(HWND, UINT, WPARAM, LPARAM);
// The innermost dialog that is running, or null (dialog.cpp).
Window *OpenDialog();
// The dialog with this id, or null.
Window *DialogWithId(int id);
// Drops a destroyed window's timers and queued messages (messages.cpp).
void ForgetWindow(Window *);
// A dialog control's text, as SetWindowTextA and GetWindowTextA give it (dialog.cpp).
BOOL SetControlText(Window *control, LPCSTR text);
int GetControlText(Window *control, LPSTR buf, int max);
// Messages to dialog controls.
LRESULT SendControlMessage(Window *control, UINT, WPARAM, LPARAM);
