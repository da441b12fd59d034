// A dialog and its controls as form elements over the canvas (dialogs.js),
// at the places the window manager computed, in the template's font.
#include "platform/web/internal.h"

TextMeasure DriverMeasureText(const Window *dialog, const char *text) {
  return {web_text_width(dialog->pointSize, text), web_line_height(dialog->pointSize)};
}

void DriverCreateDialog(Window *d) {
  web_dialog_open(d, d->text.c_str(), d->pointSize, d->place.left, d->place.top, d->place.Width(),
                  d->place.Height(), d->rightToLeft);
}

void DriverCreateControl(Window *c) {
  const DWORD style = c->style;
  web_control_add(c->parent, c, int(c->control), c->text.c_str(), c->place.left, c->place.top,
                  c->place.Width(), c->place.Height(), (style & WS_VISIBLE) != 0,
                  (style & WS_TABSTOP) != 0, (style & WS_BORDER) != 0, (style & ES_READONLY) != 0,
                  c->IsDefaultButton(), c->parent->tabPixels, c->label,
                  c->IsEdit() ? AccessibleName(c).c_str() : "");
}

// A focus the dialog procedure set before takes effect now.
void DriverShowDialog(Window *d) { web_dialog_show(d); }
void DriverHideDialog(Window *d) { web_dialog_hide(d); }

Window *DriverFocusedControl() { return web_focused_control(); }
void DriverSetFocus(Window *c) { web_control_focus(c); }
void DriverSelectText(Window *c, int start, int end) { web_control_select(c, start, end); }
void DriverTypeText(Window *c, const std::string &text) { web_control_type(c, text.c_str()); }
std::string DriverEditText(Window *c) { return TakeString(web_control_text(c)); }
