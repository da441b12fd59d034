// The driver without a display: windows are their records, the screen image
// stays in memory, controls keep their text here, and the user is the test.
#include "platform/user/driver.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/gdi/utf8.h"
#include "platform/headless/testing.h"

namespace {

constexpr int kScreenWidth = 800;  // as the screen of a small projector
constexpr int kLineHeight = 16;    // of a dialog's font
constexpr int kAdvance = 6;        // of each of its characters

// An edit field's text and selection, the caret at its end.
struct Field {
  std::string text;
  int start = 0, end = 0;
};

std::vector<Window *> g_shownDialogs;  // innermost last
Window *g_focus = nullptr;
std::deque<std::function<void()>> g_idleActions;
std::function<void()> g_whenStuck;
std::deque<bool> g_answers;
int g_messageBoxCount = 0;
std::string g_lastQuestion;  // as LastMessageBoxForTesting tells it
double g_scale = 1.0;
Window *g_lastWindow = nullptr;

Field &FieldOf(Window *w) { return *static_cast<Field *>(w->driver); }

bool IsEdit(const Window *w) { return w && w->IsEdit(); }

void Replace(Field &f, const std::string &with) {
  f.text.replace(std::size_t(f.start), std::size_t(f.end - f.start), with);
  f.start = f.end = f.start + int(with.size());
}

// The byte of the field's UTF-8 where `units` UTF-16 units end, as the
// window manager counts a native field's offsets.
int ByteAt(const std::string &text, int units) {
  std::size_t at = 0;
  while (at < text.size() && units > 0) units -= NextCharacter(text, at) > 0xFFFF ? 2 : 1;
  return int(at);
}

// Where typed keys go: the dialog on the screen; null, the main window.
Window *Keyboard() { return g_shownDialogs.empty() ? nullptr : g_shownDialogs.back(); }

}  // namespace

ClientArea DriverCreateWindow(Window *w, Rect outer) {
  g_lastWindow = w;
  return ClientArea{outer.Width(), outer.Height(), g_scale};
}
void DriverShowWindow(Window *) {}
void DriverMoveWindow(Window *w, Rect outer) {
  WindowResized(w, ClientArea{outer.Width(), outer.Height(), w->surface.scale});
}
void DriverActivateWindow(Window *) {}

void DriverDestroyWindow(Window *w) {
  if (w == g_focus) g_focus = nullptr;
  std::erase(g_shownDialogs, w);
  if (IsEdit(w)) delete &FieldOf(w);
  w->driver = nullptr;
}

void DriverSetText(Window *w, const std::string &text) {
  if (IsEdit(w)) FieldOf(w) = Field{text, 0, 0};
}

std::string DriverEditText(Window *w) { return IsEdit(w) ? FieldOf(w).text : std::string(); }

TextMeasure DriverMeasureText(const Window *, const char *text) {
  return {double(kAdvance * CountCharacters(text)), kLineHeight};
}
void DriverCreateDialog(Window *) {}
void DriverCreateControl(Window *w) {
  if (IsEdit(w)) w->driver = new Field{w->text, 0, 0};
}
void DriverShowDialog(Window *d) { g_shownDialogs.push_back(d); }
void DriverHideDialog(Window *d) {
  std::erase(g_shownDialogs, d);
  if (g_focus && g_focus->parent == d) g_focus = nullptr;
}

Window *DriverFocusedControl() { return g_focus; }
void DriverSetFocus(Window *w) { g_focus = w; }

void DriverSelectText(Window *w, int start, int end) {
  if (!IsEdit(w)) return;
  Field &f = FieldOf(w);
  if (start < 0) {
    f.start = f.end;  // the caret stays
    return;
  }
  f.start = ByteAt(f.text, start);
  f.end = ByteAt(f.text, end);
}

// The window manager types characters and presses buttons; a field takes
// Backspace and Ctrl+A itself, as a native one does.
void DriverDeliverKey(Window *target, const KeyInput &key) {
  if (!IsEdit(target) || key.release) return;
  Field &f = FieldOf(target);
  if (key.ctrl && key.vk == 'A') {
    f.start = 0;
    f.end = int(f.text.size());
  } else if (key.vk == VK_BACK && !(target->style & ES_READONLY)) {
    if (f.start == f.end) f.start = int(PreviousCharacter(f.text, std::size_t(f.start)));
    Replace(f, "");
  }
}

