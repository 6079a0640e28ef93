// Text through Qt: the raster engine's only bridge to the toolkit's fonts.
//
// Glyphs are rasterised into a separate coverage image and the font colour
// is mixed into the bitmap by that coverage. Drawing straight into the
// pixels would let Qt rewrite pixels around the glyphs (it composites in
// premultiplied form, which does not round-trip half-transparent pixels);
// this way a pixel no glyph covers is never written at all.
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <mutex>
#include <optional>

#include "raster/bitmap32.h"
#include "raster/blend.h"
#include "raster/rounding.h"

namespace gradoir {
namespace {

// Sizes in points become pixels at this resolution, whatever the screen.
constexpr long double kPointsPerInch = 72.0L;
constexpr long double kDotsPerInch = 96.0L;
constexpr std::uint32_t kAlphaShift = 24;

// Qt's font machinery is shared by the whole process; text is measured and
// rasterised under this one lock so that any thread may use a bitmap's text.
std::mutex& textGuard() {
  static std::mutex guard;
  return guard;
}

bool hasGuiApplication() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QFont qtFontOf(const Font& font) {
  QFont qtFont(QString::fromStdString(font.name()));
  const std::int32_t pixels = roundHalfEven(font.size() * kDotsPerInch / kPointsPerInch);
  qtFont.setPixelSize(std::max(pixels, 1));
  qtFont.setBold(font.bold());
  return qtFont;
}

struct TextCell {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t ascent = 0;
};

TextCell measureCell(const QFont& font, const QString& text) {
  const QFontMetrics metrics(font);
  return TextCell{metrics.horizontalAdvance(text), metrics.height(), metrics.ascent()};
}

// Coverage of the glyphs over `area` (bitmap coordinates) when the text's
// cell starts at (x, y); alpha is the coverage, colour is irrelevant.
QImage rasteriseCoverage(const QFont& font, const QString& text, const TextCell& cell, std::int64_t x,
                         std::int64_t y, const Rect& area) {
  QImage coverage(area.right - area.left, area.bottom - area.top, QImage::Format_ARGB32_Premultiplied);
  coverage.fill(0);
  QPainter painter(&coverage);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QPointF(static_cast<double>(x - area.left), static_cast<double>(y - area.top + cell.ascent)),
                   text);
  painter.end();
  return coverage;
}

// The part of the bitmap the text can touch: its cell grown by a margin for
// glyphs that overhang their advance, cut to the bitmap. None when that is
// nothing.
std::optional<Rect> touchedArea(const Bitmap32& bitmap, const TextCell& cell, std::int64_t x, std::int64_t y) {
  const std::int64_t margin = cell.height;
  const std::int64_t left = std::max<std::int64_t>(x - margin, 0);
  const std::int64_t top = std::max<std::int64_t>(y - margin, 0);
  const std::int64_t right = std::min<std::int64_t>(x + cell.width + margin, bitmap.width());
  const std::int64_t bottom = std::min<std::int64_t>(y + cell.height + margin, bitmap.height());
  if (left >= right || top >= bottom) return std::nullopt;
  return Rect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), static_cast<std::int32_t>(right),
              static_cast<std::int32_t>(bottom)};
}

void mixByCoverage(Bitmap32& bitmap, const QImage& coverage, const Rect& area, Color32 color) {
  for (std::int32_t row = 0; row < coverage.height(); ++row) {
    const auto* cover = reinterpret_cast<const std::uint32_t*>(coverage.constScanLine(row));
    Color32* pixel = bitmap.pixelAddress(area.left, area.top + row);
    for (std::int32_t column = 0; column < coverage.width(); ++column) {
      mixWeightedInto(color, pixel[column], cover[column] >> kAlphaShift);
    }
  }
  clearBlendState();
}

void drawText(Bitmap32& bitmap, std::int32_t x, std::int32_t y, const std::string& text) {
  if (bitmap.isEmpty() || text.empty() || !hasGuiApplication()) return;
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const Color32 color = bitmap.font().color();
  std::lock_guard<std::mutex> guard(textGuard());
  const QFont font = qtFontOf(bitmap.font());
  const TextCell cell = measureCell(font, string);
  const std::optional<Rect> area = touchedArea(bitmap, cell, x, y);
  if (!area) return;
  const QImage coverage = rasteriseCoverage(font, string, cell, x, y, *area);
  mixByCoverage(bitmap, coverage, *area, color);
}

}  // namespace

template <class T>
void Font::change(T& member, const T& value) {
  if (value == member) return;
  member = value;
  if (onChange) onChange();
}

void Font::setName(const std::string& name) { change(m_name, name); }

void Font::setSize(int points) { change(m_size, points); }

void Font::setColor(Color32 color) { change(m_color, color); }

void Font::setBold(bool bold) { change(m_bold, bold); }

// One measuring path for every bitmap, sized or not: metrics come from the
// font alone, so an empty bitmap measures like a sized one.
TextSize Bitmap32::measureText(const std::string& text) const {
  if (!hasGuiApplication()) return {};
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  std::lock_guard<std::mutex> guard(textGuard());
  const TextCell cell = measureCell(qtFontOf(font()), string);
  return {cell.width, cell.height};
}

void Bitmap32::printText(std::int32_t x, std::int32_t y, const std::string& text) {
  try {
    drawText(*this, x, y, text);
  } catch (...) {
    notifyChanged();
    throw;
  }
  notifyChanged();
}

}  // namespace gradoir
