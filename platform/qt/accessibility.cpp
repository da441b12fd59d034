// The texts a top-level window shows, on Qt's accessibility: each is a
// static text child of the window's widget, named by the text and placed at
// its box, so that a screen reader reads the figures as they are drawn.
//
// The children follow the surface's text layer when the driver waits, and
// only when the layer has changed; a text that comes, goes or is redrawn in
// place with other characters is told once.
#include <QAccessible>
#include <QAccessibleWidget>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/reading.h"
#include "platform/qt/internal.h"

namespace {

class TextAccessible : public QAccessibleInterface {
 public:
  TextAccessible(QAccessibleInterface *screen, const ShownText &t) : screen_(screen) { Show(t); }

  void Show(const ShownText &t) {
    name_ = QString::fromLatin1(t.chars, t.length);
    box_ = t.box;
  }
  bool Shows(const ShownText &t) const {
    return box_ == t.box && name_ == QString::fromLatin1(t.chars, t.length);
  }
  // A readout redrawn where it stood keeps its top and the edge its
  // alignment holds, whatever its new length.
  bool StoodWhere(const ShownText &t) const {
    return box_.top == t.box.top && (box_.left == t.box.left || box_.right == t.box.right);
  }

  bool isValid() const override { return true; }
  QObject *object() const override { return nullptr; }
  QWindow *window() const override { return screen_->window(); }
  QAccessibleInterface *childAt(int, int) const override { return nullptr; }
  QAccessibleInterface *parent() const override { return screen_; }
  QAccessibleInterface *child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface *) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? name_ : QString();
  }
  void setText(QAccessible::Text, const QString &) override {}
  // The box is in the widget's own coordinates, logical pixels as Qt's are;
  // the part of it outside the client area is not shown.
  QRect rect() const override {
    const QRect client = screen_->rect();
    return QRect(client.x() + box_.left, client.y() + box_.top, box_.Width(), box_.Height()) &
           client;
  }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    return s;
  }

 private:
  QAccessibleInterface *screen_;
  QString name_;
  Rect box_;
};

class ScreenAccessible;
std::vector<ScreenAccessible *> g_screens;         // made and not deleted
void (*g_listener)(QAccessibleEvent *) = nullptr;  // a test's, in place of Qt's

class ScreenAccessible : public QAccessibleWidget {
 public:
  explicit ScreenAccessible(QWidget *w) : QAccessibleWidget(w) { g_screens.push_back(this); }
  ~ScreenAccessible() override {
    std::erase(g_screens, this);
    for (TextAccessible *t : texts_)
      QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(t));
  }

  // Takes the layer's texts in reading order, if they changed since the
  // last time; `tell` sends what changed.
  void Follow(bool tell) {
    const Window *w = WindowOf(widget());
    if (w && w->surface.texts.changes == changes_) return;
    changes_ = w ? w->surface.texts.changes : 0;
    static Reading r;
    r.count = 0;
    if (w) ReadTexts(w->surface, r);
    const int count = r.count;
    const ShownText *const *order = r.texts;

    std::vector<TextAccessible *> gone = std::move(texts_), renamed, added;
    texts_.assign(count, nullptr);
    auto take = [&gone](auto matches) {
      auto it = std::find_if(gone.begin(), gone.end(), matches);
      if (it == gone.end()) return static_cast<TextAccessible *>(nullptr);
      TextAccessible *t = *it;
      gone.erase(it);
      return t;
    };
    for (int i = 0; i < count; ++i)
      texts_[i] = take([&](const TextAccessible *t) { return t->Shows(*order[i]); });
    for (int i = 0; i < count; ++i) {
      if (texts_[i]) continue;
      if ((texts_[i] = take([&](const TextAccessible *t) { return t->StoodWhere(*order[i]); }))) {
        texts_[i]->Show(*order[i]);
        renamed.push_back(texts_[i]);
      } else {
        texts_[i] = new TextAccessible(this, *order[i]);
        QAccessible::registerAccessibleInterface(texts_[i]);
        added.push_back(texts_[i]);
      }
    }
    if (tell) {
      Tell(gone, QAccessible::ObjectDestroyed);
      Tell(renamed, QAccessible::NameChanged);
      Tell(added, QAccessible::ObjectCreated);
    }
    for (TextAccessible *t : gone) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(t));
  }

  // Whether anything reads them: assistive technology, or a caller that
  // has asked for them.
  bool Followed() const { return asked_ || QAccessible::isActive(); }

  int childCount() const override { return int(Texts().size()); }
  QAccessibleInterface *child(int index) const override {
    return index >= 0 && index < childCount() ? texts_[index] : nullptr;
  }
  int indexOfChild(const QAccessibleInterface *child) const override {
    const auto &texts = Texts();
    auto it = std::find(texts.begin(), texts.end(), child);
    return it == texts.end() ? -1 : int(it - texts.begin());
  }
  // The first in reading order of the texts at that point of the screen.
  QAccessibleInterface *childAt(int x, int y) const override {
    const auto &texts = Texts();
    auto it = std::find_if(texts.begin(), texts.end(),
                           [&](const TextAccessible *t) { return t->rect().contains(x, y); });
    return it == texts.end() ? nullptr : *it;
  }

 private:
  static void Tell(const std::vector<TextAccessible *> &texts, QAccessible::Event type) {
    for (TextAccessible *t : texts) {
      QAccessibleEvent e(t, type);
      g_listener ? g_listener(&e) : QAccessible::updateAccessibility(&e);
    }
  }

  // Asked for the first time, they catch up untold: nobody knew them.
  const std::vector<TextAccessible *> &Texts() const {
    if (!asked_) asked_ = true, const_cast<ScreenAccessible *>(this)->Follow(false);
    return texts_;
  }

  std::vector<TextAccessible *> texts_;  // in reading order
  std::uint64_t changes_ = 0;            // the layer's count they follow
  mutable bool asked_ = false;
};

QAccessibleInterface *ScreenFactory(const QString &, QObject *o) {
  const Window *w = WindowOf(o);
  return o && o->isWidgetType() && w && w->kind == WindowKind::TopLevel
             ? new ScreenAccessible(static_cast<QWidget *>(o))
             : nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(ScreenFactory); }

void ListenToAccessibilityForTesting(void (*listen)(QAccessibleEvent *)) { g_listener = listen; }

void TellTextChanges() {
  for (ScreenAccessible *s : g_screens)
    if (s->Followed()) s->Follow(true);
}
