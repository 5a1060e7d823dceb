// SPDX-License-Identifier: GPL-3.0-or-later
// The fitted dialog fonts kept between starts, and the file that holds them.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "textfile/FileIO.h"
#include "ui/qt/QtViewParts.h"

namespace velmora::ui {

namespace {

const QByteArray kHeader = QByteArrayLiteral("velmora dialog fonts 1");
constexpr qsizetype kKeyLength = 64;  // SHA-256 in hex
constexpr qsizetype kMaxEntries = 16;
// The header and 16 entries of about 150 bytes: a larger file is none the
// program wrote, and is neither read nor kept.
constexpr qint64 kMaxFileSize = 4096;
constexpr int kMaxPixelSize = 1000;

// A whole number of one to seven digits and nothing else.
bool ReadNumber(const QByteArray& field, int* value) {
  if (field.isEmpty() || field.size() > 7) return false;
  *value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return false;
    *value = *value * 10 + (c - '0');
  }
  return true;
}

bool ReadKey(const QByteArray& field) {
  return field.size() == kKeyLength && std::all_of(field.begin(), field.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

// The entries of a whole, well-formed file; nothing for any other bytes.
std::optional<std::vector<std::pair<QByteArray, FittedFont>>> ReadEntries(const QByteArray& file) {
  if (file.size() > kMaxFileSize || !file.endsWith("\r\n")) return std::nullopt;
  const QList<QByteArray> lines = file.chopped(2).split('\n');
  if (lines.isEmpty() || lines.size() > kMaxEntries + 1 || lines.front() != kHeader + '\r') return std::nullopt;
  std::vector<std::pair<QByteArray, FittedFont>> entries;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    QByteArray line = lines[i];
    if (i + 1 < lines.size() && !line.endsWith('\r')) return std::nullopt;
    if (line.endsWith('\r')) line.chop(1);
    const QList<QByteArray> fields = line.split(' ');
    FittedFont font;
    if (fields.size() != 6 || !ReadKey(fields[0]) || !ReadNumber(fields[1], &font.pixelSize) ||
        !ReadNumber(fields[2], &font.stretch) || !ReadNumber(fields[3], &font.height) ||
        !ReadNumber(fields[4], &font.average) || !ReadKey(fields[5]))
      return std::nullopt;
    font.family = fields[5];
    // Sizes a screen may ask for, and QFont's range of widths.
    if (font.pixelSize < 1 || font.pixelSize > kMaxPixelSize || font.stretch < 1 || font.stretch > 4000)
      return std::nullopt;
    entries.emplace_back(fields[0], font);
  }
  return entries;
}

QByteArray EntryLine(const QByteArray& key, const FittedFont& font) {
  return key + ' ' + QByteArray::number(font.pixelSize) + ' ' + QByteArray::number(font.stretch) + ' ' +
         QByteArray::number(font.height) + ' ' + QByteArray::number(font.average) + ' ' + font.family + "\r\n";
}

QString CacheFile() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  return folder.isEmpty() ? QString() : folder + QStringLiteral("/velmora/dialog-fonts");
}

}  // namespace

QByteArray DialogFontKey(const QFont& requested, const DialogTemplate& tmpl, double scaleX, double scaleY) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(kHeader);
  hash.addData(QByteArray(qVersion()));
  hash.addData(requested.toString().toUtf8());
  hash.addData(QByteArray::number(scaleX, 'g', 17) + ' ' + QByteArray::number(scaleY, 'g', 17));
  for (const ControlTemplate& c : tmpl.controls) {
    if (c.kind != ControlKind::Static || c.text.empty()) continue;
    hash.addData(QByteArray::number(c.w) + ' ' + QByteArray::number(c.h) + ' ' +
                 QByteArray::number(static_cast<qsizetype>(c.text.size())) + ' ');
    hash.addData(QByteArrayView(c.text.data(), static_cast<qsizetype>(c.text.size())));
  }
  return hash.result().toHex();
}

QByteArray FamilyKey(const QString& family) {
  return QCryptographicHash::hash(family.toUtf8(), QCryptographicHash::Sha256).toHex();
}

std::optional<FittedFont> FindFittedFont(const QByteArray& file, const QByteArray& key) {
  const auto entries = ReadEntries(file);
  if (!entries) return std::nullopt;
  for (const auto& [entryKey, font] : *entries)
    if (entryKey == key) return font;
  return std::nullopt;
}

QByteArray WithFittedFont(const QByteArray& file, const QByteArray& key, const FittedFont& font) {
  // The newest first; a damaged file is dropped whole.
  QByteArray out = kHeader + "\r\n" + EntryLine(key, font);
  qsizetype kept = 1;
  for (const auto& [entryKey, entry] : ReadEntries(file).value_or(std::vector<std::pair<QByteArray, FittedFont>>{})) {
    if (entryKey == key || kept == kMaxEntries) continue;
    out += EntryLine(entryKey, entry);
    ++kept;
  }
  return out;
}

QByteArray ReadFontCache() {
  // As every file from outside: never waited for (a FIFO at the name), never
  // read past its limit.
  const QString path = CacheFile();
  if (path.isEmpty()) return {};
  const auto bytes = ReadWholeFile(QFile::encodeName(path).toStdString(), static_cast<std::size_t>(kMaxFileSize));
  return bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
}

void WriteFontCache(const QByteArray& bytes) {
  // A new file renamed over the name: a link there is replaced, its target
  // never written. A cache that cannot be written is only lost time.
  const QString path = CacheFile();
  if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).path())) return;
  ReplaceFileAtName(QFile::encodeName(path).toStdString(),
                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace velmora::ui
