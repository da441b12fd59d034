// A dialog template as the resource compiler lays it out. Plain C++, so that
// the program's resource script, compiled at build time, defines its
// templates for every build but Windows, whose resource compiler takes it.
#pragma once

#include <span>

#include "platform/win.h"

struct DialogControl {
  const char *kind;  // "STATIC", "EDIT" or "BUTTON"
  int id;
  const char *text;
  short x, y, cx, cy;  // dialog units
  DWORD style;
};
struct DialogTemplate {
  int id;
  DWORD style;
  short x, y, cx, cy;  // dialog units, relative to the owner's client area
  const char *caption;
  const char *font;
  short pointSize;
  const DialogControl *controls;
  int controlCount;
};

// The program's dialogs, compiled from its resource script and linked into
// each of its executables, as a compiled resource file is.
extern const std::span<const DialogTemplate> g_dialogTemplates;

// The program's dialog with this resource id, or null; DialogBoxParamA's
// look-up.
const DialogTemplate *FindDialogTemplate(int id);
