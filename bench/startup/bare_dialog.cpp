// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the window's cold start: a bare Qt 6 dialog with a few
// controls that closes as soon as it has been shown and drawn.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle("Bare dialog");
  auto* label = new QLabel("Inductance", &dialog);
  label->setGeometry(10, 10, 120, 20);
  auto* edit = new QLineEdit("15", &dialog);
  edit->setGeometry(140, 10, 60, 20);
  auto* button = new QPushButton("Calculate!", &dialog);
  button->setGeometry(10, 40, 100, 26);
  dialog.resize(1020, 490);
  QTimer::singleShot(0, &dialog, [&dialog] {
    QApplication::processEvents();
    dialog.accept();
  });
  return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
