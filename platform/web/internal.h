// Shared between the files of the page's driver only: the page's functions
// (page.js, dialogs.js, glyphs.js). Windows go to the page as handles, the
// page's own record of a dialog or control being the element made for it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/user/driver.h"

// An item of the page's input, as web_take_input hands it over.
struct PageInput {
  enum Kind : int { Key = 1, Close = 2, Button = 3, LinkValue = 4 } kind;
  Window *window;  // typed into; to close; pressed
  int vk, repeat, shift, character;
  int field;    // a link value's control id
  char *value;  // a link's value
};
static_assert(sizeof(PageInput) == 8 * 4, "the page writes eight 32-bit words");

// A text of the canvas's, as web_texts reads it: its box in CSS pixels, who
// it is, its block in reading order, what happened to it (TextChanges::Kind).
struct PageText {
  const char *chars;
  int length, left, top, right, bottom, cellHeight, bold, id, block, change;
};
static_assert(sizeof(PageText) == 11 * 4, "the page reads eleven 32-bit words");

extern "C" {
// page.js
void web_install(Window *canvas, const char *title);
void web_wait(int ms);
int web_take_input(PageInput *);
void web_client_area(ClientArea *);
void web_present(const void *rgba, int x, int y, int width, int height, int canvasWidth,
                 int canvasHeight);
int web_screen_width();
int web_confirm(const char *);
// dialogs.js
double web_text_width(int points, const char *);
int web_line_height(int points);
void web_dialog_open(Window *, const char *caption, int points, int x, int y, int width, int height,
                     int rightToLeft);
void web_control_add(Window *dialog, Window *, int kind, const char *text, int x, int y, int width,
                     int height, int visible, int tabStop, int border, int readOnly, int isDefault,
                     int tabPixels, const Window *label, const char *name);
void web_dialog_show(Window *);
void web_dialog_hide(Window *);
void web_activate(Window *);
void web_forget(Window *);
void web_set_text(Window *, const char *);
char *web_control_text(Window *);
Window *web_focused_control();
void web_control_focus(Window *);
void web_control_select(Window *, int start, int end);
void web_control_type(Window *, const char *);
// glyphs.js
int *web_glyphs(int bold, int cellHeight, int han);
int *web_glyph(int bold, int cellHeight, int han, int code);
int *web_shaped_text(int bold, int cellHeight, int han, const char *utf8, int rightToLeft);
// texts.js
void web_texts(const PageText *, int count, const std::uint32_t *went, int wentCount, int afresh);
void web_say(const char *chars, int length);
}

// A string the page made with malloc, taken over.
std::string TakeString(char *);

// The canvas's window takes the canvas's client area, as it is now (window.cpp).
void FollowCanvas();
// The window the canvas shows; null before it is made.
Window *Canvas();

// Tells the window manager the colours the page asks for now, and again
// whenever the system's contrast setting changes (colours.cpp).
void UseColoursAsked();
