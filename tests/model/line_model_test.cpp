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
}
