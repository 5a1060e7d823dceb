// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AdviserInput.h"

#include "app/ConverterRecord.h"
#include "calc/Constants.h"
#include "present/InputTable.h"
#include "ui/Dialog.h"

namespace velmora {

AdviserSource AdviserSourceOf(const Workspace& model, const SettingsRecord& settings,
                              const insight::InsightOptions& options) {
  AdviserSource source;
  source.dbText = model.CoreDatabaseText();
  source.folder = model.ProgramFolder();
  source.materials = model.MaterialsWithData();
  source.wires = model.Wires();
  source.lang = model.Lang();
  source.ambient_C = options.ambient_C;
  advise::AdviseQuery& query = source.query;
  query.inputs = ChokeInputsOf(settings);
  query.minGap = options.minGap_mm;
  query.maxRise = options.riseLimit_K;
  query.fluxMargin = options.fluxMargin;
  query.saturationCurrent_A = options.saturationCurrent_A;
  query.requiredInductance_uH = options.requiredInductance_uH;
  query.alTolerance = options.alTolerance;
  query.alToleranceUngapped = options.alToleranceUngapped;
  if (const auto& request = model.DesignRequest()) query.points = PointSourceOf(*request);
  return source;
}

advise::AdviseData AdviseDataOf(const AdviserSource& source, const std::vector<std::string>& materials) {
  advise::AdviseData data;
  data.cores = advise::SelectableCores(source.dbText, ui::CompareNoCase);
  data.materials = advise::LoadMaterials(source.folder, materials);
  data.wires = source.wires;
  data.lang = source.lang;
  data.lossLimit = constants::kLossDensityLimit;
  data.ambient_C = source.ambient_C;
  return data;
}

}  // namespace velmora
