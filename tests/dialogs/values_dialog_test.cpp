// The value dialog as F2 opens it on the real window, driven by keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

// The random texts after the table have no value of their own: each only has
// to end in range, that is unchanged by a clamp.
TEST(ValuesDialog, EnterPressesOkWhichClampsWhateverIsEnteredIntoRange) {
  struct Case {
    std::string load, source;
    double loadOhms, sourceOhms;  // 0: any value in range
  };
  const std::string nines(10000, '9'), cutLoad = std::string(158, '0') + "42",
                                       cutSource = std::string(158, ' ') + "1234";
  std::vector<Case> cases = {
      {"0", "5", 0.1, 10},        {"-5", "200", 0.1, 200},        {"abc", "500", 0.1, 400},
      {"", "", 0.1, 10},          {"20000", "10", 10000, 10},     {"1e9", "400", 10000, 400},
      {"1d3", "1D2", 1000, 100},  {" 42 ohms", "  50", 42, 50},   {"1,5", "1,5", 1, 10},
      {"0.1", "9.999", 0.1, 10},  {"1e400", "-1e400", 10000, 10}, {"1e-400", "1e400", 0.1, 400},
      {"0x1A", "inf", 0.1, 10},   {"nan", "+7.5E+1", 0.1, 75},    {"\xC3\xB6l", "\t", 0.1, 10},
      {nines, nines, 10000, 400}, {cutLoad, cutSource, 4, 10},    {"1e4", "400.1", 1e4, 400},
  };
  const std::string alphabet = "0123456789.+-eEdDx ,\t\xE9\x80";
  std::mt19937 random(7);
  for (int i = 0; i < 150; ++i) {
    std::string texts[2];
    for (std::string &text : texts)
      for (int length = int(random() % 24); length > 0; --length)
        text += alphabet[int(random() % alphabet.size())];
    cases.push_back({texts[0], texts[1], 0, 0});
  }
  TestWindow w;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.load.substr(0, 20) + " | " + c.source.substr(0, 20));
    WithDialog([&] { w.Key(VK_F2); },
               [&](HWND) {
                 Paste(c.load);
                 Press(VK_TAB);
                 Paste(c.source);
                 Press(VK_RETURN);
               });
    EXPECT_EQ(g_loadOhms, c.loadOhms ? c.loadOhms : std::clamp(g_loadOhms, 0.1, 10000.0));
    EXPECT_EQ(g_sourceOhms, c.sourceOhms ? c.sourceOhms : std::clamp(g_sourceOhms, 10.0, 400.0));
  }
}

// F2 stops the run, and the repaint after either way of closing resets it, so
// the next run is that of a window started with the values in force.
TEST(ValuesDialog, TypingReplacesTheValuesForTheRunAfterOkButNotAfterCancel) {
  constexpr int kTicks = 400;  // past the first round trip
  struct Case {
    const char *name;
    int close;  // 0: the close box
    double loadOhms, sourceOhms;
  };
  const Case cases[] = {
      {"enter", VK_RETURN, 1000, 10}, {"escape", VK_ESCAPE, 75, 35}, {"close box", 0, 75, 35}};
  auto runImage = [](TestWindow &w) {
    w.Key(VK_RETURN);
    w.Ticks(kTicks);
    return ScreenForTesting(w.hwnd);
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::uint32_t> reference =
        runImage(*std::make_unique<TestWindow>(c.loadOhms, c.sourceOhms));
    TestWindow w;
    w.Key(VK_RETURN);
    w.Ticks(20);
    WithDialog([&] { w.Key(VK_F2); },
               [&](HWND dialog) {
                 Type("1000");
                 Press(VK_TAB);
                 Type("10");
                 c.close ? Press(c.close) : CloseBoxForTesting(dialog);
               });
    EXPECT_EQ(g_loadOhms, c.loadOhms);
    EXPECT_EQ(g_sourceOhms, c.sourceOhms);
    UpdateWindow(w.hwnd);
    EXPECT_TRUE(runImage(w) == reference);
  }
}
