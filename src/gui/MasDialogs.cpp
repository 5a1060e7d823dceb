// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MasDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include "app/DesignTexts.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "gui/OutputDialog.h"
#include "lang/LangSlots.h"
#include "present/ControlIds.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

QString Q(const std::string& cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

}  // namespace

void RunMasCommand(CVelmoraDlg& dlg, int id, QWidget* parent) {
  const QString filter = Q(DesignText(dlg.Lang(), "masFilter")) + QStringLiteral(" (*.json)");
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (id == ids::ID_EXPORT_MAS) {
    // The question before replacing a file is asked of the name with ".json".
    const gui::OutputTexts words{Q(DesignText(dlg.Lang(), "masExportTitle")),
                                 Q(dlg.Lang()[kOverwriteQuestion]),
                                 Q(dlg.Lang()[kMessageCaption]),
                                 Q(dlg.Lang()[kOkButton]),
                                 Q(dlg.Lang()[kCancelButton]),
                                 Q(DesignText(dlg.Lang(), "masWriteFailed"))};
    const auto chosen =
        gui::AskOutputFile(parent, words, QDir(folder).filePath(QStringLiteral("design.json")), {{filter, {".json"}}});
    if (chosen) ExportMas(dlg, chosen->path);
    return;
  }
  if (id != ids::ID_IMPORT_MAS) return;
  const QString name = QFileDialog::getOpenFileName(parent, Q(DesignText(dlg.Lang(), "masImportTitle")), folder,
                                                    filter + QStringLiteral(";;* (*)"));
  if (!name.isEmpty()) ImportMas(dlg, name.toStdString());
}

}  // namespace velmora
