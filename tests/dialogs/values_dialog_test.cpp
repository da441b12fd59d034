// The value dialog as F2 opens it on the real window, driven by keys.
#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <string>

#include "app/qt_internal.h"
#include "dialogs/dialogs.h"
#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

namespace {

// Opens the dialog with F2, pastes the two texts and presses ENTER.
void EnterValues(TestWindow &w, const QString &load, const QString &source) {
  WithDialog([&] { w.Key(VK_F2); },
             [&](QWidget *) {
               Paste(load);
               Press(Qt::Key_Tab);
               Paste(source);
               Press(Qt::Key_Return);
             });
}

QImage ScreenOf(const TestWindow &w) { return w.hwnd->screen.copy(); }

}  // namespace

TEST(ValuesDialog, OpensWithTheValuesShownAndTheLoadFieldSelected) {
  TestWindow w;
  WithDialog([&] { w.Key(VK_F2); },
             [&](QWidget *dialog) {
               EXPECT_EQ(dialog->windowTitle().toStdString(), "Load value");
               QLineEdit *load = LineField(dialog, 0);
               QLineEdit *source = LineField(dialog, 1);
               ASSERT_NE(load, nullptr);
               ASSERT_NE(source, nullptr);
               EXPECT_EQ(load->text().toStdString(), "75");
               EXPECT_EQ(source->text().toStdString(), "35");
               EXPECT_EQ(QApplication::focusWidget(), load);
               EXPECT_EQ(load->selectedText().toStdString(), "75");
               Press(Qt::Key_Escape);
             });
}

TEST(ValuesDialog, TypingReplacesTheSelectionAndEnterPressesOk) {
  TestWindow w;
  WithDialog([&] { w.Key(VK_F2); },
             [&](QWidget *dialog) {
               Type("120");
               EXPECT_EQ(LineField(dialog, 0)->text().toStdString(), "120");
               Press(Qt::Key_Tab);  // Tab selects the whole of the next field
               Type("200");
               EXPECT_EQ(LineField(dialog, 1)->text().toStdString(), "200");
               Press(Qt::Key_Return);
             });
  EXPECT_EQ(g_loadOhms, 120.0);
  EXPECT_EQ(g_sourceOhms, 200.0);
}

TEST(ValuesDialog, OkWithoutEditingKeepsTheValuesAsShown) {
  struct Case {
    double load, source;
    double newLoad, newSource;
  };
  const Case cases[] = {
      {75, 35, 75, 35},       {123.4, 35, 120, 35}, {9960, 399, 10000, 400},
      {0.104, 12.5, 0.1, 13}, {0.1, 10, 0.1, 10},   {10000, 400, 10000, 400},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.load) + " " + std::to_string(c.source));
    TestWindow w(c.load, c.source);
    WithDialog([&] { w.Key(VK_F2); }, [](QWidget *) { Press(Qt::Key_Return); });
    EXPECT_EQ(g_loadOhms, c.newLoad);
    EXPECT_EQ(g_sourceOhms, c.newSource);
  }
}

TEST(ValuesDialog, EscapeAndTheCloseBoxLeaveTheValuesAlone) {
  struct Case {
    const char *name;
    std::function<void(QWidget *)> cancel;
  };
  const Case cases[] = {
      {"escape", [](QWidget *) { Press(Qt::Key_Escape); }},
      {"close box", [](QWidget *dialog) { dialog->close(); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    WithDialog([&] { w.Key(VK_F2); },
               [&](QWidget *dialog) {
                 Type("5");
                 Press(Qt::Key_Tab);
                 Type("500");
                 c.cancel(dialog);
               });
    EXPECT_EQ(g_loadOhms, 75.0);
    EXPECT_EQ(g_sourceOhms, 35.0);
  }
}

TEST(ValuesDialog, ClampsWhateverIsTypedIntoRange) {
  struct Case {
    const char *load, *source;
    double loadOhms, sourceOhms;
  };
  const Case cases[] = {
      {"0", "5", 0.1, 10},
      {"-5", "200", 0.1, 200},
      {"abc", "500", 0.1, 400},
      {"", "", 0.1, 10},
      {"20000", "10", 10000, 10},
      {"1e9", "400", 10000, 400},
      {"1d3", "1D2", 1000, 100},
      {" 42 ohms", "  50", 42, 50},
      {"1,5", "1,5", 1, 10},
      {"0.1", "9.999", 0.1, 10},
      {"10000", "400.0001", 10000, 400},
      {"1e400", "-1e400", 10000, 10},
      {"1e-400", "1e400", 0.1, 400},
      {"0x1A", "0x1A", 0.1, 10},
      {"inf", "nan", 0.1, 10},
      {".", "-.5", 0.1, 10},
      {"1e", "1e+", 1, 10},
      {"--5", "+7.5E+1", 0.1, 75},
      {"1D3", "1.e+002", 1000, 100},
      {"\xC3\xB6l\xC3\xA7\xC3\xBC", "\xD0\xBE\xD0\xBC", 0.1, 10},
      {"   ", "\t", 0.1, 10},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.load) + " | " + c.source);
    TestWindow w;
    EnterValues(w, QString::fromUtf8(c.load), QString::fromUtf8(c.source));
    EXPECT_EQ(g_loadOhms, c.loadOhms);
    EXPECT_EQ(g_sourceOhms, c.sourceOhms);
  }
}

