// SPDX-License-Identifier: GPL-3.0-or-later
// The report as an A4 PDF: text as text (selectable), plots as vector paths.
#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <string_view>

#include "reportrender/PlotPainter.h"
#include "reportrender/ReportRender.h"

namespace velmora::reportrender {

namespace {

using namespace report;

// Text flags of a table cell: the first column left, the others right.
constexpr int kLeftTop = static_cast<int>(Qt::AlignLeft) | static_cast<int>(Qt::AlignTop);
constexpr int kRightTop = static_cast<int>(Qt::AlignRight) | static_cast<int>(Qt::AlignTop);

// Sizes in points and millimetres; the page is A4 with margins of kMarginMm.
constexpr int kResolution = 600;  // dpi of the page's coordinates
constexpr double kMarginMm = 15;
constexpr double kTitleSize = 16;
constexpr double kMetaSize = 8;
constexpr double kHeadingSize = 10.5;
constexpr double kTextSize = 8.5;
constexpr double kSmallSize = 8;
constexpr double kSectionGap = 7;     // pt above a heading
constexpr double kRowGap = 1.6;       // pt between lines of fields
constexpr double kColumnGap = 10;     // pt between field columns
constexpr double kLabelShare = 0.56;  // of a field column, for the label
constexpr double kPictureWidthMm = 36;
constexpr double kPictureAspect = 0.72;  // the window's picture box, 100 x 72
constexpr double kPlotHeightMm = 62;
// A heading keeps at least this much of its section on its page.
constexpr double kKeepWithHeading = 48;  // pt

const QColor kHeadingColor(0x1a, 0x3d, 0x6d);
const QColor kMutedColor(0x55, 0x55, 0x55);
const QColor kWarningColor(0xa0, 0x10, 0x10);
const QColor kRuleColor(0xb0, 0xb0, 0xb0);

class PdfLayout {
 public:
  PdfLayout(QPdfWriter& writer, QPainter& painter)
      : writer_(writer), p_(painter), pt_(kResolution / 72.0), width_(writer.width()), height_(writer.height()) {}

  int pages() const { return pages_; }

  void Header(const Document& doc) {
    y_ += Text(ReportFont(kTitleSize, true), 0, width_, Q(doc.title), Qt::black) + 3 * pt_;
    QString meta;
    for (const Field& f : doc.header) {
      if (!meta.isEmpty()) meta += QStringLiteral("   \u00b7   ");
      meta += Q(f.label) + QStringLiteral(": ") + (f.utf8Value ? QString::fromStdString(f.value) : Q(f.value));
    }
    y_ += Text(ReportFont(kMetaSize), 0, width_, meta, kMutedColor) + 3 * pt_;
    Rule(kHeadingColor, 1.0);
  }

  void Draw(const Section& s) {
    if (s.newPage && y_ > 0) NewPage();
    const QFont font = ReportFont(kHeadingSize, true);
    const double h = Text(font, 0, width_, Q(s.title), kHeadingColor, true);
    Ensure(kSectionGap * pt_ + h + kKeepWithHeading * pt_);
    if (y_ > 0) y_ += kSectionGap * pt_;
    y_ += Text(font, 0, width_, Q(s.title), kHeadingColor) + 1 * pt_;
    Rule(kRuleColor, 0.5);
    for (const Block& b : s.blocks) std::visit([this](const auto& block) { DrawBlock(block); }, b);
  }

 private:
  void NewPage() {
    writer_.newPage();
    ++pages_;
    y_ = 0;
  }
  void Ensure(double h) {
    if (y_ > 0 && y_ + h > height_) NewPage();
  }
  void Rule(const QColor& color, double widthPt) {
    p_.setPen(QPen(color, widthPt * pt_));
    p_.drawLine(QPointF(0, y_), QPointF(width_, y_));
    y_ += 3 * pt_;
  }
  // Draws wrapped text at (x, y_) in a column of width w; returns its height.
  // Only measures when `measure` is set.
  double Text(const QFont& font, double x, double w, const QString& text, const QColor& color, bool measure = false,
              int flags = kLeftTop) {
    if (text.isEmpty()) return 0;
    const QFontMetricsF fm(font, &writer_);
    const QRectF r = fm.boundingRect(QRectF(x, y_, w, 1e6), flags | Qt::TextWordWrap, text);
    if (!measure) {
      p_.setFont(font);
      p_.setPen(color);
      p_.drawText(QRectF(x, y_, w, r.height() + pt_), flags | Qt::TextWordWrap, text);
    }
    return r.height();
  }

