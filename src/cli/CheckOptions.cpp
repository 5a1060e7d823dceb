// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CheckOptions.h"

#include <cmath>
#include <cstdlib>

#include "advise/Advise.h"

namespace velmora::cli {

namespace {

constexpr double kPercent = 100.0;

// The whole text as a finite number, or nothing.
std::optional<double> WholeNumber(const std::optional<std::string>& text) {
  if (!text || text->empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(text->c_str(), &end);
  if (*end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

std::vector<const char*> CheckOptionNames() {
  return {"--flux-margin", "--saturation-current", "--required-inductance", "--max-rise", "--min-gap"};
}

std::string SetCheckOption(std::string_view option, const std::optional<std::string>& value, CheckArgs& a) {
  const std::optional<double> v = WholeNumber(value);
  if (option == "--flux-margin") {
    if (!v || *v < 0 || *v > insight::constants::kMaxFluxMargin * kPercent)
      return "--flux-margin needs a percentage from 0 to 50";
    a.fluxMarginPercent = v;
  } else if (option == "--saturation-current") {
    if (!v || !(*v > 0)) return "--saturation-current needs a current in A above 0";
    a.saturationCurrent_A = v;
  } else if (option == "--required-inductance") {
    if (!v || !(*v > 0)) return "--required-inductance needs an inductance in uH above 0";
    a.requiredInductance_uH = v;
  } else if (option == "--max-rise") {
    if (!v || !(*v > 0)) return "--max-rise needs a temperature rise in K above 0";
    a.maxRise_K = v;
  } else if (option == "--min-gap") {
    if (!v || *v < 0 || *v > advise::kMaxGap) return "--min-gap needs a length in mm from 0 to 3";
    a.minGap_mm = v;
  }
  return {};
}

std::string CheckHelpText() {
  return "  CHECK LIMITS      calc, advise, report (each in place of Details.cfg's value):\n"
         "    --flux-margin PCT  the margin below the saturation flux density (0-50, default 20)\n"
         "    --saturation-current A  the current of the saturation check (default: the peak current)\n"
         "    --required-inductance UH  the inductance the low end of the AL tolerance must reach\n"
         "                    (default: the design inductance, the field or from the minimum current)\n"
         "    --max-rise K    the highest temperature rise (default 50)\n"
         "    --min-gap MM    the least ground gap (0-3, default 0.05)\n"
         "  The checks (the details JSON's \"checks\": id, passed true/false/null, severity,\n"
         "  value, limit, unit), one evaluation for calc, report, the adviser and the window;\n"
         "  failures: ripple (below twice the nominal current), fluxNominal and fluxSpread (the peak\n"
         "  flux density at nominal AL and at the high end of the AL tolerance within the permitted\n"
         "  one), saturation (at the high end and the saturation current within (1 - margin) times\n"
         "  Bsat at the settled core temperature: linear from the material's Bsat25 at 25 C to Bmax\n"
         "  at 100 C, above that towards 0 at its Curie point Tcurie; Bmax where the file lacks\n"
         "  them), minimumInductance (at the low end), fill (at most 0.4), rise (settled, within\n"
         "  --max-rise), runaway (settles below 200 C), minimumGap (a ground gap at least --min-gap),\n"
         "  ringGap (no gap in a ring); cautions, which never fail a design: lossExtrapolated (the\n"
         "  operating point outside the loss table), acResistance (the ripple's AC copper loss above\n"
         "  25 % of the copper loss), gapFringing (a gap above 1 mm: the fringing loss is not\n"
         "  modelled). The verdict: passes, fails K checks, or not fully checked (a check could\n"
         "  not be evaluated; a run the ripple check stops fails ripple and checks nothing more).\n";
}

void ApplyCheckArgs(const CheckArgs& a, insight::InsightOptions& o) {
  if (a.fluxMarginPercent) o.fluxMargin = *a.fluxMarginPercent / kPercent;
  if (a.saturationCurrent_A) o.saturationCurrent_A = *a.saturationCurrent_A;
  if (a.requiredInductance_uH) o.requiredInductance_uH = *a.requiredInductance_uH;
  if (a.maxRise_K) o.riseLimit_K = *a.maxRise_K;
  if (a.minGap_mm) o.minGap_mm = *a.minGap_mm;
}

}  // namespace velmora::cli
