#include "platform/gdi/reading.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/state.h"
#include "platform/headless/testing.h"
#include "platform/user/window.h"
#include "tests/app/test_window.h"
#include "tests/platform/gdi/sheet.h"

namespace {

// The texts in reading order, each block's lines joined by " / " and the
// blocks by " | ".
std::string Read(const Surface &s) {
  static Reading r;
  ReadTexts(s, r);
  std::string read;
  for (int i = 0; i < r.count; ++i) {
    if (i > 0) read += r.block[i] == r.block[i - 1] ? " / " : " | ";
    read += r.texts[i]->Text();
  }
  return read;
}

// What is said over `ticks` ticks of 50 ms after ENTER, with the tick each
// utterance was given at.
struct Heard {
  int tick;
  std::string said;
};
std::vector<Heard> HearRun(TestWindow &w, int ticks, std::int64_t startMs = 0) {
  std::vector<Heard> heard;
  Utterance u;
  EXPECT_FALSE(TakeUtterance(w.hwnd->surface, startMs, u)) << "the picture is said";
  w.Key(VK_RETURN);
  for (int i = 1; i <= ticks + 200; ++i) {
    if (i <= ticks) w.Tick();
    while (TakeUtterance(w.hwnd->surface, startMs + std::int64_t(i) * 50, u))
      heard.push_back({i, std::string(u.chars, std::size_t(u.length))});
  }
  return heard;
}

}  // namespace

// Lines stacked a line apart on a shared edge or centre are one block;
// blocks read whole, by their first lines, top to bottom, then left to right.
TEST(Reading, LinesThatBelongTogetherReadAsOneBlock) {
  constexpr int L = Sheet::kLine;
  struct Text {
    int x, y;
    const char *text;
    UINT align = TA_LEFT;
  };
  struct Case {
    const char *what;
    std::vector<Text> texts;
    const char *read;
  };
  const Case cases[] = {
      {"two columns side by side",
       {{10, 100, "Output"}, {300, 100, "ENTER"}, {10, 100 + L, "across"}, {300, 100 + L, "F1"}},
       "Output / across | ENTER / F1"},
      {"a caption over its figure",
       {{10, 10, "Power ="}, {10, 10 + L, "11.0 dBm"}},
       "Power = / 11.0 dBm"},
      {"right-aligned lines",
       {{390, 0, "Ondulane", TA_RIGHT}, {390, L, "A teaching aid", TA_RIGHT}},
       "Ondulane / A teaching aid"},
      {"centred lines", {{200, 0, "Title", TA_CENTER}, {200, L, "Sub", TA_CENTER}}, "Title / Sub"},
      {"about a line apart", {{10, 10, "a"}, {10, 10 + L + L / 4, "b"}}, "a / b"},
      {"further apart", {{10, 10, "a"}, {10, 10 + L + L / 4 + 1, "b"}}, "a | b"},
      {"a pixel off the edge", {{10, 10, "a"}, {11, 10 + L, "b"}}, "a | b"},
      {"a marker between a table's lines",
       {{200, 10, "Z1 = 1"}, {50, 12, "Z 1"}, {200, 10 + L, "Z2 = 2"}},
       "Z1 = 1 / Z2 = 2 | Z 1"},
      {"a block below another one's start, beside it",
       {{10, 50, "Ratio"}, {10, 50 + L, "Rho"}, {300, 60, "load"}},
       "Ratio / Rho | load"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    Sheet sheet;
    for (const Text &t : c.texts) sheet.Text(t.x, t.y, t.text, true, t.align);
    EXPECT_EQ(Read(sheet.surface), c.read);
  }
}

// A reader is told what came, what was redrawn in place and what went since
// it last asked, each text by its identity; what changes no text tells it
// nothing.
TEST(Reading, AReaderIsToldWhatChangedSinceItLastAsked) {
  const auto put = [](int x, int y, const char *text, bool opaque = true) {
    return [=](Sheet &s) { s.Text(x, y, text, opaque); };
  };
  const auto line = [](int mix) {
    return [=](Sheet &s) { SetROP2(s.dc, mix), s.Line(0, 15, 400, 15); };
  };
  const auto ellipse = [](int x, int y) {
    return [=](Sheet &s) { Ellipse(s.dc, x, y, x + 60, y + 60); };
  };
  const auto fill = [](Sheet &s) { FillSurface(s.surface, kWhite); };
  struct Case {
    const char *what;
    std::function<void(Sheet &)> act;
    const char *told;
  };
  const Case cases[] = {
      {"a text, to a new reader", put(10, 10, "1.000V"), "afresh +1.000V, 0 went"},
      {"the same text again", put(10, 10, "1.000V"), "nothing"},
      {"the same drawn transparent", put(10, 10, "1.000V", false), "nothing"},
      {"another value in place", put(10, 10, "10.966V"), "~10.966V, 0 went"},
      {"a text beside it", put(200, 10, "Z 1"), "+Z 1, 0 went"},
      {"another one in its place", put(200, 10, "Z 2"), "~Z 2, 0 went"},
      {"a text outside the surface", put(500, 10, "Z 3"), "nothing"},
      {"a text of no characters", put(10, 50, ""), "nothing"},
      {"a pixel on it", [](Sheet &s) { SetPixel(s.dc, 12, 12, kRed); }, "nothing"},
      {"an inverted line through it", line(R2_NOTXORPEN), "nothing"},
      {"a line through it", line(R2_COPYPEN), "nothing"},
      {"an ellipse beside it", ellipse(100, 100), "nothing"},
      {"an ellipse over it", ellipse(180, 0), "1 went"},
      {"a full repaint", fill, "1 went"},
      {"a full repaint of nothing", fill, "nothing"},
      {"more gone than is kept of them",
       [&](Sheet &s) {
         for (int i = 0; i <= kMaxGone + 1; ++i) fill(s), s.Text(0, 0, "x");
       },
       "afresh +x, 0 went"},
  };
  Sheet sheet;
  TextReader reader;
  static TextChanges changes;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    c.act(sheet);
    std::string told = "nothing";
    if (ReadTextChanges(sheet.surface, reader, changes)) {
      told = changes.afresh ? "afresh " : "";
      for (int i = 0; i < changes.now.count; ++i)
        if (changes.change[i] != TextChanges::Kept)
          told += (changes.change[i] == TextChanges::Came ? "+" : "~") +
                  std::string(changes.now.texts[i]->Text()) + ", ";
      told += std::to_string(changes.wentCount) + " went";
    }
    EXPECT_EQ(told, c.told);
  }
}

