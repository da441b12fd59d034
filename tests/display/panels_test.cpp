#include "display/panels.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/display/scene_surface.h"

namespace {

TEST(PanelTexts, SourceLabelsShowResistanceVswrRhoAndEmfWithTheirTrailingBlanks) {
  struct Case {
    double sourceOhms;
    const char *ohms, *vswr, *rho, *emf;
  };
  const Case cases[] = {
      {10.0, "10.0 ohms ", "VSWR = 5.00 ", "Rho = 0.667 ", "(EMF = 1.20V)  "},
      {25.0, "25.0 ohms ", "VSWR = 2.00 ", "Rho = 0.333 ", "(EMF = 1.50V)  "},
      {35.0, "35.0 ohms ", "VSWR = 1.43 ", "Rho = 0.176 ", "(EMF = 1.70V)  "},
      {50.0, "50.0 ohms ", "VSWR = 1.00 ", "Rho = 0.000 ", "(EMF = 2.00V)  "},
      {100.0, "100.0 ohms ", "VSWR = 2.00 ", "Rho = 0.333 ", "(EMF = 3.00V)  "},
      {400.0, "400.0 ohms ", "VSWR = 8.00 ", "Rho = 0.778 ", "(EMF = 9.00V)  "},
      // Halfway values go up: 56.25, 1.125 and 2.125 are exact in binary.
      {56.25, "56.3 ohms ", "VSWR = 1.13 ", "Rho = 0.059 ", "(EMF = 2.13V)  "},
      // The EMF 1.615 lies just below its binary neighbour's halfway point
      // but reads 1.6150000000000000 to seventeen digits.
      {30.75, "30.8 ohms ", "VSWR = 1.63 ", "Rho = 0.238 ", "(EMF = 1.62V)  "},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.sourceOhms);
    const auto labels = SourcePanelLabels(1000, 700, 16, c.sourceOhms);
    EXPECT_EQ(labels[0].text, c.ohms);
    EXPECT_EQ(labels[1].text, c.vswr);
    EXPECT_EQ(labels[2].text, c.rho);
    EXPECT_EQ(labels[6].text, c.emf);
  }
}

TEST(PanelTexts, TheCalibrationNoteDoesNotDependOnTheSource) {
  struct Case {
    int index;
    const char *text;
  };
  const Case cases[] = {
      {3, "Output set to 1V"},
      {4, "across a 50-ohm load"},
      {5, "(+13 dBm)"},
  };
  for (double sourceOhms : {10.0, 35.0, 400.0}) {
    const auto labels = SourcePanelLabels(1000, 700, 16, sourceOhms);
    for (const Case &c : cases) {
      SCOPED_TRACE(std::to_string(sourceOhms) + " ohms, line " + std::to_string(c.index));
      EXPECT_EQ(labels[c.index].text, c.text);
    }
  }
}

TEST(PanelTexts, TheLoadLabelShowsOneDecimalAndTwoTrailingBlanks) {
  struct Case {
    double loadOhms;
    const char *text;
  };
  const Case cases[] = {
      {0.1, "0.1 ohms  "},
      {0.25, "0.3 ohms  "},  // exactly halfway in binary: goes up
      {75.0, "75.0 ohms  "},
      {10000.0, "10000.0 ohms  "},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.loadOhms);
    EXPECT_EQ(LoadPanelLabel(1000, 700, c.loadOhms).text, c.text);
  }
}

TEST(PanelTexts, LabelsStandInTwoColumnsBesideTheSourceAndOneBesideTheLoad) {
  struct Case {
    int width;
    int index;  // 0..6 the source's labels, 7 the load's
    int x, y;
  };
  const Case cases[] = {
      {1000, 0, 142, 461}, {1000, 1, 142, 477}, {1000, 2, 142, 493}, {1000, 3, 166, 525},
      {1000, 4, 166, 541}, {1000, 5, 166, 557}, {1000, 6, 166, 573}, {1000, 7, 770, 205},
      {1003, 0, 143, 461}, {1003, 2, 143, 493}, {1003, 3, 167, 525}, {1003, 6, 167, 573},
      {1003, 7, 772, 205},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " wide, label " + std::to_string(c.index));
    const PanelLabel label = c.index < 7 ? SourcePanelLabels(c.width, 700, 16, 35.0)[c.index]
                                         : LoadPanelLabel(c.width, 700, 75.0);
    EXPECT_EQ(label.x, c.x);
    EXPECT_EQ(label.y, c.y);
  }
}

