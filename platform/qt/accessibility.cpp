// A top-level window's texts on Qt's accessibility: a frame named by its
// title, each text a static text child at its box, in reading order; what
// the drawing core gives to say is a notification, which a screen reader
// speaks. The children follow the core's account of what came, was redrawn
// and went, once assistive technology is on or asks.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <utility>
#include <vector>

#include "platform/gdi/reading.h"
#include "platform/qt/internal.h"

namespace {

void (*g_listener)(QAccessibleEvent *) = nullptr;  // a test's, in place of Qt's

void Tell(QAccessibleInterface *child, QAccessible::Event type) {
  QAccessibleEvent e(child, type);
  g_listener ? g_listener(&e) : QAccessible::updateAccessibility(&e);
}

// A text of the window, or the notification: a name at a box, no children.
class Leaf : public QAccessibleInterface {
 public:
  Leaf(QAccessibleInterface *parent, QAccessible::Role role) : parent_(parent), role_(role) {
    QAccessible::registerAccessibleInterface(this);
  }
  QString name;
  Rect box;
  std::uint32_t id = 0;  // the shown text's

  bool isValid() const override { return true; }
  QObject *object() const override { return nullptr; }
  QWindow *window() const override { return parent_->window(); }
  QAccessibleInterface *childAt(int, int) const override { return nullptr; }
  QAccessibleInterface *parent() const override { return parent_; }
  QAccessibleInterface *child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface *) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? name : QString();
  }
  void setText(QAccessible::Text, const QString &) override {}
  // The box is in the widget's own coordinates, logical pixels as Qt's are;
  // the part of it outside the client area is not shown.
  QRect rect() const override {
    const QRect client = parent_->rect();
    return QRect(client.x() + box.left, client.y() + box.top, box.Width(), box.Height()) & client;
  }
  QAccessible::Role role() const override { return role_; }
  // The notification is not among the texts read: it is only spoken.
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = role_ != QAccessible::StaticText;
    return s;
  }

 private:
  QAccessibleInterface *parent_;
  QAccessible::Role role_;
};

void Drop(Leaf *t) { QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(t)); }

class ScreenAccessible : public QAccessibleWidget {
 public:
  explicit ScreenAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::Window) {}
  ~ScreenAccessible() override {
    for (Leaf *t : texts_) Drop(t);
    if (notice_) Drop(static_cast<Leaf *>(notice_->parent())), Drop(notice_);
  }

  // Takes what changed since the last time; `tell` sends it. A text not
  // shown now has gone.
  void Follow(bool tell) {
    const Window *w = WindowOf(widget());
    static TextChanges c;
    if (!w || !ReadTextChanges(w->surface, reader_, c)) return;
    std::vector<Leaf *> was = std::move(texts_);
    std::vector<std::pair<Leaf *, QAccessible::Event>> told;
    texts_.clear();
    for (int i = 0; i < c.now.count; ++i) {
      const ShownText &s = *c.now.texts[i];
      auto it = std::ranges::find_if(was, [&](Leaf *t) { return t && t->id == s.id; });
      const bool came = c.afresh || it == was.end();
      Leaf *t = came ? new Leaf(this, QAccessible::StaticText) : std::exchange(*it, nullptr);
      if (came || c.change[i] == TextChanges::Renamed)
        told.push_back({t, came ? QAccessible::ObjectCreated : QAccessible::NameChanged});
      t->id = s.id;
      t->name = QString::fromUtf8(s.chars, s.length);
      t->box = s.box;
      texts_.push_back(t);
    }
    for (Leaf *t : was) {
      if (t && tell) Tell(t, QAccessible::ObjectDestroyed);
      if (t) Drop(t);
    }
    for (auto [t, type] : told)
      if (tell) Tell(t, type);
  }

  // Shows what is due to be said, as a notification that comes.
  void Say(const Utterance &u) {
    // In a status bar, a notification is spoken without its role's name.
    if (!notice_)
      notice_ = new Leaf(new Leaf(this, QAccessible::StatusBar), QAccessible::Notification);
    notice_->name = QString::fromUtf8(u.chars, u.length);
    Tell(notice_, QAccessible::ObjectShow);
  }

  // Whether anything reads them: assistive technology, or a caller that
  // has asked for them.
  bool Followed() const { return asked_ || QAccessible::isActive(); }

  int childCount() const override { return int(Texts().size()); }
  QAccessibleInterface *child(int index) const override {
    return index >= 0 && index < childCount() ? texts_[index] : nullptr;
  }
  int indexOfChild(const QAccessibleInterface *child) const override {
    const auto at = std::ranges::find(Texts(), child) - texts_.begin();
    return at < childCount() ? int(at) : -1;
  }

 private:
  // Asked for the first time, they catch up untold: nobody knew them.
  const std::vector<Leaf *> &Texts() const {
    if (!asked_) asked_ = true, const_cast<ScreenAccessible *>(this)->Follow(false);
    return texts_;
  }

  std::vector<Leaf *> texts_;  // in reading order
  TextReader reader_;
  Leaf *notice_ = nullptr;
  mutable bool asked_ = false;
};