  // "value unit": the value bold, the unit after it; returns the height.
  double ValueAndUnit(const Field& f, double x, double w, bool measure) {
    const QFont bold = ReportFont(kTextSize, true), plain = ReportFont(kTextSize);
    const QColor color = f.warning ? kWarningColor : Qt::black;
    const QFontMetricsF fb(bold, &writer_), fp(plain, &writer_);
    const QString value = Q(f.value), unit = Q(f.unit);
    const double vw = std::min(fb.horizontalAdvance(value), w);
    const double vh = Text(bold, x, w, value, color, measure);
    if (unit.isEmpty()) return vh;
    const double gap = fp.horizontalAdvance(QLatin1Char(' '));
    if (vw + gap + fp.horizontalAdvance(unit) <= w) {
      Text(plain, x + vw + gap, w - vw - gap, unit, kMutedColor, measure);
      return vh;
    }
    const double saved = y_;
    y_ += vh;
    const double uh = Text(plain, x, w, unit, kMutedColor, measure);
    y_ = saved;
    return vh + uh;
  }

  void DrawBlock(const FieldList& list) {
    double pictureW = 0, pictureH = 0;
    QImage image;
    if (!list.picture.empty()) {
      image.load(QStringLiteral(":/%1@2x.png").arg(QString::fromStdString(list.picture)));
      if (!image.isNull()) {
        pictureW = kPictureWidthMm * kResolution / 25.4;
        pictureH = pictureW * kPictureAspect;
        Ensure(pictureH);
        const QRectF target(width_ - pictureW, y_, pictureW, pictureH);
        const QSizeF fitted = QSizeF(image.size()).scaled(target.size(), Qt::KeepAspectRatio);
        p_.drawImage(QRectF(target.topLeft(), fitted), image);
      }
    }
    const double top = y_;
    const int columns = std::max(1, list.columns);
    const double usable = width_ - (pictureW > 0 ? pictureW + kColumnGap * pt_ : 0);
    const double colW = (usable - kColumnGap * pt_ * (columns - 1)) / columns;
    const double labelW = colW * kLabelShare;
    const QFont labelFont = ReportFont(kTextSize);
    for (std::size_t i = 0; i < list.fields.size(); i += columns) {
      double rowH = 0;
      for (std::size_t k = i; k < std::min(list.fields.size(), i + columns); ++k) {
        const double x = static_cast<double>(k - i) * (colW + kColumnGap * pt_);
        rowH = std::max({rowH, Text(labelFont, x, labelW - 4 * pt_, Q(list.fields[k].label), kMutedColor, true),
                         ValueAndUnit(list.fields[k], x + labelW, colW - labelW, true)});
      }
      Ensure(rowH);
      for (std::size_t k = i; k < std::min(list.fields.size(), i + columns); ++k) {
        const double x = static_cast<double>(k - i) * (colW + kColumnGap * pt_);
        Text(labelFont, x, labelW - 4 * pt_, Q(list.fields[k].label), kMutedColor);
        ValueAndUnit(list.fields[k], x + labelW, colW - labelW, false);
      }
      y_ += rowH + kRowGap * pt_;
    }
    if (pictureH > 0 && y_ < top + pictureH) y_ = top + pictureH;
    y_ += 2 * pt_;
  }

  void DrawBlock(const Table& table) {
    const std::size_t n = table.header.size();
    if (n == 0) return;
    const double first = n > 1 ? width_ * 0.34 : width_;
    const double other = n > 1 ? (width_ - first) / static_cast<double>(n - 1) : 0;
    auto row = [&](const std::vector<std::string>& cells, bool header) {
      const QFont font = ReportFont(kTextSize, header);
      double h = 0;
      for (std::size_t c = 0; c < n && c < cells.size(); ++c)
        h = std::max(h, Text(font, 0, c == 0 ? first : other, Q(cells[c]), Qt::black, true));
      Ensure(h + kRowGap * pt_);
      for (std::size_t c = 0; c < n && c < cells.size(); ++c) {
        const double x = c == 0 ? 0 : first + other * static_cast<double>(c - 1);
        Text(font, x, (c == 0 ? first : other) - 4 * pt_, Q(cells[c]), c == 0 && !header ? kMutedColor : Qt::black,
             false, c == 0 ? kLeftTop : kRightTop);
      }
      y_ += h + kRowGap * pt_;
      p_.setPen(QPen(kRuleColor, (header ? 0.6 : 0.3) * pt_));
      p_.drawLine(QPointF(0, y_ - kRowGap * pt_ / 2), QPointF(width_, y_ - kRowGap * pt_ / 2));
    };
    row(table.header, true);
    for (const auto& r : table.rows) row(r, false);
    y_ += 3 * pt_;
  }

