// What the main window gives Qt's accessibility: a frame named by its title
// with a static text for every text it shows, where it shows it, each change
// told once.
#include <gtest/gtest.h>

#include <QAccessible>
#include <cstdint>
#include <functional>
#include <map>

#include "platform/gdi/reading.h"
#include "platform/qt/testing.h"
#include "platform/user/window.h"
#include "tests/app/test_window.h"
#include "tests/platform/qt/qt_user.h"

namespace {

QAccessibleInterface *MainAccessible() {
  return QAccessible::queryAccessibleInterface(MainWidget());
}

// The names the main window's texts have had told, by interface.
std::map<QAccessible::Id, QString> g_told;
int g_tellings = 0;
int g_renamings = 0;
bool g_toldTwice = false;  // a text came that was there, or went or changed that was not

void Record(QAccessibleEvent *e) {
  QAccessibleInterface *text = e->accessibleInterface();
  if (!text || text->parent() != MainAccessible()) return;
  const QAccessible::Id id = e->uniqueId();
  const bool known = g_told.count(id);
  ++g_tellings;
  if (e->type() == QAccessible::ObjectCreated) {
    g_toldTwice |= known;
    g_told[id] = text->text(QAccessible::Name);
  } else if (e->type() == QAccessible::ObjectDestroyed) {
    g_toldTwice |= !known;
    g_told.erase(id);
  } else if (e->type() == QAccessible::NameChanged) {
    g_toldTwice |= !known || g_told[id] == text->text(QAccessible::Name);
    g_told[id] = text->text(QAccessible::Name);
    ++g_renamings;
  }
}

// Reads the window's texts as a screen reader would, and listens from then on.
class Listening {
 public:
  Listening() {
    ListenToAccessibilityForTesting(Record);
    g_told.clear();
    QAccessibleInterface *main = MainAccessible();
    for (int i = 0; i < main->childCount(); ++i)
      g_told[QAccessible::uniqueId(main->child(i))] = main->child(i)->text(QAccessible::Name);
    g_tellings = g_renamings = 0;
    g_toldTwice = false;
  }
  ~Listening() { ListenToAccessibilityForTesting(nullptr); }
};

}  // namespace

// Each child is a static text of the layer, in reading order, named by its
// characters, in any script, and lying at its box on the screen, within the
// window.
TEST(Accessibility, TheMainWindowsChildrenAreItsTextsInReadingOrder) {
  struct Case {
    const char *name;
    int ticks;  // after ENTER
    QSize size;
  };
  const Case cases[] = {
      {"during a run", 500, QSize(1000, 700)},
      {"texts cut by the window's edge", 960, QSize(600, 400)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    ResizeClientForTesting(w.hwnd, c.size.width(), c.size.height());
    w.Key(VK_RETURN);
    w.Ticks(c.ticks);
    HDC dc = GetDC(w.hwnd);
    TextOutA(dc, 20, 300, "Привет", 12);
    ReleaseDC(w.hwnd, dc);
    PumpMessagesForTesting();
    static Reading r;
    ReadTexts(w.hwnd->surface, r);
    QAccessibleInterface *main = MainAccessible();
    const QRect client(MainWidget()->mapToGlobal(QPoint(0, 0)), c.size);
    ASSERT_EQ(main->childCount(), r.count);
    for (int i = 0; i < r.count; ++i) {
      const Rect &box = r.texts[i]->box;
      QAccessibleInterface *text = main->child(i);
      EXPECT_EQ(text->text(QAccessible::Name),
                QString::fromUtf8(r.texts[i]->chars, r.texts[i]->length));
      EXPECT_EQ(text->rect(),
                QRect(box.left, box.top, box.Width(), box.Height()).translated(client.topLeft()) &
                    client);
      EXPECT_EQ(text->parent(), main);
      EXPECT_EQ(main->indexOfChild(text), i);
      const QPoint inside = text->rect().center();
      EXPECT_TRUE(main->childAt(inside.x(), inside.y())->rect().contains(inside));
    }
  }
}

// Told when the window waits, each text that came, went or was redrawn in
// place with other characters is told once; texts that stay as they were
// are not told again. A paint starts the picture afresh: its texts went and
// came, and are there to be read, not said.
TEST(Accessibility, EachChangeIsToldOnce) {
  struct Case {
    const char *name;
    int ticks;  // after ENTER before listening; -1: not started
    std::function<void(TestWindow &)> step;
    int steps;
    bool renames;  // a readout keeps its place with new characters
  };
  const Case cases[] = {
      {"a whole run, waited on after each tick", 0, [](TestWindow &w) { w.Tick(); }, 961, true},
      {"F1 after a run", 960, [](TestWindow &w) { w.Key(VK_F1); }, 1, false},
      {"a resize after a run", 960, [](TestWindow &w) { ResizeClientForTesting(w.hwnd, 800, 600); },
       1, false},
      {"a repaint at the start", -1, [](TestWindow &w) { w.Paint(); }, 1, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    if (c.ticks >= 0) w.Key(VK_RETURN), w.Ticks(c.ticks);
    PumpMessagesForTesting();
    Listening listening;
    for (int i = 0; i < c.steps; ++i) {
      const std::uint64_t changes = w.hwnd->surface.texts.changes;
      const int before = g_tellings;
      c.step(w);
      PumpMessagesForTesting();
      if (w.hwnd->surface.texts.changes == changes) {
        ASSERT_EQ(g_tellings, before);
      }
      const int told = g_tellings;
      PumpMessagesForTesting();
      ASSERT_EQ(g_tellings, told);  // a wait with nothing new
      QAccessibleInterface *main = MainAccessible();
      ASSERT_EQ(main->childCount(), int(g_told.size()));
      for (int k = 0; k < main->childCount(); ++k)
        ASSERT_EQ(g_told[QAccessible::uniqueId(main->child(k))],
                  main->child(k)->text(QAccessible::Name));
    }
    EXPECT_FALSE(g_toldTwice);
    EXPECT_EQ(g_renamings > 0, c.renames);
    EXPECT_GT(g_tellings, 0);
  }
}
