// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MasDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/ControlIds.h"
#include "app/DesignTexts.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

QString Q(const std::string& cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

}  // namespace

void RunMasCommand(CVelmoraDlg& dlg, int id, QWidget* parent) {
  const QString filter = Q(DesignText(dlg.Lang(), "masFilter")) + QStringLiteral(" (*.json)");
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (id == ids::ID_EXPORT_MAS) {
    // The dialog asks before it lets an existing file be chosen.
    QString name = QFileDialog::getSaveFileName(parent, Q(DesignText(dlg.Lang(), "masExportTitle")),
                                                QDir(folder).filePath(QStringLiteral("design.json")), filter);
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".json");
    ExportMas(dlg, name.toStdString());
    return;
  }
  if (id != ids::ID_IMPORT_MAS) return;
  const QString name = QFileDialog::getOpenFileName(parent, Q(DesignText(dlg.Lang(), "masImportTitle")), folder,
                                                    filter + QStringLiteral(";;* (*)"));
  if (!name.isEmpty()) ImportMas(dlg, name.toStdString());
}

}  // namespace velmora
