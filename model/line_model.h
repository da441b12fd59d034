// The arithmetic of source, 50-ohm line and load. Pure functions: every call
// recomputes from the resistances it is given.
#pragma once

constexpr double kZo = 50.0;
constexpr double kInvZo = 0.02;  // every division by Zo is this product
constexpr double kZoSquared = 2500.0;

// Phase, in electrical degrees travelled by the wavefront since a run began.
constexpr int kLegDeg = 360;        // one trip along the line, source to load or back
constexpr int kRoundTripDeg = 720;  // there and back
constexpr int kRunEnd = 2880;       // four round trips

struct LineQuantities {
  int loadSide;          // -1 below Zo, 0 at Zo, +1 above
  int loadAboveZo;       // 1 if RL / Zo > 1
  double loadVswr;       // >= 1
  double loadRho;        // |reflection coefficient| of the load
  double sourceRho;      // |reflection coefficient| of the source
  double bounceProduct;  // sourceRho * loadRho
  int roundTripsDone;    // phase / 720
};

LineQuantities ComputeLineQuantities(double sourceOhms, double loadOhms, int phaseDeg);

// The amplitude incident on the load (50 per volt) for a frame at phaseDeg,
// given the value it had before; it keeps that value from 2880 on.
double NextIncidentAmp(const LineQuantities &q, double sourceOhms, double loadOhms, int phaseDeg,
                       double previous);

// Impedance looking towards the load k/8 of a wavelength from it (k = 1..7).
struct MarkImpedance {
  double r;        // resistance, or the whole real value at k = 2, 4, 6
  double x;        // magnitude of the reactance; 0 where the value is real
  bool real;       // k = 2, 4, 6
  bool inductive;  // the reactance is printed as "+ j"
};
MarkImpedance ComputeMarkImpedance(double loadRho, double loadOhms, int k);

struct SourceFigures {
  double vswr;
  double rho;
  double emf;  // volts
};
SourceFigures ComputeSourceFigures(double sourceOhms);
