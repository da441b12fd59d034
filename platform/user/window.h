// A window as the window manager keeps it: top-level windows, dialogs and
// their controls alike. Shared by platform/user/ and the drivers; a driver
// keeps what its system needs behind `driver`.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/win.h"

enum class WindowKind { TopLevel, Dialog, Control };
enum class ControlKind { Static, Edit, MultiLineEdit, Button };

struct Window {
  WindowKind kind = WindowKind::TopLevel;
  WNDPROC proc = nullptr;     // a top-level window's
  DLGPROC dlgProc = nullptr;  // a dialog's
  Window *parent = nullptr;   // a dialog's owner, a control's dialog
  int id = 0;                 // a control's
  DWORD style = 0;
  ControlKind control = ControlKind::Static;
  // The title; a static text's or a button's text. An edit control's text
  // is the driver's, where the user types it; this is the template's, lines
  // ending in LF as drivers take them.
  std::string text;
  // An edit control's label: the static text just before it in template
  // order; null when there is none, and the dialog's caption names it.
  const Window *label = nullptr;
  // A dialog's client area in its owner's client area, a control's in its
  // dialog's, in pixels.
  Rect place;
  // A mirrored dialog (WS_EX_LAYOUTRTL) and each of its controls: its texts
  // read from the right, and a static text's or a field's align right.
  bool rightToLeft = false;
  int width = 0, height = 0;  // a top-level window's client area, as WM_SIZE last gave it
  bool invalid = false;       // a WM_PAINT is due
  std::vector<std::pair<std::string, HANDLE>> props;  // SetPropA's, by name
  bool destroyed = false;

  // A top-level window's screen image: device pixels kept between paints.
  std::vector<std::uint32_t> pixels;
  Surface surface;
  // A top-level window: where its closed dialogs stood, what was uncovered
  // since, and the window manager's answers for those dialogs still to
  // come. A dialog: 1 while its answer is to come (uncover.cpp).
  Rect kept;
  std::vector<Rect> uncovered;
  int answers = 0;

  // A dialog's.
  std::string font;    // the template's face
  int pointSize = 0;   //   and size
  int tabPixels = 0;   // a multi-line field's tab stops
  bool ended = false;  // EndDialog was called
  INT_PTR result = 0;

  void *driver = nullptr;  // the driver's own

  bool IsEdit() const {
    return kind == WindowKind::Control &&
           (control == ControlKind::Edit || control == ControlKind::MultiLineEdit);
  }
  bool IsDefaultButton() const {
    return control == ControlKind::Button && (style & BS_DEFPUSHBUTTON);
  }
};