void DriverTypeText(Window *w, const std::string &text) {
  if (IsEdit(w)) Replace(FieldOf(w), text);
}

// The test acts when the program would wait for the user; time passes for
// the timers only.
void DriverWait(int ms) {
  if (ms == 0) return;
  if (!g_idleActions.empty()) {
    std::function<void()> action = std::move(g_idleActions.front());
    g_idleActions.pop_front();
    action();
    return;
  }
  if (ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  if (g_whenStuck) return g_whenStuck();
  std::fprintf(stderr, "the program waits for input that the test never gives\n");
  std::abort();
}

// Nobody listens: the tests read the drawing core's texts themselves.
bool DriverTellTexts(Window *) { return false; }
void DriverSay(Window *, const Utterance &) {}

int DriverScreenWidth() { return kScreenWidth; }

bool DriverAsk(Window *, const Question &q) {
  ++g_messageBoxCount;
  g_lastQuestion = q.caption + ": " + q.text + " (" + q.yes + ", " + q.no + ")";
  if (g_answers.empty()) return false;
  const bool yes = g_answers.front();
  g_answers.pop_front();
  return yes;
}

void PressKeyForTesting(int vk, bool shift, bool ctrl, bool alt, bool repeat) {
  Window *into = Keyboard();
  for (bool release : {false, true}) {
    KeyInput key;
    key.vk = vk;
    key.release = release;
    key.repeat = repeat;
    key.shift = shift;
    key.ctrl = ctrl;
    key.alt = alt;
    key.character = vk == VK_SPACE ? ' ' : 0;
    PostKeyInput(into, key);
  }
}

void TypeForTesting(const std::string &text) {
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = NextCharacter(text, at);
    KeyInput key;
    key.vk = c < 0x80 && std::isalnum(int(c)) ? std::toupper(int(c)) : (c == ' ' ? VK_SPACE : 0);
    key.character = c;
    PostKeyInput(Keyboard(), key);
    key.release = true;
    PostKeyInput(Keyboard(), key);
  }
}

void PasteForTesting(const std::string &text) { PostTextInput(text); }
void ClickForTesting(HWND button) { ButtonPressed(button); }
void CloseBoxForTesting(HWND w) { PostCloseInput(w); }
void WhenIdleForTesting(std::function<void()> action) {
  g_idleActions.push_back(std::move(action));
}

void ForgetIdleActionsForTesting() { g_idleActions.clear(); }
void WhenStuckForTesting(std::function<void()> handler) { g_whenStuck = std::move(handler); }

HWND ShownDialogForTesting() { return g_shownDialogs.empty() ? nullptr : g_shownDialogs.back(); }
HWND FocusForTesting() { return g_focus; }
HWND LastWindowForTesting() { return g_lastWindow; }

std::string SelectedTextForTesting(HWND w) {
  if (!IsEdit(w)) return {};
  const Field &f = FieldOf(w);
  return f.text.substr(std::size_t(f.start), std::size_t(f.end - f.start));
}

RECT PlaceForTesting(HWND w) {
  return w ? RECT{w->place.left, w->place.top, w->place.right, w->place.bottom} : RECT{};
}

void AnswerMessageBoxForTesting(bool first) { g_answers.push_back(first); }
int MessageBoxCountForTesting() { return g_messageBoxCount; }
std::string LastMessageBoxForTesting() { return g_lastQuestion; }

std::vector<std::uint32_t> ScreenForTesting(HWND w) {
  return w ? w->pixels : std::vector<std::uint32_t>();
}

void FillScreenForTesting(HWND w, COLORREF c) {
  std::fill(w->pixels.begin(), w->pixels.end(),
            0xff000000u | std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 |
                std::uint32_t(GetBValue(c)));
}

void SetScaleForTesting(double scale) { g_scale = scale; }

void ResizeClientForTesting(HWND w, int width, int height) {
  WindowResized(w, ClientArea{width, height, w->surface.scale});
}
