// The program's resources as the resource compiler lays them out: its texts
// and dialog templates, once in each language its scripts are written in.
// Plain C++, so that the program's resource scripts, compiled at build time,
// define them for every build but Windows, whose resource compiler takes the
// scripts themselves.
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
  DWORD exStyle;       // WS_EX_LAYOUTRTL: mirrored, for a language read from the right
  short x, y, cx, cy;  // dialog units, relative to the owner's client area
  const char *caption;
  const char *font;
  short pointSize;
  const DialogControl *controls;
  int controlCount;
};
struct StringResource {
  int id;
  const char *text;  // UTF-8
};
struct ResourceLanguage {
  const char *locale;  // as POSIX names it: "de", "pt_BR", "zh_TW"
  LANGID language;
  std::span<const DialogTemplate> dialogs;
  std::span<const StringResource> strings;
};

// The program's resources, English first, compiled from its scripts and
// linked into each of its executables, as a compiled resource file is.
extern const std::span<const ResourceLanguage> g_resourceLanguages;

// The language of `languages` that a user asks for, as gettext reads the
// environment: LANGUAGE, a list separated by colons, unless the locale is C;
// the locale from LC_ALL, LC_MESSAGES or LANG, the first set. A name matches
// a language with its country ("pt_BR"), else one without ("de" for
// "de_AT.UTF-8"), else the first of its language ("pt" finds "pt_BR");
// Chinese of Hong Kong and Macau reads the traditional script. English, the
// first of `languages`, when nothing matches.
const ResourceLanguage &ChooseLanguage(std::span<const ResourceLanguage> languages,
                                       const char *language, const char *lcAll,
                                       const char *lcMessages, const char *lang);

// The user's language among the program's, chosen once from the environment.
const ResourceLanguage &UserResources();

// The program's dialog with this resource id in the user's language, else in
// English, or null; DialogBoxParamA's look-up.
const DialogTemplate *FindDialogTemplate(int id);
