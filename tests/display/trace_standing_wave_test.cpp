// The envelope points of the return legs, their captions and the power
// dissipated in the load at the end of a run.
#include <gtest/gtest.h>

#include <string>

#include "display/phasors.h"
#include "display/standing_wave.h"
#include "model/line_model.h"
#include "tests/display/trace_surface.h"

namespace {

using TraceStandingWaveTest = TraceSurface;

TEST_F(TraceStandingWaveTest, EachReturnFramePlotsItsEnvelopePointAboveTheWavefront) {
  struct Case {
    double load;
    int phase;
    int height;  // pixels above the trace position
  };
  const Case cases[] = {
      {75, 360, 60}, {75, 405, 51}, {75, 450, 40}, {25, 360, 33}, {25, 405, 53},
      {25, 450, 67}, {50, 360, 50}, {50, 405, 50}, {50, 450, 50},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.load) + " ohms, phase " + std::to_string(c.phase));
    Use(c.load, 35);
    RunUpTo(c.phase);
    Frame(c.phase);
    const POINT p =
        MakeTraceFrame(kWidth, kHeight, c.phase, c.load, kCharWidth, kLineHeight, {}).position;
    const int y = p.y - c.height;
    // The 3 by 2 block whose lower right pixel is (p.x, y), and nothing red around it.
    EXPECT_EQ(CountColour(kRed, p.x - 2, y - 1, p.x + 1, y + 1), 6);
    EXPECT_EQ(CountColour(kRed, p.x - 5, y - 5, p.x + 4, y + 4), 6);
  }
}

TEST_F(TraceStandingWaveTest, EachRoundTripPaintsThePreviousEnvelopeOverInWhite) {
  Use(10000, 400);
  g_prevEnvelopeAmp = -1;
  RunUpTo(3);
  EXPECT_EQ(g_prevEnvelopeAmp, 50.0);  // every run starts from the launched wave
  RunUpTo(723);
  EXPECT_EQ(g_prevEnvelopeAmp, g_fwdMarkAmp[8]);
  const double first = g_prevEnvelopeAmp;

  // The first round trip's point at phase 1125, then the second's over it.
  const LineQuantities q = ComputeLineQuantities(400, 10000, 1125);
  const double e = EnvelopeFactor(q.loadRho, q.loadAboveZo, 1125);
  const POINT p = MakeTraceFrame(kWidth, kHeight, 1125, 10000, kCharWidth, kLineHeight, q).position;
  const int oldY = p.y - EnvelopeHeight(first, e);
  RunUpTo(1125);
  FillBlack(p.x - 2, oldY - 1, p.x + 1, oldY + 1);
  Frame(1125);
  const int newY = p.y - EnvelopeHeight(g_fwdMarkAmp[8], e);
  ASSERT_LT(newY, oldY - 2);  // the second round trip's wave is larger
  EXPECT_EQ(CountColour(kWhite, p.x - 2, oldY - 1, p.x + 1, oldY + 1), 6);
  EXPECT_EQ(CountColour(kRed, p.x - 2, newY - 1, p.x + 1, newY + 1), 6);
}

TEST(TraceCaptionTest, CaptionsShowTheLoadsRatioAndRho) {
  struct Case {
    double load;
    const char *ratio, *rho;
  };
  const Case cases[] = {
      {75, "Ratio = 1.50", "Rho = 0.200 "},
      {25, "Ratio = 2.00", "Rho = 0.333 "},
      {50, "Ratio = 1.00", "Rho = 0.000 "},
      {0.1, "Ratio = 500.00", "Rho = 0.996 "},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.load);
    const LineQuantities q = ComputeLineQuantities(35, c.load, 0);
    EXPECT_EQ(RatioText(q.loadVswr), c.ratio);
    EXPECT_EQ(RhoText(q.loadRho), c.rho);
  }
}

TEST_F(TraceStandingWaveTest, CaptionsStandBesideTheLoadEndInReturnFramesOnly) {
  struct Case {
    int phase;
    bool drawn;
  };
  const Case cases[] = {{357, false}, {360, true},  {717, true},  {720, false},
                        {1080, true}, {2877, true}, {2880, false}};
  const POINT rows[] = {{774, 125}, {774, 141}, {774, 157}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    RunUpTo(c.phase);
    for (POINT r : rows) BlackenAround(r.x, r.y);
    Frame(c.phase);
    for (POINT r : rows) {
      if (c.drawn) {
        ExpectBoxTopLeftAt(r.x, r.y);
      } else {
        EXPECT_EQ(Pixel(r.x, r.y), kBlack);
      }
    }
  }
}

TEST_F(TraceStandingWaveTest, TheLastFramesOfARunPrintThePowerDissipatedInTheLoad) {
  struct Case {
    double load, source;
    const char *expected;
  };
  const Case cases[] = {
      {75, 35, "12.532 dBm  "},
      {50, 50, "13.010 dBm  "},
      {25, 100, "11.582 dBm  "},
      {100, 100, "13.521 dBm  "},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.load) + " ohms from " + std::to_string(c.source) + " ohms");
    Use(c.load, c.source);
    RunUpTo(2880);
    Frame(2880);
    const LineQuantities q = ComputeLineQuantities(c.source, c.load, 2880);
    EXPECT_EQ(PowerText(LoadPowerDbm(q, c.load, g_incidentAmp, g_loadArrivalAmp)), c.expected);
  }
}

TEST_F(TraceStandingWaveTest, ThePowerReadoutAppearsInTheLastFourFramesBelowItsCaption) {
  struct Case {
    int phase;
    bool drawn;
  };
  const Case cases[] = {{2868, false}, {2871, true}, {2880, true}, {2883, true}};
  const POINT rows[] = {{774, 233}, {774, 249}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    RunUpTo(c.phase);
    for (POINT r : rows) BlackenAround(r.x, r.y);
    Frame(c.phase);
    for (POINT r : rows) {
      if (c.drawn) {
        ExpectBoxTopLeftAt(r.x, r.y);
      } else {
        EXPECT_EQ(Pixel(r.x, r.y), kBlack);
      }
    }
  }
}

}  // namespace
