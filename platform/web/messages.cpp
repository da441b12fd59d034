// The message queue and the timers on a page.
//
// GetMessageA hands out posted messages first, then the page's input in
// arrival order, then one WM_PAINT for an invalid window, then one WM_TIMER
// per timer that fell due, so a tick never runs inside another message and
// late ticks merge. With nothing to hand out it shows what changed and gives
// the page back to the browser until input comes or the next timer falls
// due.
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "platform/web/internal.h"

namespace {

struct Timer {
  HWND hwnd;
  UINT id;
  double period;  // milliseconds
  double next;    // when it falls due, on the page's clock
  bool due = false;
};

std::deque<MSG> g_queue;  // posted messages, oldest first
std::vector<Timer> g_timers;
bool g_quitPosted = false;
int g_quitCode = 0;

void UpdateTimers() {
  const double now = emscripten_get_now();
  for (Timer &t : g_timers) {
    if (now < t.next) continue;
    t.due = true;
    // Ticks that fell due while the program was busy are one tick.
    t.next += t.period * (std::floor((now - t.next) / t.period) + 1);
  }
}

// Milliseconds until the next timer falls due; -1 when there is none.
double TimeToNextTimer() {
  if (g_timers.empty()) return -1;
  double next = g_timers.front().next;
  for (const Timer &t : g_timers) next = std::min(next, t.next);
  return std::max(0.0, next - emscripten_get_now());
}

// The page's next input as a message; false when none is waiting.
bool TakeInput(MSG *msg) {
  int item[2];
  for (;;) {
    const Input kind = Input(web_take_input(item));
    if (kind == Input::None) return false;
    if (kind == Input::Key) {
      // A dialog's keys go to its form elements, not through here.
      Window *w = MainWindow();
      if (!w || OpenDialog()) continue;
      const LPARAM repeat = item[1] ? LPARAM(1) << 30 : 0;
      *msg = MSG{w, WM_KEYDOWN, WPARAM(item[0]), 1 | repeat};
      return true;
    }
    if (kind == Input::Command) {
      Window *dialog = DialogWithId(item[0]);
      if (!dialog || dialog->dialogEnded) continue;
      *msg = MSG{dialog, WM_COMMAND, WPARAM(WORD(item[1])), 0};
      return true;
    }
  }
}

bool TakeMessage(MSG *msg) {
  if (!g_queue.empty()) {
    *msg = g_queue.front();
    g_queue.pop_front();
    return true;
  }
  if (TakeInput(msg)) return true;
  if (g_quitPosted) {
    g_quitPosted = false;
    *msg = MSG{nullptr, WM_QUIT, WPARAM(g_quitCode), 0};
    return true;
  }
  Window *w = MainWindow();
  FollowCanvas(w);
  if (w && w->invalid) {
    *msg = MSG{w, WM_PAINT, 0, 0};
    return true;
  }
  UpdateTimers();
  for (Timer &t : g_timers) {
    if (!t.due) continue;
    t.due = false;
    *msg = MSG{t.hwnd, WM_TIMER, t.id, 0};
    return true;
  }
  return false;
}

}  // namespace

void QueueMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  g_queue.push_back(MSG{hwnd, message, wParam, lParam});
}

void ForgetWindow(Window *w) {
  std::erase_if(g_timers, [w](const Timer &t) { return t.hwnd == w; });
  std::erase_if(g_queue, [w](const MSG &m) { return m.hwnd == w; });
}

BOOL GetMessageA(MSG *msg, HWND, UINT, UINT) {
  while (!TakeMessage(msg)) {
    ShowAllChanged();
    web_wait(TimeToNextTimer());
  }
  return msg->message != WM_QUIT;
}

// Character messages are not used by the program.
BOOL TranslateMessage(const MSG *) { return 0; }

LRESULT DispatchMessageA(const MSG *msg) {
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd || (hwnd->destroyed && message != WM_DESTROY)) return 0;
  if (hwnd->proc) return hwnd->proc(hwnd, message, wParam, lParam);
  if (hwnd->dlgProc) return hwnd->dlgProc(hwnd, message, wParam, lParam);
  return SendControlMessage(hwnd, message, wParam, lParam);
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  QueueMessage(hwnd, message, wParam, lParam);
  return 1;
}

void PostQuitMessage(int code) {
  g_quitPosted = true;
  g_quitCode = code;
}

UINT SetTimer(HWND hwnd, UINT id, UINT ms, void *) {
  KillTimer(hwnd, id);
  const double period = std::max(1u, ms);
  g_timers.push_back(Timer{hwnd, id, period, emscripten_get_now() + period});
  return id;
}

BOOL KillTimer(HWND hwnd, UINT id) {
  return std::erase_if(g_timers, [&](const Timer &t) { return t.hwnd == hwnd && t.id == id; }) ? 1
                                                                                               : 0;
}
