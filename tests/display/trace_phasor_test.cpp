// The phasors at the marks, their latched amplitudes and the reflected arrow.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "display/phasors.h"
#include "model/line_model.h"
#include "tests/app/test_window.h"
#include "tests/display/trace_surface.h"

namespace {

using TracePhasorTest = TraceSurface;

double IncidentAmpOfRoundTrip(double source, double load, int roundTrip) {
  const int phase = roundTrip * 720;
  return NextIncidentAmp(ComputeLineQuantities(source, load, phase), source, load, phase, 0.0);
}

TEST_F(TracePhasorTest, EachMarkLatchesTheAmplitudeItsWavefrontCarried) {
  Use(10000, 400);
  const double first = IncidentAmpOfRoundTrip(400, 10000, 0);
  const double second = IncidentAmpOfRoundTrip(400, 10000, 1);
  EXPECT_NEAR(second, 88.5, 0.05);
  struct Case {
    int phase;  // the frame drawn last
    const char *name;
    const double &amp;
    double expected;
  };
  const Case cases[] = {
      {45, "forward mark 1, as the wavefront passes it", g_fwdMarkAmp[1], first},
      {45, "forward mark 2, not reached yet", g_fwdMarkAmp[2], -1},
      {360, "forward mark 8, at the load", g_fwdMarkAmp[8], first},
      {360, "the load arrival, with mark 8", g_loadArrivalAmp, first},
      {765, "forward mark 1, the second round trip's", g_fwdMarkAmp[1], second},
      {765, "forward mark 2, still the first's", g_fwdMarkAmp[2], first},
      {765, "forward mark 8, still the first's", g_fwdMarkAmp[8], first},
      {1080, "the load arrival, the second round trip's", g_loadArrivalAmp, second},
      {1080, "Z mark 1, still the first's", g_zMarkAmp[1], first},
      {1080, "Z mark 7, still the first's", g_zMarkAmp[7], first},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.phase) + ": " + c.name);
    for (double &amp : g_fwdMarkAmp) amp = -1;
    for (double &amp : g_zMarkAmp) amp = -1;
    g_loadArrivalAmp = -1;
    RunUpTo(c.phase + kPhaseStep);
    EXPECT_EQ(c.amp, c.expected);
  }
}

// The reflected arrow halfway between two Z marks, away from every phasor:
// up for a load above Zo, down below it, a point for a matched load.
TEST_F(TracePhasorTest, TheReflectedArrowPointsByTheSideOfZo) {
  struct Case {
    double load;
    int length;  // pixels up
  };
  const Case cases[] = {{75, 10}, {10000, 49}, {25, -16}, {50, 0}};
  const POINT b{409, 326};  // the wavefront at phase 555
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.load) + " ohms");
    Use(c.load, 35);
    RunUpTo(555);
    Frame(555);
    const int along = c.length > 0 ? -1 : 1;  // screen direction of the shaft
    const int n = c.length > 0 ? c.length : -c.length;
    for (int d = 2; d < n - 2; ++d) {
      SCOPED_TRACE(d);
      EXPECT_EQ(Pixel(b.x, b.y + along * d), kRed);
      EXPECT_NE(Pixel(b.x, b.y - along * d), kRed);
    }
    if (c.length == 0) {
      EXPECT_EQ(CountColour(kRed, b.x - 8, b.y - 12, b.x + 8, b.y - 1), 0);
      EXPECT_EQ(CountColour(kRed, b.x - 8, b.y + 2, b.x + 8, b.y + 12), 0);
    }
  }
}

struct PhasorSpot {
  const char *name;
  POINT base;
  double offset;  // radians at phase 0
  double length;  // pixels, with the direction factor
  COLORREF colour;
};

// Whether a pixel of the colour lies within a pixel of the point at the
// fraction of the phasor's length, at the phasor's angle in the frame at phase.
bool PhasorShowsAt(HDC hdc, const PhasorSpot &s, int phase, double fraction) {
  const double a = phase * kRadPerDegree + s.offset;
  const int x = s.base.x + int(fraction * s.length * std::cos(a));
  const int y = s.base.y - int(fraction * s.length * std::sin(a));
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (GetPixel(hdc, x + dx, y + dy) == s.colour) return true;
  return false;
}

// All seventeen of the run's last frame, from the marks and amplitudes the
// run left: nine green at the forward marks, eight red at the load end and
// the Z marks.
std::vector<PhasorSpot> FinalPhasors() {
  const double rho = ComputeLineQuantities(g_sourceOhms, g_loadOhms, 0).loadRho;
  const int m = ComputeLineQuantities(g_sourceOhms, g_loadOhms, 0).loadSide;
  const double forward[] = {1.570795,   0.7853975, 0,         -0.7853975, -1.570795,
                            -2.3561925, -3.14159,  2.3561925, 1.570795};
  const double reflected[] = {1.570795,  0.7853975,  0,        -0.7853975,
                              -1.570795, -2.3561925, -3.14159, -3.9269875};
  std::vector<PhasorSpot> spots;
  spots.push_back({"green at the source end", g_fwdMark[0], forward[0], g_incidentAmp, kGreen});
  for (int k = 1; k <= 8; ++k)
    spots.push_back({"green", g_fwdMark[k], forward[k], g_fwdMarkAmp[k], kGreen});
  spots.push_back(
      {"red at the load end", g_fwdMark[8], reflected[0], m * rho * g_loadArrivalAmp, kRed});
  for (int k = 1; k <= 7; ++k)
    spots.push_back({"red", g_zMark[k], reflected[k], m * rho * g_zMarkAmp[k], kRed});
  return spots;
}

TEST(TraceFinalPhasorsTest, TheLastFrameOfARunLeavesSeventeenPhasorsAndEnterAddsAnotherSet) {
  struct Case {
    double load, source;
    double fraction;    // where along each phasor to look
    bool greenCovered;  // the red phasors at the load end and Z mark 4 cover the green ones
  };
  // A load below Zo turns the red phasors away from the green ones at the
  // same place; a long phasor shows the 3 degrees between two sets.
  const Case cases[] = {{25, 35, 0.8, false}, {10000, 400, 0.9, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.load) + " ohms from " + std::to_string(c.source) + " ohms");
    TestWindow window(c.load, c.source);
    window.Key(VK_RETURN);
    window.Ticks(960);
    EXPECT_EQ(g_phaseDeg, 2880);
    EXPECT_EQ(g_running, 0);
    const std::vector<PhasorSpot> spots = FinalPhasors();
    ASSERT_EQ(spots.size(), 17u);
    const auto expectSetOf = [&](int phase) {
      SCOPED_TRACE("the set of phase " + std::to_string(phase));
      HDC hdc = GetDC(window.hwnd);
      for (std::size_t k = 0; k < spots.size(); ++k) {
        SCOPED_TRACE(std::string(spots[k].name) + " " + std::to_string(k % 9));
        if (c.greenCovered && (k == 4 || k == 8)) continue;
        EXPECT_TRUE(PhasorShowsAt(hdc, spots[k], phase, c.fraction));
      }
      ReleaseDC(window.hwnd, hdc);
    };
    expectSetOf(2880);

    window.Key(VK_RETURN);
    window.Tick();
    EXPECT_EQ(g_phaseDeg, 2883);
    EXPECT_EQ(g_running, 0);
    expectSetOf(2883);
    expectSetOf(2880);
  }
}

}  // namespace
