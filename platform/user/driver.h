// The seam between the window manager and a display driver.
//
// platform/user/ decides everything a window does: the queue, the timers,
// where a key goes, what Tab, Enter and Escape do in a dialog, where a
// control stands. A driver (platform/qt/, platform/web/, platform/headless/)
// only talks to its system: it makes and shows native windows and controls,
// turns native events into the input below, and waits. It defines the
// Driver* functions; it calls the others.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/reading.h"
#include "platform/user/window.h"

// --- What a driver tells the window manager ---------------------------------

// A key as the user typed it.
struct KeyInput {
  int vk = 0;  // virtual key; 0 for a key that has none the program knows
  bool release = false;
  bool repeat = false;  // an auto-repeat of a key held down
  bool shift = false, ctrl = false, alt = false;
  char32_t character = 0;  // the character it types; 0 for none
  // The driver's own event, handed back to it when the key goes to a control.
  std::shared_ptr<const void> native;
};

// Input waits in one line, in the order it came, and each item goes where
// the keyboard is when it is taken; so keys typed ahead of a dialog land in
// it, and those after the key that closes it go to the window behind.
//   typedInto: the top-level window or dialog that had the keyboard.
void PostKeyInput(Window *typedInto, KeyInput);
// A close box: WM_CLOSE for a top-level window, IDCANCEL for a dialog.
void PostCloseInput(Window *);
// A button pressed, with the mouse or by its own key: its command goes to
// the dialog before any input still waiting, as the button sends it at once.
void ButtonPressed(Window *button);
// Text typed into whatever control has the focus when it is taken,
// replacing its selection.
void PostTextInput(std::string text);
// A value for a field of the dialog open when it is taken, by its control
// id, as a link gives it: the field gets the focus with its text selected,
// and the value replaces it, as a user clicking into it and typing would.
void PostFieldInput(int id, std::string value);

// The client area a native window got, in logical pixels, and its scale.
struct ClientArea {
  int width = 0, height = 0;
  double scale = 1.0;
};
// A new client area (a resize, minimising, a screen of another scale): a new
// white screen image, WM_SIZE when the size changed, and a repaint.
void WindowResized(Window *, ClientArea);

// A top-level window the user activated: while one of its dialogs runs,
// the dialog takes the keyboard instead.
void WindowActivated(Window *);

// The colour options the user asked of the system (kMoreContrast,
// kDistinctColours): each top-level window shows the colours its program
// attached for them, the whole picture at once, since a line drawn
// inverted must be drawn again in the same colour to go.
void ColourOptionsAsked(int asked);

// Uncovering a top-level window repaints it all, but for where one of its
// dialogs closed: until the window manager has answered for the dialog,
// however late, what is uncovered is only gathered; then what lies outside
// what the dialog kept repaints. Without such answers, what a dialog kept
// serves the next uncovering only. Rectangles in the window's client area.
void WindowUncovered(Window *, const std::vector<Rect> &uncovered);
// A dialog has gone from over its owner, where it stood at `outer`, frame
// and all; with `answerToCome`, the window manager will answer for it.
void DialogClosedOver(Window *dialog, Rect outer, bool answerToCome);
// The window manager has answered for a dialog that stood at `outer` over
// the owner; an empty `outer` when it is not known. Nothing once the owner
// has gone or expects no answer.
void DialogAnswered(Window *owner, Rect outer);

// --- What a driver does ------------------------------------------------------

// Makes the native window of a top-level window, hidden, at this outer
// rectangle; returns the client area it got.
ClientArea DriverCreateWindow(Window *, Rect outer);
void DriverShowWindow(Window *);
void DriverMoveWindow(Window *, Rect outer);
// Gives the keyboard to a top-level window, as when its dialog has gone, or
// to a dialog.
void DriverActivateWindow(Window *);
// The native window or control goes; the record stays until the process ends.
void DriverDestroyWindow(Window *);
// Edit controls' texts go to and from a driver with lines ending in LF, and
// offsets into them count UTF-16 units, as native controls do, a line's end
// one; the window manager gives the program CR LF and UTF-8 bytes.
//
// A top-level window's or dialog's title, or a control's text, as `text`
// now has it; for an edit control, `text` itself.
void DriverSetText(Window *, const std::string &text);
// An edit control's text as the user left it.
std::string DriverEditText(Window *);

// In the template font of a dialog: the advance of `text`, in pixels, and
// the height of a line.
struct TextMeasure {
  double width = 0;
  int lineHeight = 0;
};
TextMeasure DriverMeasureText(const Window *dialog, const char *text);
// A dialog, hidden, its client area at `place`, and its controls, each at
// its `place`; made in template order, which is the tab order. An edit
// control is named for assistive technology by its `label`, or else as
// AccessibleName says.
void DriverCreateDialog(Window *dialog);
void DriverCreateControl(Window *control);
void DriverShowDialog(Window *dialog);
// At EndDialog: the dialog goes from the screen.
void DriverHideDialog(Window *dialog);

// The control with the keyboard focus, or null.
Window *DriverFocusedControl();
void DriverSetFocus(Window *control);
// Selects [start, end) of an edit control's text, the caret at end; start -1
// drops the selection and leaves the caret where it is. Both within the text.
void DriverSelectText(Window *control, int start, int end);
// A key the dialog manager leaves to the control that has the focus (or to
// the dialog, when none has).
void DriverDeliverKey(Window *target, const KeyInput &);
// Text for the focused edit control, not read-only, replacing its selection.
void DriverTypeText(Window *control, const std::string &text);

// Gathers the native events that came, as input; when none came, waits up
// to `ms` milliseconds for one (-1: as long as it takes). Never asked to
// wait while input is waiting to be taken.
void DriverWait(int ms);

// Before each wait, once what was drawn is shown: what changed in a
// top-level window's texts since the driver last told, for its system's
// assistive technology; false when nothing follows them now. Then, for a
// window followed, what is due to be said of them, paced for a listener.
bool DriverTellTexts(Window *);
void DriverSay(Window *, const Utterance &);

int DriverScreenWidth();  // for SM_CXFULLSCREEN

// A question in a box of the system's, over `owner`, with two answers;
// true for the first.
struct Question {
  std::string text, caption;
  const char *yes, *no;  // the answers' names
};
bool DriverAsk(Window *owner, const Question &);

// --- What a driver may ask ---------------------------------------------------

// The innermost dialog whose loop runs and that has not ended; null when
// none does.
Window *OpenDialog();
// The name of an edit control, as assistive technology tells it.
std::string AccessibleName(const Window *control);
