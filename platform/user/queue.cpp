// The message queue and the timers.
//
// GetMessageA hands out posted messages first, then input in the order it
// came, then one WM_PAINT for an invalid window, then one WM_TIMER per timer
// that fell due, so a tick never runs inside another message and late ticks
// merge. Each time it looks for input it shows what was drawn; with nothing
// to hand out it waits, through the driver, for input or the next timer.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>
#include <vector>

#include "platform/user/internal.h"
#include "platform/user/testing.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

struct Timer {
  HWND hwnd;
  UINT id;
  Milliseconds period;
  Clock::time_point next;  // when it falls due
  bool due = false;
};

std::deque<MSG> g_posted;  // oldest first
std::vector<Timer> g_timers;
int g_refusedTimers = 0;  // calls of SetTimer still to fail
bool g_quitPosted = false;
int g_quitCode = 0;

void UpdateTimers() {
  const Clock::time_point now = Clock::now();
  for (Timer &t : g_timers) {
    if (now < t.next) continue;
    t.due = true;
    // Ticks that fell due while the program was busy are one tick.
    const double missed = std::floor(Milliseconds(now - t.next) / t.period);
    t.next += std::chrono::duration_cast<Clock::duration>(t.period * (missed + 1));
  }
}

// Whole milliseconds until the next timer falls due, rounded up; -1 when
// there is none.
int TimeToNextTimer() {
  if (g_timers.empty()) return -1;
  Clock::time_point next = g_timers.front().next;
  for (const Timer &t : g_timers) next = std::min(next, t.next);
  return int(std::max(0.0, std::ceil(Milliseconds(next - Clock::now()).count())));
}

bool TakeMessage(MSG *msg) {
  // A message posted while an input item was handled (a button's command)
  // comes before the next item: a dialog closed by ENTER gets no more keys.
  for (;;) {
    if (!g_posted.empty()) {
      *msg = g_posted.front();
      g_posted.pop_front();
      return true;
    }
    if (!InputWaiting()) break;
    if (TakeInput(msg)) return true;
  }
  if (g_quitPosted) {
    g_quitPosted = false;
    *msg = MSG{nullptr, WM_QUIT, WPARAM(g_quitCode), 0};
    return true;
  }
  if (Window *w = InvalidWindow()) {
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

// What was drawn is shown, and told, whenever the queue looks for input:
// outside the message that drew it.
void Wait(int ms) {
  ShowAllChanged();
  DriverWait(TellTexts(ms));
}

}  // namespace

void ForgetWindow(Window *w) {
  std::erase_if(g_timers, [w](const Timer &t) { return t.hwnd == w; });
  std::erase_if(g_posted, [w](const MSG &m) { return m.hwnd == w; });
}

BOOL GetMessageA(MSG *msg, HWND, UINT, UINT) {
  // Input that has come goes before a timer that fell due meanwhile.
  Wait(0);
  while (!TakeMessage(msg)) Wait(TimeToNextTimer());
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
  return ControlMessage(hwnd, message, wParam, lParam);
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd && hwnd->destroyed) return 0;
  g_posted.push_back(MSG{hwnd, message, wParam, lParam});
  return 1;
}

void PostQuitMessage(int code) {
  g_quitPosted = true;
  g_quitCode = code;
}

UINT SetTimer(HWND hwnd, UINT id, UINT ms, void *) {
  if (g_refusedTimers > 0) {
    --g_refusedTimers;
    return 0;
  }
  KillTimer(hwnd, id);
  const Milliseconds period(std::max(1u, ms));
  g_timers.push_back(
      Timer{hwnd, id, period, Clock::now() + std::chrono::duration_cast<Clock::duration>(period)});
  return id;
}

BOOL KillTimer(HWND hwnd, UINT id) {
  return std::erase_if(g_timers, [&](const Timer &t) { return t.hwnd == hwnd && t.id == id; }) ? 1
                                                                                               : 0;
}

// The only box there is asks Retry or Cancel.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT) {
  const Question question{text ? text : "", caption ? caption : "", "&Retry", "Cancel"};
  return DriverAsk(owner, question) ? IDRETRY : IDCANCEL;
}

void RefuseTimersForTesting(int count) { g_refusedTimers = count; }

void PumpMessagesForTesting() {
  MSG msg;
  for (Wait(0); TakeMessage(&msg); Wait(0)) DispatchMessageA(&msg);
}
