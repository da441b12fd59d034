#include "model/line_model.h"

#include <gtest/gtest.h>

#include "model/fixed_format.h"

namespace {

// Runs the incident-amplitude rule frame by frame over a run, as the
// animation does, and returns the readout (volts) of each round trip.
std::vector<std::string> RoundTripReadouts(double rs, double rl) {
  std::vector<std::string> readouts;
  double amp = 0.0;
  for (int phase = 0; phase <= 2880; phase += 3) {
    LineQuantities q = ComputeLineQuantities(rs, rl, phase);
    amp = NextIncidentAmp(q, rs, rl, phase, amp);
    if (phase % 720 == 0 && phase < 2880) readouts.push_back(FormatFixed(amp * kInvZo, 3));
  }
  return readouts;
}

}  // namespace

TEST(LineModel, LoadQuantitiesFollowTheSideOfZo) {
  struct Case {
    double rl;
    int side, above;
    double vswr, rho;
  };
  const Case cases[] = {
      {75, 1, 1, 1.5, 0.2},
      {50, 0, 0, 1.0, 0.0},
      {25, -1, 0, 2.0, 1.0 / 3.0},
      {49.9, -1, 0, 1.0 / (49.9 * 0.02), (1.0 / (49.9 * 0.02) - 1) / (1.0 / (49.9 * 0.02) + 1)},
      {150, 1, 1, 3.0, 0.5},
      {0.1, -1, 0, 500.0, 499.0 / 501.0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.rl);
    LineQuantities q = ComputeLineQuantities(35, c.rl, 0);
    EXPECT_EQ(q.loadSide, c.side);
    EXPECT_EQ(q.loadAboveZo, c.above);
    EXPECT_DOUBLE_EQ(q.loadVswr, c.vswr);
    EXPECT_DOUBLE_EQ(q.loadRho, c.rho);
  }
}

TEST(LineModel, IncidentVoltageSettlesRoundTripByRoundTrip) {
  struct Case {
    double rs, rl;
    std::vector<std::string> volts;
  };
  const Case cases[] = {
      {35, 75, {"1.000", "0.965", "0.966", "0.966"}},    // opposite sides
      {100, 150, {"1.000", "1.167", "1.194", "1.199"}},  // same side
      {100, 25, {"1.000", "0.889", "0.901", "0.900"}},   // opposite sides
      {400, 0.1, {"1.000", "0.225", "0.825", "0.361"}},  // the extremes
      {35, 50, {"1.000", "1.000", "1.000", "1.000"}},    // matched load
      {50, 75, {"1.000", "1.000", "1.000", "1.000"}},    // matched source
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.rs << " / " << c.rl);
    EXPECT_EQ(RoundTripReadouts(c.rs, c.rl), c.volts);
  }
}

TEST(LineModel, IncidentAmplitudeKeepsItsLastValueFromTheEndOfTheRun) {
  LineQuantities q = ComputeLineQuantities(35, 75, 2880);
  EXPECT_EQ(NextIncidentAmp(q, 35, 75, 2880, 48.29538), 48.29538);
  EXPECT_EQ(NextIncidentAmp(q, 35, 75, 2883, 48.29538), 48.29538);
  // A matched end gives the launched wave even there.
  EXPECT_EQ(NextIncidentAmp(ComputeLineQuantities(50, 75, 2880), 50, 75, 2880, 7.0), 50.0);
  EXPECT_DOUBLE_EQ(NextIncidentAmp(ComputeLineQuantities(35, 75, 720), 35, 75, 720, 0),
                   50 * (1 - 0.2 * 15.0 / 85.0));
}

TEST(LineModel, MarkImpedancesAlternateAlongTheLine) {
  struct Case {
    double rl;
    int k;
    const char *r, *x;
    bool real, inductive;
  };
  const Case cases[] = {
      {75, 1, "46.2", "19.2", false, false},  {75, 2, "33.3", "0.0", true, false},
      {75, 3, "46.2", "19.2", false, true},   {75, 4, "75.0", "0.0", true, false},
      {75, 5, "46.2", "19.2", false, false},  {75, 6, "33.3", "0.0", true, false},
      {75, 7, "46.2", "19.2", false, true},   {50, 1, "50.0", "0.0", false, false},
      {50, 3, "50.0", "0.0", false, true},    {50, 2, "50.0", "0.0", true, false},
      {25, 1, "40.0", "30.0", false, true},   {25, 2, "100.0", "0.0", true, false},
      {25, 3, "40.0", "30.0", false, false},  {49.9, 1, "50.0", "0.1", false, true},
      {49.9, 5, "50.0", "0.1", false, true},  {49.9, 7, "50.0", "0.1", false, false},
      {150, 1, "30.0", "40.0", false, false}, {150, 2, "16.7", "0.0", true, false},
      {0.1, 1, "0.2", "50.0", false, true},   {0.1, 2, "25000.0", "0.0", true, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.rl << " Z" << c.k);
    MarkImpedance z = ComputeMarkImpedance(ComputeLineQuantities(35, c.rl, 0).loadRho, c.rl, c.k);
    EXPECT_EQ(FormatFixed(z.r, 1), c.r);
    EXPECT_EQ(FormatFixed(z.x, 1), c.x);
    EXPECT_EQ(z.real, c.real);
    if (!c.real) {
      EXPECT_EQ(z.inductive, c.inductive);
    }
  }
}

TEST(LineModel, SourceFiguresCoverTheAdmittedRange) {
  struct Case {
    double rs;
    const char *vswr, *rho, *emf;
  };
  const Case cases[] = {
      {35, "1.43", "0.176", "1.70"},  {50, "1.00", "0.000", "2.00"}, {10, "5.00", "0.667", "1.20"},
      {400, "8.00", "0.778", "9.00"}, {25, "2.00", "0.333", "1.50"}, {100, "2.00", "0.333", "3.00"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.rs);
    SourceFigures s = ComputeSourceFigures(c.rs);
    EXPECT_EQ(FormatFixed(s.vswr, 2), c.vswr);
    EXPECT_EQ(FormatFixed(s.rho, 3), c.rho);
    EXPECT_EQ(FormatFixed(s.emf, 2), c.emf);
    EXPECT_DOUBLE_EQ(s.rho, ComputeLineQuantities(c.rs, 75, 0).sourceRho);
  }
}
