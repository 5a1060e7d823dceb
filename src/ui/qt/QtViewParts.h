// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the files of the Qt view share among themselves: the dialog font and
// the measuring of captions (QtDialogFont.cpp), the style and tooltips
// (QtDialogStyle.cpp) and the program's icon (QtDialogPictures.cpp). Not for
// use outside src/ui/qt.
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "ui/Template.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace velmora::ui {

// ---- dialog font and units ---------------------------------------------------
// A static text's "&x" marks a mnemonic and "&&" stands for "&".
QString WithoutMnemonics(const QString& text);
// Breaks text into lines that fit the width (buttons and check boxes with
// the multi-line style).
QString Wrapped(const QString& text, const QFontMetrics& fm, int width);
// Static text breaks its lines at blanks only; a word longer than the box
// is cut off at its edge.
QStringList StaticLines(const QString& text, const QFontMetrics& fm, int width);
void SetStaticText(QLabel* label, const QString& text);
// The font of a dialog made for the standard dialog font, at the given
// pixels per dialog unit.
QFont DialogFont(const DialogTemplate& tmpl, double scaleX, double scaleY);

// ---- fitted dialog fonts kept between starts (QtDialogFontCache.cpp) -------
// Fitting measures the template's captions in several sizes and widths of
// the font, which took a good part of the window's start. What it chose is
// kept in the user's cache folder, with what the font measured then: its
// line height and average width in thousandths of a pixel and a key of the
// family found for it. A kept fit is taken only where the font measures the
// same now (not after another font has been installed in its place).
struct FittedFont {
  int pixelSize = 0;
  int stretch = 0;
  int height = 0;
  int average = 0;
  QByteArray family;  // FamilyKey of the family found
  bool operator==(const FittedFont&) const = default;
};
// A font as a kept fit records it.
FittedFont Measured(const QFont& font);
// The key of a fit: the font asked for, the scales and the captions with
// their boxes (SHA-256, 64 hex digits), and of a family name.
QByteArray DialogFontKey(const QFont& requested, const DialogTemplate& tmpl, double scaleX, double scaleY);
QByteArray FamilyKey(const QString& family);
// The fit kept for the key in the bytes of the cache file; nothing when the
// file is not one the program wrote, whole (any damage drops all of it).
std::optional<FittedFont> FindFittedFont(const QByteArray& file, const QByteArray& key);
// The file's bytes with the fit for the key put first (the oldest fall out).
QByteArray WithFittedFont(const QByteArray& file, const QByteArray& key, const FittedFont& font);
// The cache file's bytes (empty when there is none); it is written whole
// or not at all.
QByteArray ReadFontCache();
void WriteFontCache(const QByteArray& bytes);

// ---- mnemonics ------------------------------------------------------------------
// The mnemonic a text marks with "&x" ("&&" is an "&"), lower case; none: 0.
QChar MarkedMnemonic(const QString& text);
// The texts, each with a mnemonic: a text that marks its own keeps it; the
// others get the first letter or digit that neither `taken` nor another
// text holds, a word's first letter before the letters inside words. A text
// shows as it was, with that letter underlined; one with no free letter
// stays as it is.
QStringList ChooseMnemonics(QStringList texts, QString taken);
// The texts of one menu as the menu shows them, each with a mnemonic.
QStringList WithMnemonics(const std::vector<MenuItem>& items);
// A button's caption as it shows: wrapped into its width when multi-line.
QString ButtonCaption(const QAbstractButton* button, const ControlTemplate& t, const QString& text);

// ---- syncing ---------------------------------------------------------------------
// A combo box's field whose text the program or a pick from the list has
// replaced shows the start of it: focused, with all of it selected and the
// caret at the start (typing replaces it); else with the caret at the start.
void ShowStart(QLineEdit* field);

// ---- style and tooltips --------------------------------------------------------
// How long a tooltip stays up.
inline constexpr int kTipHideDelayMs = 30000;
// The text of a result beyond its limit: a dark red that reads apart from
// the window's text, from the greyed texts and from a selection in every
// style (contrast above 5:1 on the light window colours).
inline const QColor kWarningText(0xb0, 0x10, 0x10);
// The tooltip text: plain when it fits the maximum width, else rich text
// laid out at that width so that it wraps.
QString TipText(const QString& tip);

// ---- icon and pictures ---------------------------------------------------------
// The program's icon from the linked resources; a null icon without them.
QIcon AppIcon();

}  // namespace velmora::ui
