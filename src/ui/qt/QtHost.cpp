// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/QtHost.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/qt/QtDialogView.h"

namespace velmora::ui {

QtHost::QtHost() { InitQtApplication(); }

QWidget* QtHost::OwnerWindow(const Dialog* owner) const {
  // The owner's window when it shows, else the innermost window that does.
  for (auto it = running_.rbegin(); it != running_.rend(); ++it)
    if (it->first == owner && it->second->isVisible()) return it->second;
  for (auto it = running_.rbegin(); it != running_.rend(); ++it)
    if (it->second->isVisible()) return it->second;
  return nullptr;
}

void QtHost::ApplyButtonTexts(QMessageBox& box) const {
  if (!buttonTexts_) return;
  const ButtonTexts texts = buttonTexts_();
  if (QAbstractButton* ok = box.button(QMessageBox::Ok); ok && !texts.ok.empty()) ok->setText(FromCp1251(texts.ok));
  if (QAbstractButton* cancel = box.button(QMessageBox::Cancel); cancel && !texts.cancel.empty())
    cancel->setText(FromCp1251(texts.cancel));
}

int QtHost::MessageBox(Dialog& owner, std::string_view text, std::string_view caption, MbType type) {
  const bool okCancel = type == MbType::OkCancel;
  QMessageBox box(QMessageBox::NoIcon, FromCp1251(caption), FromCp1251(text),
                  okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, OwnerWindow(&owner));
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(okCancel ? QMessageBox::Cancel : QMessageBox::Ok);
  ApplyButtonTexts(box);
  const int answer = box.exec();
  return okCancel && answer != QMessageBox::Ok ? IDCANCEL : IDOK;
}

int QtHost::RunModal(Dialog& dialog) {
  QWidget* parent = OwnerWindow(nullptr);
  // The start-up replaces texts and menu: the view takes them once, after it.
  QtDialogView view(dialog, parent, QtDialogView::Fill::AtSyncAll);
  DialogObserver* previous = dialog.Observer();
  dialog.SetObserver(&view);
  running_.emplace_back(&dialog, &view);

  dialog.Create();  // start-up messages show before the window
  if (!dialog.IsEnded()) {
    view.SyncAll();
    view.setModal(true);
    view.exec();  // ends by the model's EndDialog
    if (!dialog.IsEnded()) dialog.EndDialog(IDCANCEL);
  }

  running_.pop_back();
  dialog.SetObserver(previous);
  return dialog.Result();
}

}  // namespace velmora::ui
