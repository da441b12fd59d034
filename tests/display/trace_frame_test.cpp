// The figures of the animation frames at 1000 by 700.
#include <cmath>
#include <string>

#include "display/phasors.h"
#include "display/standing_wave.h"
#include "display/trace.h"
#include "model/line_model.h"
#include "tests/display/screen.h"

namespace {

using TraceFrameTest = Screen;

TEST(TracePosition, TheWavefrontRunsOutAlongTheLineAndBackInTruncatedSteps) {
  struct Case {
    int phase;
    POINT expected;
  };
  const Case cases[] = {
      {0, {120, 454}}, {315, {671, 210}}, {360, {750, 175}}, {402, {677, 207}}, {405, {672, 209}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    EXPECT_EQ(MakeTraceFrame(1000, 700, c.phase, 75, 8, 16, {}).position, c.expected);
  }
}

TEST_F(TraceFrameTest, TheVoltsReadoutAndTheFirstZLabelStandAtTheirAnchors) {
  struct Case {
    int phase;
    POINT corner;
    bool rightAligned;  // the volts readout ends at its corner, Z1's label starts at its own
  };
  const Case cases[] = {{0, {104, 430}, true}, {720, {104, 430}, true}, {405, {662, 219}, false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    RunUpTo(c.phase);
    BlackenAround(c.corner);
    Frame(c.phase);
    ExpectBoxCorner(c.corner, c.rightAligned);
  }
  EXPECT_EQ(g_zMark[1], (POINT{672, 209}));  // recorded by the frame at 405
}

TEST(ZReadouts, ZReadoutsCarryTheSignOfTheReactanceByTheSideOfZo) {
  struct Case {
    double load;
    const char *z[4];  // Z1 to Z4 between "Zk = " and " ohms"; Z5 to Z7 repeat Z1 to Z3
  };
  const Case cases[] = {{75, {"46.2 - j19.2", "33.3 + j0", "46.2 + j19.2", "75.0 + j0"}},
                        {50, {"50.0 - j0.0", "50.0 + j0", "50.0 + j0.0", "50.0 + j0"}},
                        {49.9, {"50.0 + j0.1", "50.1 + j0", "50.0 - j0.1", "49.9 + j0"}},
                        {25, {"40.0 + j30.0", "100.0 + j0", "40.0 - j30.0", "25.0 + j0"}}};
  for (const Case &c : cases) {
    const double rho = ComputeLineQuantities(35, c.load, 0).loadRho;
    for (int k = 1; k <= 7; ++k) {
      const std::string expected = "Z" + std::to_string(k) + " = " + c.z[(k - 1) % 4] + " ohms";
      SCOPED_TRACE(std::to_string(c.load) + " ohms: " + expected);
      FrameText z;
      EXPECT_EQ(std::string(z, ZReadoutText(z, k, ComputeMarkImpedance(rho, c.load, k))), expected);
    }
  }
}

// The trace steps alone draw nothing green but the forward arrow.
TEST_F(TraceFrameTest, TheForwardArrowRidesOnTheWavefrontOnForwardLegsOnly) {
  struct Case {
    int phase, length;  // length 0: no arrow
    POINT base;
  };
  const Case cases[] = {
      {0, 50, {120, 454}}, {357, 50, {744, 178}}, {360, 0, {}}, {720, 48, {120, 454}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    Erase();
    const LineQuantities line = ComputeLineQuantities(35, 75, c.phase);
    g_incidentAmp = NextIncidentAmp(line, 35, 75, c.phase, 50.0);
    DrawTraceSteps(Dc(), MakeTraceFrame(1000, 700, c.phase, 75, 8, 16, line));
    const POINT b = c.base, tip{b.x, b.y - c.length};
    const int inside = c.length ? Count(kGreen, b.x - 7, tip.y - 3, b.x + 8, b.y + 3) : 0;
    EXPECT_EQ(Count(kGreen, 0, 0, 1000, 700), inside);
    if (!c.length) continue;
    // The shaft, and the barbs just off the tip where the strokes don't overlap.
    for (POINT p : {POINT{b.x, b.y - 14}, POINT{b.x, b.y - c.length / 2}, POINT{tip.x, tip.y + 6},
                    POINT{tip.x + 2, tip.y + 2}, POINT{tip.x - 3, tip.y + 2},
                    POINT{tip.x + 5, tip.y + 5}, POINT{tip.x - 5, tip.y + 5}}) {
      SCOPED_TRACE(p);
      EXPECT_EQ(Pixel(p.x, p.y), kGreen);
    }
  }
}

TEST_F(TraceFrameTest, EachMarkLatchesTheAmplitudeItsWavefrontCarried) {
  g_loadOhms = 10000;
  g_sourceOhms = 400;
  // The launched wave, then with the first reflections from both ends.
  const double first = 50.0;
  const double second = NextIncidentAmp(ComputeLineQuantities(400, 10000, 720), 400, 10000, 720, 0);
  EXPECT_NEAR(second, 88.5, 0.05);
  struct Case {
    int phase;  // of the frame drawn last
    const double &latched;
    double expected;
  };
  const Case cases[] = {{45, g_fwdMarkAmp[1], first},   {45, g_fwdMarkAmp[2], -1},
                        {360, g_fwdMarkAmp[8], first},  {360, g_loadArrivalAmp, first},
                        {765, g_fwdMarkAmp[1], second}, {765, g_fwdMarkAmp[2], first},
                        {765, g_fwdMarkAmp[8], first}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.phase);
    for (double &amp : g_fwdMarkAmp) amp = -1;
    g_loadArrivalAmp = -1;
    RunUpTo(c.phase + kPhaseStep);
    EXPECT_EQ(c.latched, c.expected);
  }
}

// A matched load reflects nothing: no red arrow rides back, and no red
// phasor stands at the load end or at the Z marks, not even as a dot.
TEST_F(TraceFrameTest, AMatchedLoadDrawsNothingRedOnTheLine) {
  g_loadOhms = 50;
  RunUpTo(kRunEnd);
  for (int phase : {540, kRunEnd}) {
    SCOPED_TRACE(phase);
    Erase();
    Frame(phase);
    POINT places[] = {g_fwdMark[kLoadMark], g_zMark[1], g_zMark[4], g_zMark[7],
                      MakeTraceFrame(1000, 700, 540, 50, 8, 16, {}).position};
    for (POINT p : places) EXPECT_EQ(Count(kRed, p.x - 9, p.y - 9, p.x + 10, p.y + 10), 0) << p;
  }
}

TEST_F(TraceFrameTest, EachReturnFramePlotsItsEnvelopePointAboveTheWavefront) {
  struct Case {
    double load;
    int phase, height;  // height: pixels above the trace position
  };
  const Case cases[] = {{75, 360, 60}, {75, 405, 51}, {75, 450, 40},
                        {25, 360, 33}, {25, 405, 53}, {25, 450, 67}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.load) + " ohms, phase " + std::to_string(c.phase));
    g_loadOhms = c.load;
    RunUpTo(c.phase);
    Frame(c.phase);
    const POINT p = MakeTraceFrame(1000, 700, c.phase, c.load, 8, 16, {}).position;
    const int y = p.y - c.height;
    // The 3 by 2 block whose lower right pixel is (p.x, y), and nothing red around it.
    EXPECT_EQ(Count(kRed, p.x - 2, y - 1, p.x + 1, y + 1), 6);
    EXPECT_EQ(Count(kRed, p.x - 5, y - 5, p.x + 4, y + 4), 6);
  }
}

TEST_F(TraceFrameTest, TheLastFrameOfARunPrintsThePowerDissipatedInTheLoad) {
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
    g_loadOhms = c.load;
    g_sourceOhms = c.source;
    RunUpTo(kRunEnd + kPhaseStep);
    const LineQuantities q = ComputeLineQuantities(c.source, c.load, kRunEnd);
    FrameText power;
    const double dbm = LoadPowerDbm(q, c.load, g_incidentAmp, g_loadArrivalAmp);
    EXPECT_EQ(std::string(power, PowerText(power, dbm)), c.expected);
  }
}

