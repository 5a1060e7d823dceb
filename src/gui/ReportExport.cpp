// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ReportExport.h"

#include <QDir>
#include <QStandardPaths>
#include <ctime>

#include "app/VelmoraDlg.h"
#include "app/Version.h"
#include "gui/OutputDialog.h"
#include "report/DesignReport.h"
#include "reportrender/PlotPainter.h"
#include "reportrender/ReportRender.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", &parts);
  return buffer;
}

}  // namespace

void ExportReport(CVelmoraDlg& dlg, QWidget* parent, const insight::InsightOptions& options) {
  using reportrender::Q;
  const report::ReportTexts texts = report::ReportTexts::FromSection(dlg.Model().Lang().report);
  const gui::OutputTexts words{Q(texts(report::T::ExportCaption)),     Q(dlg.Model().Lang()[kOverwriteQuestion]),
                               Q(dlg.Model().Lang()[kMessageCaption]), Q(dlg.Model().Lang()[kOkButton]),
                               Q(dlg.Model().Lang()[kCancelButton]),   Q(texts(report::T::ExportFailed))};
  const std::vector<gui::OutputFilter> filters{{Q(texts(report::T::ExportFilterPdf)), {".pdf"}},
                                               {Q(texts(report::T::ExportFilterHtml)), {".html", ".htm"}}};
  // The report calculates first; a design the input checks stop gets none.
  insight::InsightOptions withRequirement = options;
  withRequirement.requiredInductance_uH = dlg.Model().AdvisedRequirement();
  const Design design = dlg.CalculatedDesign(withRequirement);
  if (const ShownResults* run = design.LastCalculation(); run && run->stoppedByInputCheck) {
    gui::TellOutputFailed(parent, words,
                          run->messages.empty() ? std::string() : Cp1251TextToUtf8(run->messages.front().text));
    return;
  }
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const auto chosen = gui::AskOutputFile(parent, words, QDir(folder).filePath(QStringLiteral("report.pdf")), filters);
  if (!chosen) return;

  report::ReportMeta meta;
  meta.program = ProgramAndVersion();
  meta.date = Now();
  const report::Document doc = report::BuildDesignReport(design, texts, meta);
  std::string error;
  if (!reportrender::WriteReport(doc, chosen->path, &error)) gui::TellOutputFailed(parent, words, error);
}

}  // namespace velmora
