// What uncovering a top-level window repaints, where its dialogs closed.
#include <algorithm>

#include "platform/user/driver.h"

void WindowUncovered(Window *w, const std::vector<Rect> &uncovered) {
  w->uncovered.insert(w->uncovered.end(), uncovered.begin(), uncovered.end());
  if (w->answers > 0) return;
  const auto kept = [w](const Rect &r) { return w->kept.Contains(r); };
  if (!std::all_of(w->uncovered.begin(), w->uncovered.end(), kept)) InvalidateRect(w, nullptr, 1);
  w->kept = Rect{};
  w->uncovered.clear();
}

void DialogClosedOver(Window *dialog, Rect outer, bool answerToCome) {
  Window *owner = dialog->parent;
  owner->kept = owner->kept | outer;
  if (!answerToCome) return;
  ++owner->answers;
  dialog->answers = 1;
}

void DialogAnswered(Window *owner, Rect outer) {
  if (owner->destroyed || owner->answers <= 0) return;
  owner->kept = owner->kept | outer;
  --owner->answers;
  WindowUncovered(owner, {});
}