TEST_F(TraceFrameTest, TheLastFrameOfARunLeavesSeventeenPhasorsAndEnterAddsAnotherSet) {
  struct Case {
    double load, source, fraction;  // where along each phasor to look
    bool greenCovered;              // by the red phasors at forward marks 4 and 8
  };
  // A load below Zo turns the red phasors away from the green ones at the
  // same place; a long phasor shows the 3 degrees between two sets.
  const Case cases[] = {{25, 35, 0.8, false}, {10000, 400, 0.9, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.load) + " ohms from " + std::to_string(c.source) + " ohms");
    g_loadOhms = c.load;
    g_sourceOhms = c.source;
    Erase();  // lets go of the drawing context: the repaint wants the screen
    window.Paint();
    window.Key(VK_RETURN);
    window.Ticks(kRunEnd / kPhaseStep);
    const LineQuantities q = ComputeLineQuantities(c.source, c.load, 0);
    const auto expectSetOf = [&](int phase) {
      // The phasor at the k-th mark, `length` pixels with the direction factor.
      const auto expectPhasor = [&](POINT base, int k, double length, COLORREF colour) {
        SCOPED_TRACE(testing::Message() << base << " in the set of phase " << phase);
        const double a = phase * kRadPerDegree + (1.570795 - k * 0.7853975),
                     r = c.fraction * length;
        const int x = base.x + int(r * std::cos(a)), y = base.y - int(r * std::sin(a));
        EXPECT_GT(Count(colour, x - 1, y - 1, x + 2, y + 2), 0);
      };
      const double m = q.loadSide * q.loadRho;
      expectPhasor(g_fwdMark[8], 0, m * g_loadArrivalAmp, kRed);
      for (int k = 1; k <= 7; ++k) expectPhasor(g_zMark[k], k, m * g_zMarkAmp[k], kRed);
      expectPhasor(g_fwdMark[0], 0, g_incidentAmp, kGreen);
      for (int k = 1; k <= 8; ++k)
        if (!c.greenCovered || k % 4) expectPhasor(g_fwdMark[k], k, g_fwdMarkAmp[k], kGreen);
    };
    window.Key(VK_RETURN);
    window.Tick();
    expectSetOf(kRunEnd + kPhaseStep);
    expectSetOf(kRunEnd);
  }
}

}  // namespace