// Over a whole run: each block said once as a tick draws it, the caption
// before its figures, no marker alone, a repeated figure by the name that
// gave it first, and each load voltage and the power within 5 s.
TEST(Reading, ARunIsSaidOnceInPace) {
  TestWindow w(22.0, 120.0);
  const std::vector<Heard> heard = HearRun(w, 960);
  // Each readout drawn at the end of a round trip, and the power at the end
  // of the run, is said within 100 ticks of its drawing.
  const struct {
    const char *said;
    int drawnAt;  // 0: not urgent
  } expected[] = {{"1.000V", 0},
                  {"Standing Wave, Ratio = 2.27, Rho = 0.389", 0},
                  {"0.840V", 240},
                  {"Z1 = 36.9 + j33.8 ohms", 0},
                  {"Z2 = 113.6 + j0 ohms", 0},
                  {"Z3 = 36.9 - j33.8 ohms", 0},
                  {"0.866V", 480},
                  {"Z4 = 22.0 + j0 ohms", 0},
                  {"Z5 = Z1", 0},
                  {"0.861V", 720},
                  {"Z6 = Z2", 0},
                  {"Z7 = Z3", 0},
                  {"Power dissipated = 11.002 dBm", 958}};
  ASSERT_EQ(heard.size(), std::size(expected));
  for (std::size_t i = 0; i < heard.size(); ++i) {
    SCOPED_TRACE(expected[i].said);
    EXPECT_EQ(heard[i].said, expected[i].said);
    if (!expected[i].drawnAt) continue;
    EXPECT_GE(heard[i].tick, expected[i].drawnAt);
    EXPECT_LE(heard[i].tick, expected[i].drawnAt + 100);
  }
  const Heard &last = heard.back();
  EXPECT_LE(last.tick * 50 + SpeakingTimeMs(last.said.data(), int(last.said.size())),
            960 * 50 + 5000);
}

// What a paint draws is there to read, never said: a repaint in a run starts
// it afresh and says what its ticks draw, as the first run did.
TEST(Reading, APaintSaysNothing) {
  TestWindow w;
  HearRun(w, 300);
  Utterance u;
  ResizeClientForTesting(w.hwnd, 800, 600);
  PumpMessagesForTesting();
  w.Paint();
  EXPECT_FALSE(TakeUtterance(w.hwnd->surface, 100000, u));
  w.Key(VK_F1);
  EXPECT_FALSE(TakeUtterance(w.hwnd->surface, 200000, u));
  const std::vector<Heard> again = HearRun(w, 30, 300000);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].said, "1.000V");
}
