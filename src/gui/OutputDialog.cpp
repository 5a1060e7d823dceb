// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/OutputDialog.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "textfile/OutputFile.h"

namespace velmora::gui {

namespace {

// The dialog's filter line: "PDF document (*.pdf);;Web page (*.html *.htm)".
QString FilterLine(const std::vector<OutputFilter>& filters) {
  QStringList lines;
  for (const OutputFilter& f : filters) {
    QStringList patterns;
    for (const std::string& ext : f.extensions) patterns << QStringLiteral("*") + QString::fromStdString(ext);
    lines << f.description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return lines.join(QStringLiteral(";;"));
}

bool MayReplace(QWidget* parent, const OutputTexts& texts, const std::string& path) {
  QMessageBox box(QMessageBox::Question, texts.messageCaption,
                  texts.question + QLatin1Char('\n') + QString::fromStdString(path),
                  QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.button(QMessageBox::Ok)->setText(texts.ok);
  box.button(QMessageBox::Cancel)->setText(texts.cancel);
  box.setDefaultButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

}  // namespace

std::string NameToWrite(const std::string& typed, const std::vector<OutputFilter>& filters, std::size_t chosen) {
  if (filters.empty()) return typed;
  std::vector<std::string> all;
  for (const OutputFilter& f : filters) all.insert(all.end(), f.extensions.begin(), f.extensions.end());
  const OutputFilter& added = filters[chosen < filters.size() ? chosen : 0];
  return OutputName(typed, all, added.extensions.empty() ? "" : added.extensions.front());
}

std::optional<ChosenOutput> AskOutputFile(QWidget* parent, const OutputTexts& texts, const QString& proposed,
                                          const std::vector<OutputFilter>& filters) {
  const QString filterLine = FilterLine(filters);
  QString start = proposed;
  QString selected = filterLine.section(QStringLiteral(";;"), 0, 0);
  for (;;) {
    // The dialog asks no question of its own: it would ask of the name
    // before the extension is added.
    const QString name = QFileDialog::getSaveFileName(parent, texts.caption, start, filterLine, &selected,
                                                      QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    const QStringList lines = filterLine.split(QStringLiteral(";;"));
    const std::size_t chosen = static_cast<std::size_t>(std::max<qsizetype>(0, lines.indexOf(selected)));
    ChosenOutput out{NameToWrite(name.toStdString(), filters, chosen), chosen};
    for (std::size_t i = 0; i < filters.size(); ++i)
      for (const std::string& ext : filters[i].extensions)
        if (HasExtension(out.path, ext)) out.filter = i;
    if (!OutputExists(out.path) || MayReplace(parent, texts, out.path)) return out;
    start = QString::fromStdString(out.path);
  }
}

void TellOutputFailed(QWidget* parent, const OutputTexts& texts, const std::string& detail) {
  QMessageBox box(QMessageBox::Warning, texts.messageCaption,
                  texts.failed + QLatin1Char('\n') + QString::fromStdString(detail), QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setText(texts.ok);
  box.exec();
}

}  // namespace velmora::gui
