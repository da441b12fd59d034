#include "model/line_model.h"

#include <cmath>

namespace {

constexpr double kLaunchedAmp = 50.0;  // the 1 V wave the source launches

}  // namespace

LineQuantities ComputeLineQuantities(double sourceOhms, double loadOhms, int phaseDeg) {
  LineQuantities q{};
  q.loadSide = loadOhms < kZo ? -1 : (loadOhms == kZo ? 0 : 1);
  q.loadAboveZo = loadOhms * kInvZo > 1.0 ? 1 : 0;
  double r = loadOhms * kInvZo;
  if (r < 1.0) r = 1.0 / r;
  q.loadVswr = r;
  q.loadRho = (q.loadVswr - 1) / (q.loadVswr + 1);
  q.sourceRho = sourceOhms > kZo ? (sourceOhms - kZo) / (sourceOhms + kZo)
                                 : (kZo - sourceOhms) / (sourceOhms + kZo);
  q.bounceProduct = q.sourceRho * q.loadRho;
  q.roundTripsDone = phaseDeg / kRoundTripDeg;
  return q;
}

double NextIncidentAmp(const LineQuantities &q, double sourceOhms, double loadOhms, int phaseDeg,
                       double previous) {
  // A matched end sends nothing back, so the launched wave is all there is.
  if (sourceOhms == kZo || loadOhms == kZo) return kLaunchedAmp;
  if (phaseDeg >= kRunEnd) return previous;
  bool sameSide = (sourceOhms > kZo && loadOhms > kZo) || (sourceOhms < kZo && loadOhms < kZo);
  double x = q.bounceProduct;
  int n = q.roundTripsDone;
  // Summed term by term, left to right, as 1 + P + P^2 + P^3 with P = +-x.
  double sum = 1.0;
  if (n >= 1) sum = sameSide ? sum + x : sum - x;
  if (n >= 2) sum = sum + std::pow(x, 2.0);
  if (n >= 3) sum = sameSide ? sum + std::pow(x, 3.0) : sum - std::pow(x, 3.0);
  return kLaunchedAmp * sum;
}

MarkImpedance ComputeMarkImpedance(double loadRho, double loadOhms, int k) {
  MarkImpedance z{};
  if (k == 2 || k == 6) {
    z.r = kZoSquared / loadOhms;  // a quarter wave inverts the load
    z.real = true;
    return z;
  }
  if (k == 4) {
    z.r = loadOhms;  // half a wave repeats it
    z.real = true;
    return z;
  }
  double rho2 = std::pow(loadRho, 2.0);
  z.r = kZo * (1 - rho2) / (1 + rho2);
  z.x = kZo * (loadRho + loadRho) / (1 + rho2);
  // The sign of the reactance turns every quarter wave and with the side of Zo.
  bool nearEighth = k == 1 || k == 5;
  z.inductive = nearEighth ? loadOhms < kZo : loadOhms >= kZo;
  return z;
}

SourceFigures ComputeSourceFigures(double sourceOhms) {
  SourceFigures s{};
  s.vswr = sourceOhms < kZo ? kZo / sourceOhms : sourceOhms * kInvZo;
  s.rho = (s.vswr - 1.0) / (s.vswr + 1.0);
  s.emf = 1.0 - sourceOhms * (-kInvZo);
  return s;
}
