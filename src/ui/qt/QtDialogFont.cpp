// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog font and the measuring of captions in dialog units.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/qt/QtDialogView.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

namespace {

// Whether a static text shows whole in its box: every line as wide as the
// box at most, and more than one line only where the box is tall enough.
bool FitsBox(const QString& text, const QFontMetrics& fm, const QSize& box) {
  const QStringList lines = StaticLines(text, fm, box.width());
  if (lines.size() > 1 && lines.size() * fm.lineSpacing() > box.height()) return false;
  return std::all_of(lines.begin(), lines.end(),
                     [&](const QString& line) { return fm.horizontalAdvance(line) <= box.width(); });
}

}  // namespace

// A static text's "&x" marks a mnemonic and "&&" stands for "&".
QString WithoutMnemonics(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// Breaks text into lines that fit the width (buttons and check boxes with
// the multi-line style).
QString Wrapped(const QString& text, const QFontMetrics& fm, int width) {
  if (width <= 0 || fm.horizontalAdvance(text) <= width) return text;
  const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
  QStringList lines;
  QString line;
  for (const QString& word : words) {
    const QString candidate = line.isEmpty() ? word : line + u' ' + word;
    if (!line.isEmpty() && fm.horizontalAdvance(candidate) > width) {
      lines << line;
      line = word;
    } else {
      line = candidate;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join(u'\n');
}

// Static text breaks its lines at blanks only; a word longer than the box
// is cut off at its edge.
QStringList StaticLines(const QString& text, const QFontMetrics& fm, int width) {
  QStringList lines;
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (const QString& paragraph : plain.split(u'\n')) lines << Wrapped(paragraph, fm, width).split(u'\n');
  return lines;
}

void SetStaticText(QLabel* label, const QString& text) {
  label->setText(StaticLines(text, label->fontMetrics(), label->contentsRect().width()).join(u'\n'));
}

namespace {

double AverageWidth(const QFont& font) {
  return QFontMetricsF(font).horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
         52.0;
}

// The dialog font: the system's sans font with the metrics of the standard
// dialog font, 8 pt "MS Shell Dlg", for which the templates are made. Its
// average character (of the Latin alphabet) is 4 dialog units across, and
// its lines fit the 8 dialog units down of a one-line static text.
//
// Qt sizes fonts in whole pixels: this takes the largest size whose line
// and average character are no larger than that (within 5 %) and narrows
// it (QFont::setStretch) to the exact average width. A font whose Cyrillic
// is wider than its Latin (DejaVu Sans, for one) still overfills boxes made
// for the template's own captions; it is narrowed on until they all fit.
QFont FitDialogFont(QFont font, const DialogTemplate& tmpl, double scaleX, double scaleY) {
  const double average = 4.0 * scaleX, lineHeight = 8.0 * scaleY;
  const int largest = std::max(1, static_cast<int>(std::lround(8.0 * 96.0 / 72.0 * scaleY / kDluY)));
  for (int px = largest; px >= 6; --px) {
    font.setPixelSize(px);
    if (QFontMetricsF(font).height() <= lineHeight && AverageWidth(font) <= average * 1.05) break;
  }
  const double natural = AverageWidth(font);
  double ratio = natural > average ? average / natural : 1.0;

  // The template's static texts in their boxes, measured once in this font
  // unnarrowed: the one-line boxes say how much narrower it must be.
  struct Caption {
    QString text;
    QSize box;
    int wide;  // unnarrowed, as one line
  };
  std::vector<Caption> captions;
  const QFontMetrics unnarrowed(font);
  for (const ControlTemplate& c : tmpl.controls) {
    if (c.kind != ControlKind::Static || c.text.empty()) continue;
    Caption caption{WithoutMnemonics(FromCp1251(c.text)),
                    QSize(static_cast<int>(std::lround(c.w * scaleX)), static_cast<int>(std::lround(c.h * scaleY))), 0};
    caption.wide = unnarrowed.horizontalAdvance(caption.text);
    const bool oneLine = caption.box.height() < 2 * unnarrowed.lineSpacing() && !caption.text.contains(u'\n');
    if (oneLine && caption.wide > caption.box.width())
      ratio = std::min(ratio, double(caption.box.width()) / caption.wide);
    captions.push_back(std::move(caption));
  }

  // Narrowing is not quite in proportion (Qt may take a condensed face of
  // the family instead): the texts that come close are checked in the font
  // itself, which is narrowed on while one of them does not fit.
  constexpr int kNarrowest = 75;  // per cent
  int stretch = std::max(kNarrowest, static_cast<int>(100.0 * ratio));
  font.setStretch(stretch);
  while (stretch > kNarrowest) {
    const QFontMetrics fm(font);
    int next = stretch;
    for (const Caption& c : captions) {
      if (c.wide * stretch <= 90 * c.box.width() || FitsBox(c.text, fm, c.box)) continue;
      const int wide = fm.horizontalAdvance(c.text);
      next = std::min({next, stretch - 1, wide > 0 ? stretch * c.box.width() / wide : next});
    }
    if (next == stretch) break;
    stretch = std::max(next, kNarrowest);
    font.setStretch(stretch);
  }
  return font;
}

}  // namespace

FittedFont Measured(const QFont& font) {
  return {font.pixelSize(), font.stretch(), static_cast<int>(std::lround(QFontMetricsF(font).height() * 1000.0)),
          static_cast<int>(std::lround(AverageWidth(font) * 1000.0)), FamilyKey(QFontInfo(font).family())};
}

// The fit of an earlier start is taken where the font still measures as it
// did then; else the font is fitted and the fit kept.
QFont DialogFont(const DialogTemplate& tmpl, double scaleX, double scaleY) {
  const QFont requested = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  const QByteArray key = DialogFontKey(requested, tmpl, scaleX, scaleY);
  const QByteArray cache = ReadFontCache();
  if (const std::optional<FittedFont> kept = FindFittedFont(cache, key)) {
    QFont font = requested;
    font.setPixelSize(kept->pixelSize);
    font.setStretch(kept->stretch);
    const FittedFont now = Measured(font);
    if (now.height == kept->height && now.average == kept->average && now.family == kept->family) return font;
  }
  const QFont font = FitDialogFont(requested, tmpl, scaleX, scaleY);
  WriteFontCache(WithFittedFont(cache, key, Measured(font)));
  return font;
}

}  // namespace velmora::ui
