// Input from the drivers, in one line: keys, close boxes, text and values.
//
// Nothing is decided when input comes, only when it is taken: an item goes
// where the keyboard is then. Keys typed ahead of a dialog wait for it and
// land in it; those after the key that closes it go to the window behind;
// a close request waits behind the keys typed before it.
#include <deque>
#include <string>
#include <utility>

#include "platform/user/internal.h"

namespace {

constexpr LPARAM kRepeatBit = LPARAM(1) << 30;
constexpr LPARAM kAltBit = LPARAM(1) << 29;

struct Input {
  enum class Kind { Key, Close, Text, Field } kind;
  Window *window;  // typed into; to close
  KeyInput key;
  std::string text;
  int field;  // a control id
};

std::deque<Input> g_input;  // oldest first

MSG KeyMessage(Window *w, const KeyInput &key) {
  const LPARAM flags = 1 | (key.alt ? kAltBit : 0) | (key.repeat ? kRepeatBit : 0);
  const UINT message = key.alt || key.vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;
  return MSG{w, message, WPARAM(key.vk), flags};
}

bool TakeKey(const Input &in, MSG *msg) {
  if (Window *dialog = OpenDialog()) return DialogKey(dialog, in.key, msg);
  if (in.key.release) return false;  // the program takes key-downs only
  // A key typed into a dialog that has gone since goes to the window behind.
  Window *w = in.window && !in.window->destroyed && in.window->kind == WindowKind::TopLevel
                  ? in.window
                  : MainWindow();
  if (!w) return false;
  *msg = KeyMessage(w, in.key);
  return true;
}

// While one of its dialogs runs, a window takes no close request at all.
bool TakeClose(const Input &in, MSG *msg) {
  Window *w = in.window;
  if (!w || w->destroyed) return false;
  if (w->kind == WindowKind::Dialog) {
    if (w->ended) return false;
    *msg = MSG{w, WM_COMMAND, WPARAM(IDCANCEL), 0};
    return true;
  }
  if (OpenDialog()) return false;
  *msg = MSG{w, WM_CLOSE, 0, 0};
  return true;
}

void TakeText(const Input &in) {
  if (!OpenDialog()) return;
  if (Window *focus = DriverFocusedControl(); IsControl(focus))
    TypeIntoField(focus, DriverLines(in.text));
}

void TakeField(const Input &in) {
  Window *dialog = OpenDialog();
  Window *field = dialog ? GetDlgItem(dialog, in.field) : nullptr;
  if (!field || !field->IsEdit()) return;
  SetFocus(field);
  ControlMessage(field, EM_SETSEL, 0, -1);
  TakeText(in);
}

}  // namespace

// Typed or pasted into a read-only field, text goes nowhere.
void TypeIntoField(Window *field, const std::string &text) {
  if (!(field->style & ES_READONLY)) DriverTypeText(field, text);
}

void PostKeyInput(Window *typedInto, KeyInput key) {
  g_input.push_back(Input{Input::Kind::Key, typedInto, std::move(key), {}, 0});
}

void PostCloseInput(Window *w) { g_input.push_back(Input{Input::Kind::Close, w, {}, {}, 0}); }

void PostTextInput(std::string text) {
  g_input.push_back(Input{Input::Kind::Text, nullptr, {}, std::move(text), 0});
}

void PostFieldInput(int id, std::string value) {
  g_input.push_back(Input{Input::Kind::Field, nullptr, {}, std::move(value), id});
}

bool InputWaiting() { return !g_input.empty(); }

void ForgetInputFor(Window *w) {
  std::erase_if(g_input,
                [w](const Input &in) { return in.window == w && in.kind != Input::Kind::Key; });
  for (Input &in : g_input)
    if (in.window == w) in.window = w->kind == WindowKind::Dialog ? w->parent : nullptr;
}

bool TakeInput(MSG *msg) {
  if (g_input.empty()) return false;
  const Input in = std::move(g_input.front());
  g_input.pop_front();
  switch (in.kind) {
    case Input::Kind::Key:
      return TakeKey(in, msg);
    case Input::Kind::Close:
      return TakeClose(in, msg);
    case Input::Kind::Text:
      TakeText(in);
      return false;
    case Input::Kind::Field:
      TakeField(in);
      return false;
  }
  return false;
}
