// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ReportExport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <ctime>

#include "app/VelmoraDlg.h"
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

void ExportReport(CVelmoraDlg& dlg, QWidget* parent) {
  using reportrender::Q;
  const report::ReportTexts texts = report::TextsOfWindow(dlg);
  const QString pdf = Q(texts(report::T::ExportFilterPdf)) + QStringLiteral(" (*.pdf)");
  const QString html = Q(texts(report::T::ExportFilterHtml)) + QStringLiteral(" (*.html *.htm)");
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QString chosen = pdf;
  QString name = QFileDialog::getSaveFileName(parent, Q(texts(report::T::ExportCaption)),
                                              QDir(folder).filePath(QStringLiteral("report.pdf")),
                                              pdf + QStringLiteral(";;") + html, &chosen);
  if (name.isEmpty()) return;
  // A name without a known extension takes the one of the chosen filter.
  if (reportrender::FormatOfName(name.toStdString()) == reportrender::Format::Unknown)
    name += chosen == html ? QStringLiteral(".html") : QStringLiteral(".pdf");

  report::ReportMeta meta;
  meta.program = report::ProgramAndVersion();
  meta.date = Now();
  const report::Document doc = report::BuildDesignReport(dlg, texts, meta);
  std::string error;
  if (reportrender::WriteReport(doc, name.toStdString(), &error)) return;
  QMessageBox box(QMessageBox::Warning, Q(dlg.Lang()[kMessageCaption]),
                  Q(texts(report::T::ExportFailed)) + QLatin1Char('\n') + QString::fromStdString(error),
                  QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setText(Q(dlg.Lang()[kOkButton]));  // in the window's language
  box.exec();
}

}  // namespace velmora
