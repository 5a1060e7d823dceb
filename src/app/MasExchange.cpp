// SPDX-License-Identifier: GPL-3.0-or-later
// "Export MAS...": the window's design, calculated, as a MAS document.
#include "app/MasExchange.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <iterator>

#include "app/ControlIds.h"
#include "app/DesignTexts.h"
#include "app/VelmoraDlg.h"
#include "calc/Calculate.h"
#include "converter/ConverterFields.h"
#include "lang/LanguageTable.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/OutputFile.h"

namespace velmora {

namespace {

// The bisection halves the gap's interval this often: from the path length
// down to far below a double's resolution of it.
constexpr int kGapBisections = 200;

int WholeCount(double value) {
  return std::isfinite(value) && value >= 1 && value <= INT_MAX ? static_cast<int>(value) : 0;
}

// The material's name without its maker, the last word ("N87 Epcos" ->
// "N87"); a one-word name as it is.
std::string WithoutMaker(const std::string& name) {
  const std::size_t space = name.find_last_of(' ');
  if (space == std::string::npos || space == 0) return name;
  std::string bare = name.substr(0, space);
  while (!bare.empty() && bare.back() == ' ') bare.pop_back();
  return bare.empty() ? name : bare;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

void Magnetic(const CVelmoraDlg& dlg, const ChokeResults& r, mas::MasDesign& d) {
  d.coreName = dlg.Model().CurrentCore();
  // The database keeps MAS names in lower case (see ReadCoreMasName).
  const std::string mas = AsciiUpper(ReadCoreMasName(dlg.Model().CoreDatabaseText(), d.coreName));
  d.shape = mas.empty() ? d.coreName : mas;
  d.toroidal = ShapeOfName(d.coreName) == kShapeR || d.shape.starts_with("T ");
  // A powder goes by its own name (it names no maker) and has its gap
  // distributed in the material: none to grind.
  const bool powder = dlg.Model().Material().hasRollOff();
  d.material = r.noData || powder ? dlg.Model().Settings().mater : WithoutMaker(dlg.Model().Settings().mater);
  d.gap_mm = powder ? 0.0
             : dlg.Model().Settings().gapChoice == 0
                 ? r.read.X
                 : GapOfInductanceFactor(r.AL, dlg.Model().Core(), dlg.Model().Material().mu, r.g0);
  d.turns = WholeCount(r.N);
  d.parallels = WholeCount(r.n);
  d.conductingDiameter_mm = r.d;
  const auto& wires = dlg.Model().Wires().entries;
  if (r.wireIndex >= 0 && static_cast<std::size_t>(r.wireIndex) < wires.size())
    d.outerDiameter_mm = wires[static_cast<std::size_t>(r.wireIndex)].diz;
}

// The ripple target as the format gives it, a share of the inductor's
// average current: one in amperes as the share of it at the worst point,
// where the target sets the inductance (for a buck the same share at every
// input voltage).
double RippleRatio(const converter::ConverterRequest& request, const converter::ConverterDesign& design) {
  if (request.rippleUnit == converter::RippleUnit::kShare) return request.ripple;
  return request.ripple / design.worst.inductorCurrent;
}

// The converter the design was made from: its request in the format's
// terms (buck and boost), and the choke at each end of the input voltage and
// at the worst point, at the window's frequency with the choke's actual
// inductance, as the design's own point.
void ConverterParts(const converter::ConverterRequest& request, const ChokeResults& r, mas::MasDesign& d) {
  d.purpose = kMasConverterNames[static_cast<int>(request.topology)];
  converter::ConverterRequest held = request;
  held.fsw_kHz = r.read.F;
  const converter::DesignResult design = converter::DesignConverter(held);
  if (design.error != converter::RequestError::kNone) return;
  if (request.topology != converter::Topology::kBuckBoost)
    d.converter = mas::MasConverter{
        request.topology == converter::Topology::kBuck ? mas::MasTopology::kBuck : mas::MasTopology::kBoost,
        request.vinMin,
        request.vinMax,
        request.vout,
        request.iout,
        request.vd,
        RippleRatio(held, design.design),
        request.efficiency,
        request.fsw_kHz};
  const std::pair<const char*, double> ends[] = {{"Minimum input voltage ", design.design.atMin.vin},
                                                 {"Maximum input voltage ", design.design.atMax.vin},
                                                 {"Worst point, input voltage ", design.design.worst.vin}};
  const double inductance_uH = std::isfinite(r.Lact) && r.Lact > 0 ? r.Lact : r.L;
  for (const auto& [name, vin] : ends) {
    const converter::OperatingPoint p = converter::PointAt(held, vin, inductance_uH);
    d.points.push_back(
        {name + converter::TypedNumber(vin) + " V", p.inductorCurrent, p.ripple, p.duty, p.voltageOn + p.voltageOff});
  }
}

}  // namespace

void AppendMasMenuItems(std::vector<ui::MenuItem>& items) {
  for (const int id : {ids::ID_EXPORT_MAS, ids::ID_IMPORT_MAS}) {
    ui::MenuItem item;
    item.id = id;
    item.text = DesignTextEnglish(id == ids::ID_EXPORT_MAS ? "menuExportMas" : "menuImportMas");
    items.push_back(std::move(item));
  }
}

void ApplyMasMenuTexts(std::vector<ui::MenuItem>& items, const LanguageTable& lang) {
  for (ui::MenuItem& item : items)
    if (item.id == ids::ID_EXPORT_MAS) item.text = DesignText(lang, "menuExportMas");
    else if (item.id == ids::ID_IMPORT_MAS) item.text = DesignText(lang, "menuImportMas");
}

bool IsMasCommand(int id) { return id == ids::ID_EXPORT_MAS || id == ids::ID_IMPORT_MAS; }

double GapOfInductanceFactor(double AL_uH, const CoreRecord& core, double materialMu, double g0) {
  if (!std::isfinite(AL_uH) || AL_uH <= 0) return std::nan("");
  if (FiguresOfGap(0, core, materialMu, g0).AL <= AL_uH) return 0;
  // AL falls as the gap widens; beyond a third of the path the fringing
  // formula no longer holds.
  double low = 0;
  double high = core.le / 3;
  if (!(FiguresOfGap(high, core, materialMu, g0).AL <= AL_uH)) return std::nan("");
  for (int i = 0; i < kGapBisections && high - low > 0; ++i) {
    const double middle = low + (high - low) / 2;
    if (middle <= low || middle >= high) break;
    (FiguresOfGap(middle, core, materialMu, g0).AL > AL_uH ? low : high) = middle;
  }
  return high;
}

std::optional<mas::MasDesign> MasDesignOfWindow(CVelmoraDlg& dlg, std::string* problem) {
  if (!dlg.IsEnded()) dlg.CalculateUnlessCurrent();
  const ChokeResults* r = dlg.Model().LastCalculation();
  insight::InsightOptions options;
  options.ambient_C = dlg.Model().DesignAmbient();
  const auto details = dlg.Model().DescribeLastCalculation(options);
  if (!r || !details || dlg.IsEnded()) {
    if (problem) *problem = "calculation";
    return std::nullopt;
  }
  mas::MasDesign d;
  d.inductance_uH = r->L;
  d.frequency_kHz = r->read.F;
  d.ambient_C = dlg.Model().DesignAmbient();
  d.currentOffset_A = r->read.Inom;
  d.currentRipple_A = r->dI;
  d.dutyCycle = r->D;
  // Output choke: U1 switched, U2 the output: U1 - U2 and -U2 across the
  // choke. Other use: U1 and -U2.
  d.voltagePeakToPeak_V = dlg.Model().Settings().use == 0 ? r->read.U1 : r->read.U1 + r->read.U2;
  Magnetic(dlg, *r, d);
  if (const auto& request = dlg.Model().DesignRequest()) ConverterParts(*request, *r, d);
  // The losses where core and winding settle; without a settled state (no
  // loss data, thermal runaway) those of the loss tables' temperature.
  const insight::ThermalState& settled = details->operating.thermal;
  if (!r->noData && !settled.runaway && std::isfinite(settled.temperature_C)) {
    d.coreLoss_W = settled.core_W;
    d.windingLoss_W = settled.copper_W;
    d.lossTemperature_C = settled.temperature_C;
    d.temperature_C = settled.temperature_C;
  } else {
    d.coreLoss_W = r->noData ? 0 : r->Pcore;
    d.windingLoss_W = details->winding.copperLoss_W;
    d.lossTemperature_C = details->winding.temperature_C;
    d.temperature_C = d.ambient_C + details->losses.temperatureRise_K;
  }
  d.actualInductance_uH = r->Lact;
  d.inductanceFactor_nH = r->AL * 1000;  // uH -> nH
  if (r->stoppedByRipple) {
    if (problem) *problem = "wire";
    return std::nullopt;
  }
  std::string unfit = mas::MasDesignProblem(d);
  if (!unfit.empty()) {
    if (problem) *problem = std::move(unfit);
    return std::nullopt;
  }
  return d;
}

bool WriteMasFile(const std::string& path, std::string_view bytes, const std::vector<std::string>& inputs,
                  std::string* reason) {
  const WriteStatus status = WriteOutputFile(path, bytes, inputs);
  if (!status.ok() && reason) *reason = status.Reason();
  return status.ok();
}

bool ExportMas(CVelmoraDlg& dlg, const std::string& path, const std::vector<std::string>& inputs, std::string* error) {
  std::string problem;
  const std::optional<mas::MasDesign> design = MasDesignOfWindow(dlg, &problem);
  std::string message;
  if (!design) {
    message = DesignText(dlg.Model().Lang(), "masIncomplete") + " " + problem;
  } else {
    std::string reason;
    if (WriteMasFile(path, mas::WriteMasDocument(*design), inputs, &reason)) return true;
    // The path and the reason are UTF-8; the message box shows Windows-1251.
    message = DesignText(dlg.Model().Lang(), "masWriteFailed") + " " +
              Utf8ToCp1251(path + ": " + reason).value_or(std::string("?"));
  }
  if (error) *error = Cp1251ToUtf8(message);
  if (!dlg.IsEnded()) dlg.Message(message);
  return false;
}

}  // namespace velmora
