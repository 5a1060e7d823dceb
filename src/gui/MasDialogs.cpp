// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MasDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include "app/ControlIds.h"
#include "app/DesignTexts.h"
#include "app/MasExchange.h"
#include "app/VelmoraDlg.h"
#include "gui/OutputDialog.h"
#include "lang/LangSlots.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

QString Q(const std::string& cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

}  // namespace

void RunMasCommand(CVelmoraDlg& dlg, int id, QWidget* parent) {
  const QString kind = Q(DesignText(dlg.Model().Lang(), "masFilter"));
  // The documents folder where there is one; a missing folder would be
  // taken by the dialogs as a file name.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  if (id == ids::ID_EXPORT_MAS) {
    // The question before replacing a file is asked of the name with ".json".
    const gui::OutputTexts words{Q(DesignText(dlg.Model().Lang(), "masExportTitle")),
                                 Q(dlg.Model().Lang()[kOverwriteQuestion]),
                                 Q(dlg.Model().Lang()[kMessageCaption]),
                                 Q(dlg.Model().Lang()[kOkButton]),
                                 Q(dlg.Model().Lang()[kCancelButton]),
                                 Q(DesignText(dlg.Model().Lang(), "masWriteFailed"))};
    const auto chosen =
        gui::AskOutputFile(parent, words, QDir(folder).filePath(QStringLiteral("design.json")), {{kind, {".json"}}});
    std::vector<std::string> inputs;  // the document the inputs came from is never replaced
    if (!dlg.Model().ImportedDocument().empty()) inputs.push_back(dlg.Model().ImportedDocument());
    if (chosen) ExportMas(dlg, chosen->path, inputs);
    return;
  }
  if (id != ids::ID_IMPORT_MAS) return;
  const QString name = QFileDialog::getOpenFileName(parent, Q(DesignText(dlg.Model().Lang(), "masImportTitle")), folder,
                                                    kind + QStringLiteral(" (*.json);;* (*)"));
  if (!name.isEmpty()) ImportMas(dlg, name.toStdString());
}

}  // namespace velmora
