// The first half of a frame: the wavefront's place on the line, the marks it
// records, the volts readout, the Z labels and readouts and the forward arrow.
#include <gtest/gtest.h>

#include <string>

#include "display/trace.h"
#include "model/line_model.h"
#include "tests/display/trace_surface.h"

namespace {

using TraceReadoutsTest = TraceSurface;

TEST(TracePositionTest, TheWavefrontRunsOutAlongTheLineAndBackInTruncatedSteps) {
  struct Case {
    int width, height, phase;
    POINT expected;
  };
  const Case cases[] = {
      {1000, 700, 0, {120, 454}},    // the source end
      {1000, 700, 315, {671, 210}},  // an eighth of a wavelength before the load
      {1000, 700, 360, {750, 175}},  // the load end begins the return leg
      {1000, 700, 402, {677, 207}},
      {1000, 700, 405, {672, 209}},  // a pixel off the place that phase 315 gives
      {1000, 700, 717, {126, 451}},  // the last point before the source end
      {1000, 700, 720, {120, 454}},
      {1000, 700, 2877, {126, 451}},
      {1000, 100, 180, {435, 14}},  // a short window: the line runs downwards
      {0, 0, 0, {20, -71}},         // minimised
      {0, 0, 360, {0, 0}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " by " + std::to_string(c.height) + ", phase " +
                 std::to_string(c.phase));
    const TraceFrame f =
        MakeTraceFrame(c.width, c.height, c.phase, 75.0, 8, 16, ComputeLineQuantities(35, 75, 0));
    EXPECT_EQ(f.position.x, c.expected.x);
    EXPECT_EQ(f.position.y, c.expected.y);
  }
}

TEST(TracePositionTest, ZReadoutsArePrintedOnlyAsTheFirstReflectionPassesTheMarks) {
  struct Case {
    int phase, k;
  };
  const Case cases[] = {
      {360, 0}, {402, 0}, {405, 1}, {450, 2},  {495, 3},  {540, 4},  {585, 5},
      {630, 6}, {675, 7}, {720, 0}, {1125, 0}, {1170, 0}, {2925, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    EXPECT_EQ(ZStepAt(c.phase), c.k);
  }
}

TEST_F(TraceReadoutsTest, TheVoltsReadoutShowsTheIncidentVoltageOfEachRoundTrip) {
  struct Case {
    double load, source;
    int phase;
    const char *expected;
  };
  const Case cases[] = {
      {75, 35, 0, "1.000V"},     {75, 35, 717, "1.000V"},    {75, 35, 720, "0.965V"},
      {75, 35, 1440, "0.966V"},  {75, 35, 2160, "0.966V"},   {75, 35, 2880, "0.966V"},
      {150, 100, 720, "1.167V"}, {150, 100, 1440, "1.194V"}, {150, 100, 2160, "1.199V"},
      {0.1, 400, 720, "0.225V"}, {0.1, 400, 1440, "0.825V"}, {0.1, 400, 2880, "0.361V"},
      {75, 50, 2880, "1.000V"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.load) + " ohms from " + std::to_string(c.source) +
                 " ohms, phase " + std::to_string(c.phase));
    Use(c.load, c.source);
    RunUpTo(c.phase);
    Frame(c.phase);
    EXPECT_EQ(VoltsText(g_incidentAmp), c.expected);
  }
}

TEST_F(TraceReadoutsTest, TheVoltsReadoutEndsTwoCharactersLeftOfTheSourceEnd) {
  for (int phase : {0, 720, 2880}) {
    SCOPED_TRACE(phase);
    RunUpTo(phase);
    BlackenAround(104, 430);
    Frame(phase);
    ExpectBoxTopRightAt(104, 430);
  }
}

TEST_F(TraceReadoutsTest, MarksAreRecordedOnTheFirstRoundTripAtEveryEighthOfAWavelength) {
  RunUpTo(720);
  struct Case {
    const char *name;
    POINT actual, expected;
  };
  const Case cases[] = {
      {"forward mark 0, the source end", g_fwdMark[0], {120, 454}},
      {"forward mark 1", g_fwdMark[1], {198, 420}},
      {"forward mark 4", g_fwdMark[4], {435, 315}},
      {"forward mark 7", g_fwdMark[7], {671, 210}},
      {"forward mark 8, the load end", g_fwdMark[8], {750, 175}},
      {"Z mark 1", g_zMark[1], {672, 209}},
      {"Z mark 4", g_zMark[4], {435, 314}},
      {"Z mark 7", g_zMark[7], {199, 419}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual.x, c.expected.x);
    EXPECT_EQ(c.actual.y, c.expected.y);
  }
}

TEST_F(TraceReadoutsTest, LaterRoundTripsLeaveTheMarksAlone) {
  RunUpTo(720);
  g_fwdMark[1] = g_zMark[1] = POINT{-1, -1};
  for (int phase = 720; phase <= 2880; phase += kPhaseStep) Frame(phase);
  EXPECT_EQ(g_fwdMark[1].x, -1);
  EXPECT_EQ(g_zMark[1].x, -1);
}

TEST(TraceZTextTest, ZLabelsNameTheirMark) {
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(ZLabelText(k), "Z " + std::to_string(k));
}

TEST(TraceZTextTest, ZReadoutsCarryTheSignOfTheReactanceByTheSideOfZo) {
  struct Case {
    double load;
    const char *expected[7];
  };
  const Case cases[] = {
      {75,
       {"Z1 = 46.2 - j19.2 ohms", "Z2 = 33.3 + j0 ohms", "Z3 = 46.2 + j19.2 ohms",
        "Z4 = 75.0 + j0 ohms", "Z5 = 46.2 - j19.2 ohms", "Z6 = 33.3 + j0 ohms",
        "Z7 = 46.2 + j19.2 ohms"}},
      {50,
       {"Z1 = 50.0 - j0.0 ohms", "Z2 = 50.0 + j0 ohms", "Z3 = 50.0 + j0.0 ohms",
        "Z4 = 50.0 + j0 ohms", "Z5 = 50.0 - j0.0 ohms", "Z6 = 50.0 + j0 ohms",
        "Z7 = 50.0 + j0.0 ohms"}},
      {49.9,
       {"Z1 = 50.0 + j0.1 ohms", "Z2 = 50.1 + j0 ohms", "Z3 = 50.0 - j0.1 ohms",
        "Z4 = 49.9 + j0 ohms", "Z5 = 50.0 + j0.1 ohms", "Z6 = 50.1 + j0 ohms",
        "Z7 = 50.0 - j0.1 ohms"}},
      {25,
       {"Z1 = 40.0 + j30.0 ohms", "Z2 = 100.0 + j0 ohms", "Z3 = 40.0 - j30.0 ohms",
        "Z4 = 25.0 + j0 ohms", "Z5 = 40.0 + j30.0 ohms", "Z6 = 100.0 + j0 ohms",
        "Z7 = 40.0 - j30.0 ohms"}},
  };
  for (const Case &c : cases) {
    const double rho = ComputeLineQuantities(35, c.load, 0).loadRho;
    for (int k = 1; k <= 7; ++k) {
      SCOPED_TRACE(std::to_string(c.load) + " ohms, Z" + std::to_string(k));
      EXPECT_EQ(ZReadoutText(k, ComputeMarkImpedance(rho, c.load, k)), c.expected[k - 1]);
    }
  }
}

TEST_F(TraceReadoutsTest, EachZLabelStandsBelowLeftOfItsMarkAndEachReadoutInTheColumn) {
  RunUpTo(405);
  struct Case {
    int phase;
    POINT label, readout;
  };
  // Each frame records its own mark first. The labels of Z2 and Z6 have no
  // background box to find.
  const Case cases[] = {
      {405, {662, 219}, {750, 350}},
      {495, {504, 289}, {750, 382}},
      {540, {425, 324}, {750, 398}},
  };
  for (const Case &c : cases) {
    BlackenAround(c.label.x, c.label.y);
    BlackenAround(c.readout.x, c.readout.y);
  }
  for (const Case &c : cases) Frame(c.phase);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    ExpectBoxTopLeftAt(c.label.x, c.label.y);
    ExpectBoxTopLeftAt(c.readout.x, c.readout.y);
  }
}

