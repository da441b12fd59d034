#include "display/panels.h"

#include "tests/display/screen.h"

namespace {

// The calibration's lines, the same for every source, are read on the start
// screen's text layer.
TEST(PanelTexts, ThePanelsShowTheResistancesTheSourcesVswrRhoAndEmfAndItsCalibration) {
  struct Case {
    double source;
    const char *ohms, *vswr, *rho, *emf;
    double load;
    const char *loadText;
  };
  const Case cases[] = {
      {10, "10.0 ohms ", "VSWR = 5.00 ", "Rho = 0.667 ", "(EMF = 1.20V)  ", 1e4, "10000.0 ohms  "},
      {25, "25.0 ohms ", "VSWR = 2.00 ", "Rho = 0.333 ", "(EMF = 1.50V)  ", 75, "75.0 ohms  "},
      {35, "35.0 ohms ", "VSWR = 1.43 ", "Rho = 0.176 ", "(EMF = 1.70V)  ", 1e4, "10000.0 ohms  "},
      {50, "50.0 ohms ", "VSWR = 1.00 ", "Rho = 0.000 ", "(EMF = 2.00V)  ", 0.1, "0.1 ohms  "},
      {100, "100.0 ohms ", "VSWR = 2.00 ", "Rho = 0.333 ", "(EMF = 3.00V)  ", 75, "75.0 ohms  "},
      {400, "400.0 ohms ", "VSWR = 8.00 ", "Rho = 0.778 ", "(EMF = 9.00V)  ", 0.1, "0.1 ohms  "},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.source);
    const auto labels = SourcePanelLabels(1000, 700, 16, c.source);
    EXPECT_EQ(labels[0].text, c.ohms);
    EXPECT_EQ(labels[1].text, c.vswr);
    EXPECT_EQ(labels[2].text, c.rho);
    EXPECT_EQ(labels[6].text, c.emf);
    EXPECT_EQ(LoadPanelLabel(1000, 700, c.load).text, c.loadText);
  }
}

using PanelDrawing = Screen;

TEST_F(PanelDrawing, EachLabelIsWrittenFromItsCornerBesideTheSourceOrTheLoad) {
  struct Case {
    int width, sourceX, noteX, loadX;  // the columns of the labels
  };
  const Case cases[] = {{1000, 142, 166, 770}, {1003, 143, 167, 772}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.width);
    const POINT corners[] = {{c.sourceX, 461}, {c.sourceX, 477}, {c.sourceX, 493}, {c.noteX, 525},
                             {c.noteX, 541},   {c.noteX, 557},   {c.noteX, 573},   {c.loadX, 205}};
    Erase();
    for (POINT p : corners) BlackenAround(p);
    DrawSourcePanel(Dc(), c.width, 700, 16);
    DrawLoadPanel(Dc(), c.width, 700);
    for (POINT p : corners) ExpectBoxCorner(p);
  }
}

}  // namespace