  void DrawBlock(const Paragraph& para) {
    QFont font = ReportFont(kTextSize);
    QColor color = Qt::black;
    double indent = 0;
    if (para.style == ParagraphStyle::Note) {
      font = ReportFont(kSmallSize);
      font.setItalic(true);
      color = kMutedColor;
    } else if (para.style == ParagraphStyle::Warning) {
      color = kWarningColor;
      indent = 6 * pt_;
    }
    const double h = Text(font, indent, width_ - indent, Q(para.text), color, true);
    Ensure(h);
    Text(font, indent, width_ - indent, Q(para.text), color);
    if (indent > 0) {
      p_.setPen(QPen(kWarningColor, 1.5 * pt_));
      p_.drawLine(QPointF(1 * pt_, y_), QPointF(1 * pt_, y_ + h));
    }
    y_ += h + 3 * pt_;
  }

  void DrawBlock(const Steps& steps) {
    const QFont font = ReportFont(kTextSize);
    const double indent = 14 * pt_;
    for (std::size_t i = 0; i < steps.items.size(); ++i) {
      const QString text = Q(steps.items[i]);
      const double h = Text(font, indent, width_ - indent, text, Qt::black, true);
      Ensure(h);
      Text(ReportFont(kTextSize, true), 0, indent, QString::number(i + 1) + QLatin1Char('.'), Qt::black);
      Text(font, indent, width_ - indent, text, Qt::black);
      y_ += h + 2 * pt_;
    }
    y_ += 2 * pt_;
  }

  void DrawBlock(const PlotRow& row) {
    if (row.plots.empty()) return;
    const double h = kPlotHeightMm * kResolution / 25.4;
    const double gap = kColumnGap * pt_;
    const double n = static_cast<double>(row.plots.size());
    const double w = (width_ - gap * (n - 1)) / n;
    Ensure(h);
    for (std::size_t i = 0; i < row.plots.size(); ++i)
      DrawPlot(p_, QRectF(static_cast<double>(i) * (w + gap), y_, w, h), row.plots[i]);
    y_ += h + 4 * pt_;
  }

  QPdfWriter& writer_;
  QPainter& p_;
  double pt_;  // device units per point
  double width_, height_;
  double y_ = 0;
  int pages_ = 1;
};

// The writer's creation date ("D:20261209090612Z" or with an offset
// "+01'00'") replaced by the fixed time in UTC, in a text of the very same
// length, so that the offsets of the file's cross-reference table stay
// right. Qt gives no other way to set it.
void FixCreationDate(std::string& pdf, std::int64_t seconds) {
  constexpr std::string_view kKey = "/CreationDate (D:";
  const std::size_t start = pdf.find(kKey);
  if (start == std::string::npos) return;
  const std::size_t date = start + kKey.size();
  const std::size_t end = pdf.find(')', date);
  if (end == std::string::npos) return;
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm parts{};
  gmtime_r(&t, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &parts);
  std::string fixed = text;
  fixed += pdf[end - 1] == 'Z' ? "Z" : "+00'00'";
  if (fixed.size() == end - date) pdf.replace(date, fixed.size(), fixed);
}

}  // namespace

std::string PdfOf(const Document& doc, int* pages) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
    writer.setTitle(Q(doc.title));
    writer.setCreator(QStringLiteral("Velmora"));
    QPainter painter(&writer);
    PdfLayout layout(writer, painter);
    layout.Header(doc);
    for (const Section& s : doc.sections) layout.Draw(s);
    painter.end();
    if (pages) *pages = layout.pages();
  }
  std::string pdf = buffer.data().toStdString();
  if (doc.fixedTime) FixCreationDate(pdf, *doc.fixedTime);
  return pdf;
}

}  // namespace velmora::reportrender
