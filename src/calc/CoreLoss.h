#pragma once
// Power-law (log-log) interpolation in a material's loss table.
#include "data/MaterialRecord.h"

namespace velmora {

// The flux-density amplitude (T) at which the specific loss at F (kHz) reaches
// the limit (mW/cm3), never above Bmmax. A table with fewer than 2 frequencies
// or flux densities gives NaN.
double FluxAmplitudeAtLossLimit(const MaterialRecord& material, double F, double limit);

struct CoreLossEstimate {
  double Pv = 0;     // mW/cm3
  double Pcore = 0;  // W
};
// Specific loss at F (kHz) and Bac (T), and the loss of a core of Ve cm3.
CoreLossEstimate EstimateCoreLoss(const MaterialRecord& material, double F, double Bac, double Ve);

}  // namespace velmora
