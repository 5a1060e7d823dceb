// SPDX-License-Identifier: GPL-3.0-or-later
// The fitted dialog fonts kept between starts: only a whole file the program
// wrote is read, and a kept fit is taken only where the font still measures
// as it did.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

#include "support/QtApp.h"
#include "support/TempDir.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::test {
namespace {

const QByteArray kKey(64, 'a');
const QByteArray kFamily(64, 'b');

QByteArray Entry(const QByteArray& key, const char* numbers) { return key + ' ' + numbers + ' ' + kFamily + "\r\n"; }
QByteArray File(const QByteArray& entries) { return "velmora dialog fonts 1\r\n" + entries; }

TEST(DialogFontCacheTest, ReadsOnlyWholeFilesItWrote) {
  const QByteArray good = File(Entry(QByteArray(64, 'c'), "9 90 1 1") + Entry(kKey, "10 86 11641 5487"));
  const std::optional<ui::FittedFont> found = ui::FindFittedFont(good, kKey);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->pixelSize, 10);
  EXPECT_EQ(found->stretch, 86);
  EXPECT_EQ(found->height, 11641);
  EXPECT_EQ(found->average, 5487);
  EXPECT_EQ(found->family, kFamily);
  EXPECT_FALSE(ui::FindFittedFont(good, QByteArray(64, 'd')));

  QByteArray many = File({});
  for (int i = 0; i < 17; ++i) many += Entry(kKey, "10 86 1 1");
  const QByteArray damaged[] = {
      {},
      "velmora dialog fonts 2\r\n" + Entry(kKey, "10 86 1 1"),
      good.chopped(2),                           // cut short
      QByteArray(good).replace("\r\n", "\n"),    // line ends
      File(Entry(kKey.toUpper(), "10 86 1 1")),  // not the program's key
      File(Entry(kKey.chopped(1), "10 86 1 1")),
      File(Entry(kKey, "10 86 1")),  // a field short
      File(Entry(kKey, "10 86 1 1 1")),
      File(Entry(kKey, "10 -86 1 1")),
      File(Entry(kKey, "10 +86 1 1")),
      File(Entry(kKey, "0 86 1 1")),
      File(Entry(kKey, "10 0 1 1")),
      File(Entry(kKey, "10 86 12345678 1")),
      File(Entry(kKey, "10  86 1 1")),
      File(Entry(kKey, "10 86 1 1") + "\r\n"),  // an empty line
      File(Entry(kKey, "10 86 1 1") + QByteArray(5000, ' ') + "\r\n"),
      many,
  };
  for (const QByteArray& bytes : damaged) EXPECT_FALSE(ui::FindFittedFont(bytes, kKey)) << bytes.toStdString();
}

TEST(DialogFontCacheTest, WritesTheNewFitFirstAndDropsTheOldest) {
  const QByteArray other(64, 'c');
  QByteArray file = ui::WithFittedFont("damaged", kKey, {10, 86, 11641, 5487, kFamily});
  EXPECT_EQ(file, File(Entry(kKey, "10 86 11641 5487")));
  file = ui::WithFittedFont(file, other, {9, 90, 1, 2, kFamily});
  file = ui::WithFittedFont(file, kKey, {11, 88, 3, 4, kFamily});
  EXPECT_EQ(file, File(Entry(kKey, "11 88 3 4") + Entry(other, "9 90 1 2")));
  for (int i = 0; i < 15; ++i)
    file = ui::WithFittedFont(file, QByteArray(62, '0') + QByteArray::number(i + 16, 16), {9, 90, 1, 2, kFamily});
  EXPECT_EQ(file.count('\n'), 17);
  EXPECT_TRUE(ui::FindFittedFont(file, kKey));
  EXPECT_FALSE(ui::FindFittedFont(file, other));  // the oldest
}

// A static text of Cyrillic captions in a narrow box: the font is narrowed.
ui::DialogTemplate NarrowTemplate() {
  ui::DialogTemplate t;
  t.w = 200;
  t.h = 40;
  // "Амплитуда переменной составляющей индукции"
  t.controls = {{100, ui::ControlKind::Static,
                 "\xC0\xEC\xEF\xEB\xE8\xF2\xF3\xE4\xE0 \xEF\xE5\xF0\xE5\xEC\xE5\xED\xED\xEE\xE9 "
                 "\xF1\xEE\xF1\xF2\xE0\xE2\xEB\xFF\xFE\xF9\xE5\xE9 \xE8\xED\xE4\xF3\xEA\xF6\xE8\xE8",
                 4, 4, 150, 8, 0}};
  return t;
}

TEST(DialogFontCacheTest, KeptFitIsTakenOnlyWhereTheFontMeasuresAsItDid) {
  QtApp::Start();
  const TempDir dir;
  const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
  qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(dir.path()));
  const ui::DialogTemplate tmpl = NarrowTemplate();
  const auto fit = [&] { return ui::DialogFont(tmpl, ui::kDluX, ui::kDluY); };

  const QFont fitted = fit();  // fitted, and kept
  const QByteArray kept = ui::ReadFontCache();
  ASSERT_FALSE(kept.isEmpty());
  EXPECT_LT(fitted.stretch(), 100);
  const QFont again = fit();
  EXPECT_EQ(again.pixelSize(), fitted.pixelSize());
  EXPECT_EQ(again.stretch(), fitted.stretch());
  EXPECT_EQ(again, fitted);

  // A kept fit that measures as the font does now is taken as it is...
  const QByteArray key =
      ui::DialogFontKey(QFontDatabase::systemFont(QFontDatabase::GeneralFont), tmpl, ui::kDluX, ui::kDluY);
  QFont other = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  other.setPixelSize(7);
  other.setStretch(80);
  const QFontMetricsF fm(other);
  const int average = static_cast<int>(std::lround(
      fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0 * 1000.0));
  const ui::FittedFont otherFit{7, 80, static_cast<int>(std::lround(fm.height() * 1000.0)), average,
                                ui::FamilyKey(QFontInfo(other).family())};
  ui::WriteFontCache(ui::WithFittedFont(kept, key, otherFit));
  EXPECT_EQ(fit().pixelSize(), 7);
  // ...one that does not (another font in its place) is fitted again.
  ui::FittedFont foreign = otherFit;
  ++foreign.average;
  ui::WriteFontCache(ui::WithFittedFont(kept, key, foreign));
  EXPECT_EQ(fit(), fitted);
  EXPECT_EQ(ui::ReadFontCache(), kept);

  if (oldCache.isNull()) qunsetenv("XDG_CACHE_HOME");
  else qputenv("XDG_CACHE_HOME", oldCache);
}

}  // namespace
}  // namespace velmora::test