// The trace steps alone draw nothing green but the forward arrow.
TEST_F(TraceReadoutsTest, TheForwardArrowRidesOnTheWavefrontOnForwardLegsOnly) {
  struct Case {
    int phase;
    bool drawn;
    POINT base;
    int length;
  };
  const Case cases[] = {
      {0, true, {120, 454}, 50}, {357, true, {744, 178}, 50}, {360, false, {}, 0},
      {540, false, {}, 0},       {720, true, {120, 454}, 48}, {2880, false, {}, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    Erase();
    const LineQuantities line = ComputeLineQuantities(35, 75, c.phase);
    g_incidentAmp = NextIncidentAmp(line, 35, 75, c.phase, 50.0);
    DrawTraceSteps(Dc(),
                   MakeTraceFrame(kWidth, kHeight, c.phase, 75, kCharWidth, kLineHeight, line));
    if (!c.drawn) {
      EXPECT_EQ(CountColour(kGreen), 0);
      continue;
    }
    const POINT b = c.base, tip{b.x, b.y - c.length};
    // The shaft, and the barbs just off the tip, where the strokes don't overlap.
    for (POINT p : {POINT{b.x, b.y - 14}, POINT{b.x, b.y - c.length / 2}, POINT{tip.x, tip.y + 6},
                    POINT{tip.x + 2, tip.y + 2}, POINT{tip.x - 3, tip.y + 2},
                    POINT{tip.x + 5, tip.y + 5}, POINT{tip.x - 5, tip.y + 5}}) {
      SCOPED_TRACE(Where(p));
      EXPECT_EQ(Pixel(p.x, p.y), kGreen);
    }
    // Nothing beside it.
    const int inside = CountColour(kGreen, b.x - 7, tip.y - 3, b.x + 8, b.y + 3);
    EXPECT_GT(inside, c.length);
    EXPECT_EQ(CountColour(kGreen), inside);
  }
}

}  // namespace
