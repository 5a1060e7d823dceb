// SPDX-License-Identifier: GPL-3.0-or-later
// The choke where it settles, with the loss of its own waveforms: the core
// loss of the triangular flux and the AC copper loss of the ripple.
#include <array>
#include <cmath>
#include <limits>

#include "calc/Constants.h"
#include "insight/DesignDetails.h"
#include "insight/OperatingCoreLoss.h"

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

}  // namespace

AcCopperModel AcModelOfDesign(const ChokeResults& r, const CoreWindingGeometry& geometry, double wireOuter_mm) {
  const WindingLayout layout = LayoutOf(geometry.breadth_mm, geometry.breadthEstimated, r.N, r.n, r.d, wireOuter_mm);
  return AcCopperModelOf(r.dI, r.D, layout, r.d);
}

OperatingState SettleDesign(const ChokeResults& r, const MaterialRecord& material, double Ve_cm3,
                            const CoreWindingGeometry& geometry, double F_kHz, double ambient_C, double wireOuter_mm,
                            double giveUpAbove_C) {
  OperatingState o;
  const double length_m = r.N * geometry.mlt_mm / kMmPerM;
  const bool wired = !r.stoppedByRipple && r.wireIndex >= 0;
  const AcCopperModel ac = AcModelOfDesign(r, geometry, wireOuter_mm);
  // Today's RMS current holds the ripple: the DC part is what is left of it.
  const double dcSquared = std::fmax(0.0, r.Irms * r.Irms - ac.rippleSquared);
  auto resistanceAt = [&](double T) {
    return wired ? WireResistance(CopperResistivity(T), length_m, r.n, r.S1) : kNaN;
  };
  // The mean current's share of the peak flux density.
  CoreLossPoint point{F_kHz, r.Bac, r.D, std::fmax(0.0, r.Bpk - r.Bac), ambient_C, DcBiasModelOf(material)};
  auto coreAt = [&](double T, double waveform) {
    point.temperature_C = T;
    return OperatingCoreLossAt(material, point, waveform);
  };
  // The settling asks for the loss many times: the tables' sine-wave loss is
  // looked up once per table, the product is OperatingCoreLossAt's.
  LossOverTemperature sine(material, F_kHz, r.Bac);
  auto coreLoss_W = [&](double T, double waveform) {
    if (r.noData) return kNaN;  // no loss data: no core loss, and so no settled state either
    point.temperature_C = T;
    return sine.At(T) * waveform * DcFactorAt(material, point) / velmora::constants::kThousand * Ve_cm3;
  };
  CompositeWaveform waveform(material, F_kHz, r.Bac, r.D);
  NodeTable factors(ambient_C, [&](double T) {
    return SlowFactors{waveform.At(T), ac.AcFactor(SkinDepth_mm(CopperResistivity(T), F_kHz))};
  });
  auto lossesAt = [&](double T) {
    const SlowFactors f = factors.At(T);
    return LossesAt{coreLoss_W(T, f.waveform), resistanceAt(T) * (dcSquared + ac.rippleSquared * f.ac)};
  };
  // The floor: no core loss (no number where the core loss is none: the
  // waveform and DC factors always are), the AC factor at its least (1: the
  // ripple's loss at DC resistance), the copper's resistance at T.
  auto floorAt = [&](double T) {
    const bool coreKnown = !r.noData && std::isfinite(sine.At(T));
    return LossesAt{coreKnown ? 0.0 : kNaN, resistanceAt(T) * (dcSquared + ac.rippleSquared)};
  };
  o.thermal = SettleTemperature(lossesAt, geometry.surface_mm2, ambient_C, giveUpAbove_C, floorAt);
  const double T = o.thermal.temperature_C;
  o.resistance_Ohm = resistanceAt(T);
  const SlowFactors f = std::isfinite(T) ? factors.At(T) : SlowFactors{kNaN, kNaN};
  const OperatingCoreLoss core = coreAt(T, f.waveform);
  o.extrapolatedTemperature = std::isfinite(T) && core.sine.extrapolatedTemperature;
  o.duty = r.D;
  o.waveformFactor = f.waveform;
  o.dcFlux_T = point.Bdc_T;
  o.dcFactor = std::isfinite(T) ? core.dcFactor : kNaN;
  o.coreSine_W = o.thermal.core_W / (f.waveform * o.dcFactor);
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
