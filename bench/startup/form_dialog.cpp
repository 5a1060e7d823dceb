// SPDX-License-Identifier: GPL-3.0-or-later
// A second yardstick, for reference: Qt alone with the main window's kinds
// and numbers of controls (menu bar, 4 group boxes, 75 static texts, the
// notice line below the buttons, 21 edits, 12 radio buttons, 4 check boxes,
// 6 push buttons, 2 editable combo boxes with 40 entries, a spin button's 2
// arrows) at about its size, reading every file of the data folder given
// (as many as the window reads or opens at start-up), and none of the
// program's own work: no parsing, no calculation, no wrapping, no picture.
// It closes as soon as it has been shown and drawn.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  qint64 bytes = 0;
  if (argc > 1)
    for (const QFileInfo& info : QDir(argv[1]).entryInfoList(QDir::Files)) {
      QFile file(info.filePath());
      if (file.open(QIODevice::ReadOnly)) bytes += file.readAll().size();
    }
  QDialog dialog;
  dialog.setWindowTitle(QString("Form dialog, %1 bytes of data").arg(bytes));
  auto* menu = new QMenuBar(&dialog);
  menu->addMenu("Help")->addAction("Help");
  menu->addMenu("Language")->addAction("English");
  menu->addAction("About...");
  menu->setGeometry(0, 0, 1020, menu->sizeHint().height());
  auto* surface = new QWidget(&dialog);
  surface->setGeometry(0, menu->height(), 1020, 500);
  const QRect groups[] = {{10, 5, 345, 420}, {363, 5, 352, 195}, {363, 210, 360, 218}, {730, 5, 280, 475}};
  for (const QRect& g : groups) (new QGroupBox("Group box", surface))->setGeometry(g);
  for (int i = 0; i < 75; ++i)
    (new QLabel(QString("Caption of line %1").arg(i), surface))
        ->setGeometry(20 + (i % 3) * 330, 20 + (i / 3) * 18, 200, 16);
  for (int i = 0; i < 21; ++i)
    (new QLineEdit("1.5", surface))->setGeometry(250 + (i % 3) * 330, 22 + (i / 3) * 20, 40, 18);
  for (int i = 0; i < 12; ++i)
    (new QRadioButton("Choice", surface))->setGeometry(30 + (i % 4) * 240, 380 + (i / 4) * 20, 120, 18);
  for (int i = 0; i < 4; ++i) (new QCheckBox("Use this value", surface))->setGeometry(600, 300 + i * 20, 200, 18);
  for (int i = 0; i < 6; ++i) (new QPushButton("Button", surface))->setGeometry(80 + i * 150, 450, 75, 26);
  (new QLabel("The notice line below the form", surface))->setGeometry(10, 481, 1000, 13);
  for (int i = 0; i < 2; ++i) {
    auto* combo = new QComboBox(surface);
    combo->setEditable(true);
    for (int k = 0; k < 40; ++k) combo->addItem(QString("E %1/%2").arg(k).arg(2 * k));
    combo->setGeometry(740 + i * 130, 20, 120, 22);
  }
  for (int i = 0; i < 2; ++i) (new QToolButton(surface))->setGeometry(300, 160 + i * 10, 16, 10);
  dialog.resize(1020, 500 + menu->height());
  QTimer::singleShot(0, &dialog, [&dialog] {
    QApplication::processEvents();
    dialog.accept();
  });
  return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