class PanelDrawing : public BlankSurface {
 protected:
  void TearDown() override {
    g_sourceOhms = 35.0;
    g_loadOhms = 75.0;
    BlankSurface::TearDown();
  }
};

// Over a black ground each label's opaque white box shows its top left
// corner: white at the corner, black just left of it and just above it.
TEST_F(PanelDrawing, EachLabelIsWrittenOnWhiteCellsFromItsCorner) {
  struct Case {
    const char *name;
    int width;
    int x, y;
  };
  const Case cases[] = {
      {"source resistance", 1000, 142, 461},    {"source VSWR", 1000, 142, 477},
      {"source Rho", 1000, 142, 493},           {"Output set to 1V", 1000, 166, 525},
      {"across a 50-ohm load", 1000, 166, 541}, {"(+13 dBm)", 1000, 166, 557},
      {"source EMF", 1000, 166, 573},           {"load resistance", 1000, 770, 205},
      {"source resistance", 1003, 143, 461},    {"Output set to 1V", 1003, 167, 525},
      {"source EMF", 1003, 167, 573},           {"load resistance", 1003, 772, 205},
  };
  g_sourceOhms = 35.0;
  g_loadOhms = 75.0;
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(c.width) + " wide");
    Erase();
    FillBlack(c.x - 10, c.y - 10, c.x + 30, c.y + 10);
    DrawSourcePanel(Dc(), c.width, 700, 16);
    DrawLoadPanel(Dc(), c.width, 700);
    EXPECT_EQ(Pixel(c.x, c.y), kWhite);
    EXPECT_EQ(Pixel(c.x - 1, c.y), kBlack);
    EXPECT_EQ(Pixel(c.x, c.y - 1), kBlack);
  }
}

TEST_F(PanelDrawing, TheLabelsFollowTheCurrentResistances) {
  struct Case {
    const char *name;
    double sourceOhms, loadOhms;
    int x, y;  // the corner of the label that widens
  };
  const Case cases[] = {
      {"source resistance 35.0", 35.0, 75.0, 142, 461},
      {"source resistance 400.0", 400.0, 75.0, 142, 461},
      {"load resistance 75.0", 35.0, 75.0, 770, 205},
      {"load resistance 10000.0", 35.0, 10000.0, 770, 205},
  };
  // The top row of a box holds no glyph: it is white from the corner to the
  // box's right edge.
  int edges[4];
  for (int i = 0; i < 4; ++i) {
    const Case &c = cases[i];
    SCOPED_TRACE(c.name);
    Erase();
    g_sourceOhms = c.sourceOhms;
    g_loadOhms = c.loadOhms;
    FillBlack(c.x - 10, c.y - 10, 1000, c.y + 10);
    DrawSourcePanel(Dc(), 1000, 700, 16);
    DrawLoadPanel(Dc(), 1000, 700);
    int right = c.x;
    while (right < 1000 && Pixel(right, c.y) == kWhite) ++right;
    edges[i] = right;
  }
  EXPECT_GT(edges[1], edges[0]) << "one more digit in the source resistance";
  EXPECT_GT(edges[3], edges[2]) << "three more digits in the load resistance";
}

// Each panel selects the text font itself, whatever the context had.
TEST_F(PanelDrawing, BothPanelsWriteInTheTextFont) {
  struct Case {
    const char *name;
    void (*draw)(HDC);
  };
  const Case cases[] = {
      {"source panel", [](HDC dc) { DrawSourcePanel(dc, 1000, 700, 16); }},
      {"load panel", [](HDC dc) { DrawLoadPanel(dc, 1000, 700); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    HDC dc = Dc();
    SelectObject(dc, g_titleFont);
    c.draw(dc);
    EXPECT_EQ(SelectObject(dc, g_titleFont), g_textFont);
  }
}

}  // namespace
