// SPDX-License-Identifier: GPL-3.0-or-later
// The fitted dialog fonts kept between starts: only a whole file the program
// wrote is read, and a kept fit is taken only where the font still measures
// as it did.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFontDatabase>
#include <filesystem>

#include "support/QtApp.h"
#include "support/TempDir.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::test {
namespace {

const QByteArray kKey(64, 'a'), kOther(64, 'c'), kFamily(64, 'b');

QByteArray File(std::initializer_list<const char*> numbers, const QByteArray& key = kKey) {
  QByteArray file = "velmora dialog fonts 1\r\n";
  for (const char* n : numbers) file += key + ' ' + n + ' ' + kFamily + "\r\n";
  return file;
}

TEST(DialogFontCacheTest, ReadsOnlyWholeFilesItWroteAndPutsTheNewestFirst) {
  EXPECT_EQ(ui::FindFittedFont(File({"10 86 11641 5487"}), kKey), (ui::FittedFont{10, 86, 11641, 5487, kFamily}));
  const QByteArray damaged[] = {
      {},
      "velmora dialog fonts 2\r\n" + File({"10 86 1 1"}).mid(24),
      File({"10 86 1 1"}).chopped(2),
      File({"10 86 1 1"}).replace("\r\n", "\n"),
      File({"10 86 1 1"}, kKey.toUpper()),
      File({"10 86 1"}),
      File({"10 -86 1 1"}),
      File({"0 86 1 1"}),
      File({"5000 86 1 1"}),
      File({"10 86 12345678 1"}),
      File({"10  86 1 1"}),
  };
  for (const QByteArray& bytes : damaged) EXPECT_FALSE(ui::FindFittedFont(bytes, kKey)) << bytes.toStdString();

  QByteArray file = ui::WithFittedFont("damaged", kKey, {10, 86, 1, 2, kFamily});
  file = ui::WithFittedFont(file, kOther, {9, 90, 1, 2, kFamily});
  file = ui::WithFittedFont(file, kKey, {11, 88, 1, 2, kFamily});
  EXPECT_EQ(file, File({"11 88 1 2"}) + File({"9 90 1 2"}, kOther).mid(24));
  for (int i = 0; i < 15; ++i)
    file = ui::WithFittedFont(file, QByteArray(62, '0') + QByteArray::number(i + 16, 16), {9, 90, 1, 2, kFamily});
  EXPECT_TRUE(ui::FindFittedFont(file, kKey));
  EXPECT_FALSE(ui::FindFittedFont(file, kOther));  // the oldest of 17
}

TEST(DialogFontCacheTest, KeptFitIsTakenOnlyWhereTheFontMeasuresAsItDid) {
  QtApp::Start();
  const TempDir dir;
  const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
  qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(dir.path()));
  // "Амплитуда переменной составляющей индукции" in a narrow box: narrowed.
  ui::DialogTemplate tmpl;
  tmpl.controls = {{100, ui::ControlKind::Static,
                    "\xC0\xEC\xEF\xEB\xE8\xF2\xF3\xE4\xE0 \xEF\xE5\xF0\xE5\xEC\xE5\xED\xED\xEE\xE9 "
                    "\xF1\xEE\xF1\xF2\xE0\xE2\xEB\xFF\xFE\xF9\xE5\xE9 \xE8\xED\xE4\xF3\xEA\xF6\xE8\xE8",
                    4, 4, 150, 8, 0}};
  const auto fit = [&] { return ui::DialogFont(tmpl, ui::kDluX, ui::kDluY); };
  const QFont fitted = fit();
  const QByteArray kept = ui::ReadFontCache();
  EXPECT_LT(fitted.stretch(), 100);
  EXPECT_EQ(fit(), fitted);

  QFont other = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  const QByteArray key = ui::DialogFontKey(other, tmpl, ui::kDluX, ui::kDluY);
  other.setPixelSize(7);
  other.setStretch(80);
  ui::WriteFontCache(ui::WithFittedFont(kept, key, ui::Measured(other)));
  EXPECT_EQ(fit(), other);  // measures as it did: taken
  ui::FittedFont foreign = ui::Measured(other);
  ++foreign.average;  // another font in its place: fitted again
  ui::WriteFontCache(ui::WithFittedFont(kept, key, foreign));
  EXPECT_EQ(fit(), fitted);
  EXPECT_EQ(ui::ReadFontCache(), kept);

  if (oldCache.isNull()) qunsetenv("XDG_CACHE_HOME");
  else qputenv("XDG_CACHE_HOME", oldCache);
}

TEST(DialogFontCacheTest, AFifoIsNotWaitedForAndALinkIsReplacedNotWrittenThrough) {
  const TempDir dir;
  const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
  qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(dir.path()));
  std::filesystem::create_directory("velmora");
  const std::string cache = "velmora/dialog-fonts";
  ASSERT_EQ(::mkfifo(cache.c_str(), 0600), 0);  // no writer: a blocking open would wait forever
  EXPECT_TRUE(ui::ReadFontCache().isEmpty());
  std::filesystem::remove(cache);
  dir.write("precious.txt", "kept");
  std::filesystem::create_symlink("../precious.txt", cache);
  ui::WriteFontCache(File({"10 86 1 1"}));
  EXPECT_EQ(dir.read("precious.txt"), "kept");
  EXPECT_FALSE(std::filesystem::is_symlink(cache));
  EXPECT_EQ(ui::ReadFontCache(), File({"10 86 1 1"}));

  if (oldCache.isNull()) qunsetenv("XDG_CACHE_HOME");
  else qputenv("XDG_CACHE_HOME", oldCache);
}

}  // namespace
}  // namespace velmora::test
