#include "display/scene.h"

#include "display/trace.h"
#include "tests/display/screen.h"

namespace {

using SceneTest = Screen;

TEST_F(SceneTest, TheSchematicIsBlackOnEveryStrokeAndOnlyOneHalfWaveFillsEachHalfOfTheCircle) {
  // Midway along each stroke: the source's lead and ground, then from its
  // resistor along the line to the load's ground; then the line's ends, the
  // circle's edges, the crest, the trough and the axis between them.
  const POINT black[] = {{120, 575}, {122, 585}, {122, 590}, {117, 590}, {117, 585}, {120, 515},
                         {122, 503}, {120, 499}, {120, 494}, {120, 489}, {120, 484}, {120, 479},
                         {117, 475}, {120, 464}, {435, 314}, {750, 185}, {747, 196}, {750, 200},
                         {750, 205}, {750, 210}, {750, 215}, {750, 220}, {752, 224}, {750, 236},
                         {752, 246}, {752, 251}, {747, 251}, {747, 246}, {120, 454}, {750, 175},
                         {100, 545}, {139, 545}, {115, 525}, {120, 564}, {112, 533}, {127, 556},
                         {120, 545}};
  Erase();
  DrawScene(Dc(), 1000, 700, 8, 16);  // the paint drew the start arrow: the schematic alone
  for (POINT p : black) {
    SCOPED_TRACE(p);
    EXPECT_EQ(Pixel(p.x, p.y), kBlack);
  }
  EXPECT_EQ(Pixel(108, 545), kWhite);  // inside the circle
  EXPECT_EQ(Pixel(112, 556), kWhite);  // under the crest
  EXPECT_EQ(Pixel(127, 533), kWhite);  // over the trough
}

TEST_F(SceneTest, TheCaptionAndTheAttributionStandAtTheirAnchors) {
  Erase();
  for (POINT p : {POINT{500, 350}, POINT{984, 0}, POINT{984, 16}}) BlackenAround(p);
  DrawScene(Dc(), 1000, 700, 8, 16);
  ExpectBoxCorner({500, 350});
  ExpectBoxCorner({984, 16}, true);
  EXPECT_EQ(Pixel(983, 0), kWhite);
  EXPECT_EQ(Pixel(984, 0), kBlack);
}

TEST_F(SceneTest, ThePaintDrawsTheStartArrowInGreenAndTheFirstForwardArrowTakesItAway) {
  for (POINT p :
       {POINT{120, 440}, POINT{120, 420}, POINT{120, 410}, POINT{122, 406}, POINT{117, 406}}) {
    SCOPED_TRACE(p);
    EXPECT_EQ(Pixel(p.x, p.y), kGreen);
  }
  g_incidentAmp = 50.0;  // what the first tick draws at the source end
  DrawTraceSteps(Dc(), MakeTraceFrame(1000, 700, 0, 75, 8, 16, ComputeLineQuantities(35, 75, 0)));
  EXPECT_EQ(Count(kWhite, 110, 398, 131, 446), 21 * 48);
}

// A resize repaints without F1 or F2; the run that follows must still find
// the start arrow to take away.
TEST_F(SceneTest, NoStartArrowStaysBehindWhenARunStartsAfterAResize) {
  ResizeClientForTesting(window.hwnd, 900, 650);
  PumpMessagesForTesting();
  EXPECT_EQ(Pixel(110, 390), kGreen);  // on the arrow up from the source end at (110, 416)
  window.Key(VK_RETURN);
  window.Ticks(10);  // the wavefront and the source end's phasor move clear of it
  EXPECT_EQ(Count(kWhite, 106, 360, 118, 400), 12 * 40);
}

}  // namespace