// A dialog's one-line field: its text read whole, and no boundary looked
// for past its end, where Qt's search for one never ends.
class FieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit FieldAccessible(QLineEdit *e) : QAccessibleWidget(e, QAccessible::EditableText) {}
  QLineEdit *Line() const { return static_cast<QLineEdit *>(widget()); }

  void *interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                           : QAccessibleWidget::interface_cast(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !(s.readOnly = Line()->isReadOnly());
    s.selectableText = true;
    return s;
  }

  void selection(int, int *start, int *end) const override {
    *start = Line()->selectionStart(), *end = Line()->selectionEnd();  // -1 for none
  }
  int selectionCount() const override { return Line()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { Line()->deselect(); }
  void setSelection(int, int start, int end) override { Line()->setSelection(start, end - start); }
  int cursorPosition() const override { return Line()->cursorPosition(); }
  void setCursorPosition(int at) override { Line()->setCursorPosition(at); }
  QString text(int start, int end) const override { return Line()->text().mid(start, end - start); }
  int characterCount() const override { return int(Line()->text().size()); }
  // Where the character stands, the field scrolled to its start.
  QRect characterRect(int offset) const override {
    const QFontMetrics m(Line()->font());
    const QRect inside = Line()->contentsRect();
    const QPoint at(inside.x() + 2 + m.horizontalAdvance(Line()->text().left(offset)),
                    inside.y() + (inside.height() - m.height()) / 2);
    return QRect(Line()->mapToGlobal(at),
                 QSize(m.horizontalAdvance(Line()->text().mid(offset, 1)), m.height()));
  }
  int offsetAtPoint(const QPoint &) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  // One run of the same attributes: a screen reader speaks a run at a time.
  QString attributes(int, int *start, int *end) const override {
    *start = 0;
    *end = characterCount();
    return QString();
  }
  // At the end no character, word or sentence is, nor anything after it;
  // the line is the whole text.
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                       int *end) const override {
    if (!AtEnd(offset, start, end))
      return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
    if (type >= QAccessible::ParagraphBoundary) *start = 0;
    return text(*start, *end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                          int *end) const override {
    return AtEnd(offset, start, end)
               ? QString()
               : QAccessibleTextInterface::textAfterOffset(offset, type, start, end);
  }

 private:
  bool AtEnd(int &offset, int *start, int *end) const {
    if (offset == -2) offset = cursorPosition();
    *start = *end = characterCount();
    return offset >= characterCount();
  }
};

QAccessibleInterface *Factory(const QString &, QObject *o) {
  if (auto *line = qobject_cast<QLineEdit *>(o)) return new FieldAccessible(line);
  const Window *w = WindowOf(o);
  return o && o->isWidgetType() && w && w->kind == WindowKind::TopLevel
             ? new ScreenAccessible(static_cast<QWidget *>(o))
             : nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(Factory); }

void ListenToAccessibilityForTesting(void (*listen)(QAccessibleEvent *)) { g_listener = listen; }

bool DriverTellTexts(Window *w) {
  auto *s = dynamic_cast<ScreenAccessible *>(QAccessible::queryAccessibleInterface(WidgetOf(w)));
  if (s && s->Followed()) s->Follow(true);
  return s && s->Followed();
}

void DriverSay(Window *w, const Utterance &u) {
  static_cast<ScreenAccessible *>(QAccessible::queryAccessibleInterface(WidgetOf(w)))->Say(u);
}
