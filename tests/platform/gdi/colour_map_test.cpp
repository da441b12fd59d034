#include "platform/gdi/colour_map.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "tests/app/test_window.h"
#include "tests/platform/gdi/sheet.h"

namespace {

constexpr COLORREF kDarkRed = RGB(192, 0, 0);
constexpr COLORREF kBlue = RGB(0, 114, 178);
constexpr COLORREF kOther = RGB(10, 20, 30);

// The colours on the sheet other than white.
std::set<COLORREF> Colours(const Sheet &s) {
  std::set<COLORREF> found;
  for (std::uint32_t p : s.pixels)
    if ((p & 0xffffff) != 0xffffff) found.insert(RGB(p >> 16 & 0xff, p >> 8 & 0xff, p & 0xff));
  return found;
}

enum class Drawing { Line, Pixels, Text };

void Draw(Sheet &s, Drawing what, COLORREF c) {
  switch (what) {
    case Drawing::Line:
      s.Line(c, 20, 20, 250, 150);
      break;
    case Drawing::Pixels:
      for (int x = 20; x < 40; ++x) SetPixel(s.dc, x, 30, c);
      break;
    case Drawing::Text:
      SetTextColor(s.dc, c);
      TextOutA(s.dc, 20, 20, "Press F1", 8);
      break;
  }
}

struct Case {
  const char *name;
  Drawing what;
  COLORREF drawn, shown;
};

// Red as a line and as text, green as a line only; red's line mapped twice,
// the last map wins.
void MapRedAndGreen() {
  MapColour(Ink::Line, kRed, kBlue);
  MapColour(Ink::Line, kRed, kDarkRed);
  MapColour(Ink::Line, kGreen, kBlue);
  MapColour(Ink::Text, kRed, kDarkRed);
}

class ColourMapTest : public testing::Test {
 protected:
  void TearDown() override { ClearColourMap(); }
};

}  // namespace

// Without a map, before one or after it is cleared, every colour shows as
// drawn.
TEST_F(ColourMapTest, MappedColoursReachThePixelsAndOthersShowAsDrawn) {
  for (bool mapped : {false, true, false}) {
    if (mapped)
      MapRedAndGreen();
    else
      ClearColourMap();
    for (const Case &c : {
             Case{"red line", Drawing::Line, kRed, kDarkRed},
             Case{"green line", Drawing::Line, kGreen, kBlue},
             Case{"black line", Drawing::Line, kBlack, kBlack},
             Case{"red pixels", Drawing::Pixels, kRed, kDarkRed},
             Case{"other pixels", Drawing::Pixels, kOther, kOther},
             Case{"red text", Drawing::Text, kRed, kDarkRed},
             Case{"green text, mapped for lines only", Drawing::Text, kGreen, kGreen},
             Case{"black text", Drawing::Text, kBlack, kBlack},
         }) {
      SCOPED_TRACE(testing::Message() << c.name << (mapped ? ", mapped" : ", not mapped"));
      Sheet s;
      Draw(s, c.what, c.drawn);
      EXPECT_EQ(Colours(s), std::set<COLORREF>{mapped ? c.shown : c.drawn});
    }
  }
}

// Over texts, pixels and lines, mapped or not, at every scale: lines from
// the texts to past the surface, arcs and whole outlines as two half arcs,
// drawn inverted twice, leave every device pixel as it was.
TEST_F(ColourMapTest, InvertingMixDrawnTwiceRestoresEveryPixel) {
  struct Case {
    double scale;
    bool mapped;
  };
  for (const Case &c : {Case{1.0, true}, Case{1.25, false}, Case{1.5, true}, Case{2.0, false}}) {
    SCOPED_TRACE(testing::Message() << c.scale << (c.mapped ? ", mapped" : ""));
    c.mapped ? MapRedAndGreen() : ClearColourMap();
    Sheet s(1600, 1200, c.scale);
    for (COLORREF colour : {kRed, kGreen, kBlack}) {
      Draw(s, Drawing::Text, colour);
      s.Line(colour, 0, 199, 299, int(colour % 200));
    }
    Draw(s, Drawing::Pixels, kRed);
    const std::vector<std::uint32_t> before = s.pixels;
    std::mt19937 rng(11);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const COLORREF colours[] = {kRed, kGreen, kBlack, kOther};
    std::vector<HPEN> pens;
    for (int i = 0; i < 80; ++i) {
      const COLORREF colour = i % 5 < 4 ? colours[i % 5] : COLORREF(any(0, 0xFFFFFF));
      s.owned.push_back(pens.emplace_back(CreatePen(PS_SOLID, any(1, 3), colour)));
    }
    SetROP2(s.dc, R2_NOTXORPEN);
    for (int pass = 0; pass < 2; ++pass) {
      std::mt19937 figures(5);
      auto at = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(figures); };
      for (HPEN pen : pens) {
        SelectObject(s.dc, pen);
        s.Line(at(0, 300), at(0, 200), at(-300, 1700), at(-300, 1300));
        const int x = at(0, 800), y = at(0, 600), w = at(3, 90), h = at(3, 90);
        Arc(s.dc, x, y, x + w, y + h, at(0, 900), at(0, 700), at(0, 900), at(0, 700));
        Arc(s.dc, x, y, x + w, y + h, 9999, y + h / 2, -9999, y + h / 2);
        Arc(s.dc, x, y, x + w, y + h, -9999, y + h / 2, 9999, y + h / 2);
      }
      if (pass == 0) {
        EXPECT_NE(s.pixels, before);
      }
    }
    EXPECT_TRUE(s.pixels == before);
    if (c.scale != 1.0) continue;
    // A pixel set between the two drawings is inverted by the second.
    s.Line(kBlack, 100, 250, 300, 250);
    SetPixel(s.dc, 200, 250, kBlack);
    s.Line(kBlack, 100, 250, 300, 250);
    EXPECT_EQ(GetPixel(s.dc, 200, 250), kWhite);
    EXPECT_EQ(GetPixel(s.dc, 150, 250), kWhite);
  }
}

// The options the program's window offers: more contrast darkens its pens
// and its red text; distinct colours make its waves blue and vermilion,
// with more contrast too.
TEST_F(ColourMapTest, TheProgramsOptionsShowItsColoursAsAsked) {
  struct Case {
    const char *name;
    int asked;
    COLORREF redLine, greenLine, redText;
  };
  constexpr COLORREF kDarkGreen = RGB(0, 120, 0), kVermilion = RGB(213, 94, 0);
  const Case cases[] = {
      {"none", 0, kRed, kGreen, kRed},
      {"more contrast", kMoreContrast, kDarkRed, kDarkGreen, kDarkRed},
      {"distinct", kDistinctColours, kVermilion, kBlue, kRed},
      {"both", kMoreContrast | kDistinctColours, kVermilion, kBlue, kDarkRed},
  };
  TestWindow w;
  const auto *swaps = static_cast<const ColourSwap *>(GetPropA(w.hwnd, kColourSwapsProp));
  ASSERT_NE(swaps, nullptr);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    MapColourOptions(swaps, c.asked);
    EXPECT_EQ(ShownColour(Ink::Line, kRed), c.redLine);
    EXPECT_EQ(ShownColour(Ink::Line, kGreen), c.greenLine);
    EXPECT_EQ(ShownColour(Ink::Text, kRed), c.redText);
    EXPECT_EQ(ShownColour(Ink::Line, kBlack), kBlack);
  }
}