TEST(ValuesDialog, ReadsTheFirst159CharactersOfTenThousandPasted) {
  struct Case {
    const char *name;
    QString load, source;
    double loadOhms, sourceOhms;
  };
  const Case cases[] = {
      {"nines", QString(10000, '9'), QString(10000, '9'), 10000, 400},
      {"the 160th character is cut", QString(158, '0') + "42", QString(158, ' ') + "1234", 4, 10},
      {"letters", QString(10000, 'x'), QString(10000, 'x'), 0.1, 10},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    EnterValues(w, c.load, c.source);
    EXPECT_EQ(g_loadOhms, c.loadOhms);
    EXPECT_EQ(g_sourceOhms, c.sourceOhms);
  }
}

TEST(ValuesDialog, RandomTextAlwaysEndsInRange) {
  const std::string alphabet = "0123456789.+-eEdDx ,\t";
  const QString extra = QString::fromUtf8("\xC3\xA9\xE2\x82\xAC");  // é and the euro sign
  std::mt19937 random(7);
  TestWindow w;
  for (int i = 0; i < 150; ++i) {
    QString texts[2];
    for (QString &text : texts) {
      int length = int(random() % 24);
      for (int k = 0; k < length; ++k) {
        std::size_t pick = random() % (alphabet.size() + 2);
        text += pick < alphabet.size() ? QChar(alphabet[pick]) : extra[int(pick - alphabet.size())];
      }
    }
    SCOPED_TRACE((texts[0] + " | " + texts[1]).toStdString());
    EnterValues(w, texts[0], texts[1]);
    EXPECT_GE(g_loadOhms, 0.1);
    EXPECT_LE(g_loadOhms, 10000.0);
    EXPECT_GE(g_sourceOhms, 10.0);
    EXPECT_LE(g_sourceOhms, 400.0);
  }
}

TEST(ValuesDialog, TheRepaintAfterOkShowsTheNewValues) {
  QImage entered, reference, before;
  {
    TestWindow w;
    before = ScreenOf(w);
    EnterValues(w, "120", "200");
    UpdateWindow(w.hwnd);
    entered = ScreenOf(w);
  }
  {
    TestWindow w(120, 200);
    reference = ScreenOf(w);
  }
  EXPECT_TRUE(entered == reference);
  EXPECT_FALSE(entered == before);
}

TEST(ValuesDialog, TheNextRunUsesTheNewValues) {
  constexpr int kTicks = 400;  // past the first round trip
  QImage entered, reference;
  {
    TestWindow w;
    w.Key(VK_RETURN);
    w.Ticks(20);
    EnterValues(w, "1000", "10");
    UpdateWindow(w.hwnd);
    EXPECT_EQ(g_running, 0);
    EXPECT_EQ(g_phaseDeg, 0);
    w.Key(VK_RETURN);
    w.Ticks(kTicks);
    entered = ScreenOf(w);
  }
  {
    TestWindow w(1000, 10);
    w.Key(VK_RETURN);
    w.Ticks(kTicks);
    reference = ScreenOf(w);
  }
  EXPECT_TRUE(entered == reference);
}

TEST(ValuesDialog, CancelStillStopsAndResetsTheRun) {
  TestWindow w;
  w.Key(VK_RETURN);
  w.Ticks(10);
  WithDialog([&] { w.Key(VK_F2); }, [](QWidget *) { Press(Qt::Key_Escape); });
  EXPECT_EQ(g_running, 0);
  UpdateWindow(w.hwnd);
  EXPECT_EQ(g_phaseDeg, 0);
}
