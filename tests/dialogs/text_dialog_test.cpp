// The supporting text dialog as F3 opens it on the real window.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <string>

#include "app/qt_internal.h"
#include "dialogs/dialogs.h"
#include "dialogs/supporting_text.h"
#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

namespace {

INT_PTR OpenTextDialog(const TestWindow &w) {
  return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_TEXT), w.hwnd, TextDlgProc, 0);
}

}  // namespace

TEST(TextDialog, ShowsTheWholeTextReadOnlyWithOkFocused) {
  TestWindow w;
  WithDialog([&] { w.Key(VK_F3); },
             [&](QWidget *dialog) {
               EXPECT_EQ(dialog->windowTitle().toStdString(), "Ondulane");
               QPlainTextEdit *field = TextField(dialog);
               ASSERT_NE(field, nullptr);
               std::string shown = field->toPlainText().replace("\n", "\r\n").toStdString();
               EXPECT_EQ(shown, kSupportingText);
               EXPECT_EQ(QApplication::focusWidget(), OkButton(dialog));
               Press(Qt::Key_Tab);
               EXPECT_EQ(QApplication::focusWidget(), field);
               Type("x");
               Press(Qt::Key_Delete);
               EXPECT_EQ(field->toPlainText().replace("\n", "\r\n").toStdString(), kSupportingText);
               Press(Qt::Key_Tab);
               Press(Qt::Key_Return);
             });
}

TEST(TextDialog, ClosesOnOkEscapeAndTheCloseBox) {
  struct Case {
    const char *name;
    std::function<void(QWidget *)> close;
    INT_PTR result;
  };
  const Case cases[] = {
      {"enter", [](QWidget *) { Press(Qt::Key_Return); }, 1},
      {"space bar", [](QWidget *) { Press(Qt::Key_Space); }, 1},
      {"enter in the text field",
       [](QWidget *) {
         Press(Qt::Key_Tab);
         Press(Qt::Key_Return);
       },
       1},
      {"click on OK", [](QWidget *dialog) { OkButton(dialog)->click(); }, 1},
      {"escape", [](QWidget *) { Press(Qt::Key_Escape); }, 0},
      {"close box", [](QWidget *dialog) { dialog->close(); }, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    INT_PTR result = -1;
    WithDialog([&] { result = OpenTextDialog(w); }, c.close);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

TEST(TextDialog, F3PausesARunThatEnterResumesFromThePhaseReached) {
  TestWindow w;
  w.Key(VK_RETURN);
  w.Ticks(5);
  ASSERT_FALSE(w.hwnd->invalid);
  WithDialog([&] { w.Key(VK_F3); }, [](QWidget *) { Press(Qt::Key_Return); });
  EXPECT_EQ(g_running, 0);
  EXPECT_EQ(g_phaseDeg, 15);
  EXPECT_FALSE(w.hwnd->invalid);
  w.Key(VK_RETURN);
  w.Tick();
  EXPECT_EQ(g_running, 1);
  EXPECT_EQ(g_phaseDeg, 18);
}

TEST(TextDialog, WrapsTheParagraphsAndScrollsVertically) {
  TestWindow w;
  WithDialog([&] { OpenTextDialog(w); },
             [&](QWidget *dialog) {
               QPlainTextEdit *field = TextField(dialog);
               ASSERT_NE(field, nullptr);
               QTextDocument *document = field->document();
               ASSERT_EQ(document->blockCount(), 27);  // 14 paragraphs, 13 empty lines
               for (int i = 0; i < document->blockCount(); ++i) {
                 SCOPED_TRACE(i);
                 EXPECT_EQ(document->findBlockByNumber(i).text().isEmpty(), i % 2 == 1);
               }
               EXPECT_GT(document->firstBlock().layout()->lineCount(), 1);
               EXPECT_FALSE(field->horizontalScrollBar()->isVisible());
               EXPECT_TRUE(field->verticalScrollBar()->isVisible());
               EXPECT_GT(field->verticalScrollBar()->maximum(), 0);
               Press(Qt::Key_Escape);
             });
}

TEST(TextDialog, IndentsTheFormulasToTheFirstDefaultTabStop) {
  TestWindow w;
  WithDialog([&] { OpenTextDialog(w); },
             [&](QWidget *dialog) {
               QPlainTextEdit *field = TextField(dialog);
               ASSERT_NE(field, nullptr);
               int average = QFontMetrics(field->font()).averageCharWidth();
               for (int paragraph : {4, 5, 8, 10}) {
                 SCOPED_TRACE(paragraph);
                 QTextBlock block = field->document()->findBlockByNumber(2 * (paragraph - 1));
                 QTextCursor cursor(block);
                 int left = field->cursorRect(cursor).left();
                 cursor.movePosition(QTextCursor::NextCharacter);
                 int indent = field->cursorRect(cursor).left() - left;
                 EXPECT_EQ(indent, int(field->tabStopDistance()));
                 EXPECT_GE(indent, 6 * average);
                 EXPECT_LE(indent, 10 * average);
               }
               Press(Qt::Key_Escape);
             });
}

TEST(TextDialog, LetsTheTextBeSelectedAndCopied) {
  TestWindow w;
  QGuiApplication::clipboard()->clear();
  WithDialog([&] { OpenTextDialog(w); },
             [&](QWidget *) {
               Press(Qt::Key_Tab);
               Press(Qt::Key_A, Qt::ControlModifier);
               Press(Qt::Key_C, Qt::ControlModifier);
               Press(Qt::Key_Escape);
             });
  QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.contains("\tEMF = 1 + Z/Zo,"));
  EXPECT_TRUE(copied.contains("\tR = 50 * VSWR = 50 * (1 + Rho) / (1 - Rho)."));
}
