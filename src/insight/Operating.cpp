// SPDX-License-Identifier: GPL-3.0-or-later
// The choke where it settles, with the loss of its own waveforms: the core
// loss of the triangular flux and the AC copper loss of the ripple.
#include <array>
#include <cmath>
#include <limits>

#include "calc/Constants.h"
#include "insight/DesignDetails.h"
#include "insight/TriangleLoss.h"

namespace velmora::insight {

using namespace constants;

namespace {

// The two factors that move slowly with temperature: the waveform factor
// (through the loss's frequency exponent) and the AC factor (through the
// skin depth).
struct SlowFactors {
  double waveform = 1;
  double ac = 1;
};

// Those factors at nodes a scan step apart from the ambient, where the
// settling scan evaluates the losses anyway, and linear between them: the
// bisection inside one step then costs no new evaluation. Over 10 K neither
// factor moves by more than a fraction of a per cent.
template <class Evaluate>
class NodeTable {
 public:
  NodeTable(double origin, Evaluate evaluate) : origin_(origin), evaluate_(evaluate) {}

  SlowFactors At(double T) {
    const double x = (T - origin_) / kSettleScanStep;
    if (!(x >= 0 && x < kNodes - 1)) return evaluate_(T);
    const int j = static_cast<int>(x);
    const double share = x - j;
    const SlowFactors a = Node(j);
    if (share == 0) return a;
    const SlowFactors b = Node(j + 1);
    return {a.waveform + (b.waveform - a.waveform) * share, a.ac + (b.ac - a.ac) * share};
  }

 private:
  // Nodes over 390 K from the ambient reach the scan's upper end from any
  // ambient down to -190 C; a temperature beyond them is evaluated directly.
  static constexpr int kNodes = 40;
  SlowFactors Node(int j) {
    if (!known_[j]) {
      nodes_[j] = evaluate_(origin_ + j * kSettleScanStep);
      known_[j] = true;
    }
    return nodes_[j];
  }
  double origin_;
  Evaluate evaluate_;
  std::array<SlowFactors, kNodes> nodes_{};
  std::array<bool, kNodes> known_{};
};

// The waveform factor of the design's flux at a temperature; a sine's (1)
// where the table gives no finite exponent or the duty leaves no triangle.
double WaveformFactorAt(FrequencyExponent& alpha, double duty, double T) {
  if (!(duty > 0 && duty < 1)) return 1;
  const double factor = TriangleWaveformFactor(alpha.At(T), duty);
  return std::isfinite(factor) && factor > 0 ? factor : 1;
}

}  // namespace

AcCopperModel AcModelOfDesign(const ChokeResults& r, const CoreWindingGeometry& geometry, double wireOuter_mm) {
  const WindingLayout layout = LayoutOf(geometry.breadth_mm, geometry.breadthEstimated, r.N, r.n, r.d, wireOuter_mm);
  return AcCopperModelOf(r.dI, r.D, layout, r.d);
}

OperatingState SettleDesign(const ChokeResults& r, const MaterialRecord& material, double Ve_cm3,
                            const CoreWindingGeometry& geometry, double F_kHz, double ambient_C, double wireOuter_mm) {
  OperatingState o;
  const double length_m = r.N * geometry.mlt_mm / kMmPerM;
  const bool wired = !r.stoppedByRipple && r.wireIndex >= 0;
  const AcCopperModel ac = AcModelOfDesign(r, geometry, wireOuter_mm);
  // Today's RMS current holds the ripple: the DC part is what is left of it.
  const double dcSquared = std::fmax(0.0, r.Irms * r.Irms - ac.rippleSquared);
  auto resistanceAt = [&](double T) {
    return wired ? WireResistance(CopperResistivity(T), length_m, r.n, r.S1) : kNaN;
  };
  // The tables' losses at this operating point, looked up once each.
  LossOverTemperature sine(material, F_kHz, r.Bac);
  FrequencyExponent alpha(material, F_kHz, r.Bac);
  auto sineAt = [&](double T) {
    // No loss data: no core loss, and so no settled state either.
    return r.noData ? kNaN : sine.At(T) / velmora::constants::kThousand * Ve_cm3;
  };
  NodeTable factors(ambient_C, [&](double T) {
    return SlowFactors{WaveformFactorAt(alpha, r.D, T), ac.AcFactor(SkinDepth_mm(CopperResistivity(T), F_kHz))};
  });
  auto lossesAt = [&](double T) {
    const SlowFactors f = factors.At(T);
    return LossesAt{sineAt(T) * f.waveform, resistanceAt(T) * (dcSquared + ac.rippleSquared * f.ac)};
  };
  o.thermal = SettleTemperature(lossesAt, geometry.surface_mm2, ambient_C);
  const double T = o.thermal.temperature_C;
  o.resistance_Ohm = resistanceAt(T);
  o.extrapolatedTemperature = std::isfinite(T) && SpecificLossAt(material, F_kHz, r.Bac, T).extrapolatedTemperature;
  const SlowFactors f = std::isfinite(T) ? factors.At(T) : SlowFactors{kNaN, kNaN};
  o.duty = r.D;
  o.waveformFactor = f.waveform;
  o.coreSine_W = o.thermal.core_W / f.waveform;
  o.acFactor = wired ? f.ac : kNaN;
  o.copperDC_W = dcSquared * o.resistance_Ohm;
  o.copperAC_W = ac.rippleSquared * f.ac * o.resistance_Ohm;
  o.layout = LayoutOf(geometry.breadth_mm, geometry.breadthEstimated, r.N, r.n, r.d, wireOuter_mm);
  o.penetrationRatio = wired && std::isfinite(T)
                           ? PenetrationRatio(r.d, SkinDepth_mm(CopperResistivity(T), F_kHz), o.layout.porosity)
                           : kNaN;
  return o;
}

}  // namespace velmora::insight
