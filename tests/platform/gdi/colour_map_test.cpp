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

// Over texts, pixels and lines of every kind, mapped or not, a figure drawn
// inverted twice leaves every pixel as it was.
TEST_F(ColourMapTest, InvertingMixDrawnTwiceRestoresEveryPixelUnderAMap) {
  MapRedAndGreen();
  Sheet s;
  for (COLORREF c : {kRed, kGreen, kBlack}) {
    Draw(s, Drawing::Text, c);
    s.Line(c, 0, 199, 299, int(c % 200));
  }
  Draw(s, Drawing::Pixels, kRed);
  const std::vector<std::uint32_t> before = s.pixels;
  std::mt19937 rng(23);
  auto any = [&](int hi) { return std::uniform_int_distribution<int>(0, hi)(rng); };
  const COLORREF colours[] = {kRed, kGreen, kBlack, kOther, COLORREF(any(0xFFFFFF))};
  std::vector<std::vector<int>> lines;
  for (int i = 0; i < 200; ++i) lines.push_back({any(4), any(299), any(199), any(299), any(199)});
  SetROP2(s.dc, R2_NOTXORPEN);
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto &l : lines) s.Line(colours[l[0]], l[1], l[2], l[3], l[4]);
    if (pass == 0) {
      EXPECT_NE(s.pixels, before);
    }
  }
  EXPECT_EQ(s.pixels, before);
  // A pixel set between the two drawings is inverted by the second.
  s.Line(kBlack, 100, 250, 300, 250);
  SetPixel(s.dc, 200, 250, kBlack);
  s.Line(kBlack, 100, 250, 300, 250);
  EXPECT_EQ(GetPixel(s.dc, 200, 250), kWhite);
  EXPECT_EQ(GetPixel(s.dc, 150, 250), kWhite);
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
