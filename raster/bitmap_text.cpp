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
std::mutex& TextGuard() {
  static std::mutex guard;
  return guard;
}

bool HasGuiApplication() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QFont QtFontOf(const TFont& font) {
  QFont qt_font(QString::fromStdString(font.Name()));
  const std::int32_t pixels = RoundHalfEven(font.Size() * kDotsPerInch / kPointsPerInch);
  qt_font.setPixelSize(std::max(pixels, 1));
  qt_font.setBold(font.Bold());
  return qt_font;
}

struct TTextCell {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t ascent = 0;
};

TTextCell MeasureCell(const QFont& font, const QString& text) {
  const QFontMetrics metrics(font);
  return TTextCell{metrics.horizontalAdvance(text), metrics.height(), metrics.ascent()};
}

// Coverage of the glyphs over `area` (bitmap coordinates) when the text's
// cell starts at (x, y); alpha is the coverage, colour is irrelevant.
QImage RasteriseCoverage(const QFont& font, const QString& text, const TTextCell& cell, std::int64_t x,
                         std::int64_t y, const TRect& area) {
  QImage coverage(area.Right - area.Left, area.Bottom - area.Top, QImage::Format_ARGB32_Premultiplied);
  coverage.fill(0);
  QPainter painter(&coverage);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QPointF(static_cast<double>(x - area.Left), static_cast<double>(y - area.Top + cell.ascent)),
                   text);
  painter.end();
  return coverage;
}

// The part of the bitmap the text can touch: its cell grown by a margin for
// glyphs that overhang their advance, cut to the bitmap.
bool TouchedArea(const TBitmap32& bitmap, const TTextCell& cell, std::int64_t x, std::int64_t y, TRect& area) {
  const std::int64_t margin = cell.height;
  const std::int64_t left = std::max<std::int64_t>(x - margin, 0);
  const std::int64_t top = std::max<std::int64_t>(y - margin, 0);
  const std::int64_t right = std::min<std::int64_t>(x + cell.width + margin, bitmap.Width());
  const std::int64_t bottom = std::min<std::int64_t>(y + cell.height + margin, bitmap.Height());
  if (left >= right || top >= bottom) return false;
  area = TRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), static_cast<std::int32_t>(right),
               static_cast<std::int32_t>(bottom)};
  return true;
}

void MixByCoverage(TBitmap32& bitmap, const QImage& coverage, const TRect& area, TColor32 color) {
  for (std::int32_t row = 0; row < coverage.height(); ++row) {
    const auto* cover = reinterpret_cast<const std::uint32_t*>(coverage.constScanLine(row));
    TColor32* pixel = bitmap.PixelAddress(area.Left, area.Top + row);
    for (std::int32_t column = 0; column < coverage.width(); ++column) {
      MixWeightedInto(color, pixel[column], cover[column] >> kAlphaShift);
    }
  }
  ClearBlendState();
}

void DrawText(TBitmap32& bitmap, std::int32_t x, std::int32_t y, const std::string& text) {
  if (bitmap.IsEmpty() || text.empty() || !HasGuiApplication()) return;
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const TColor32 color = ColorToArgb(bitmap.Font().Color());
  std::lock_guard<std::mutex> guard(TextGuard());
  const QFont font = QtFontOf(bitmap.Font());
  const TTextCell cell = MeasureCell(font, string);
  TRect area;
  if (!TouchedArea(bitmap, cell, x, y, area)) return;
  const QImage coverage = RasteriseCoverage(font, string, cell, x, y, area);
  MixByCoverage(bitmap, coverage, area, color);
}

}  // namespace

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetSize(int points) {
  if (points == size_) return;
  size_ = points;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetBold(bool bold) {
  if (bold == bold_) return;
  bold_ = bold;
  Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

// One measuring path for every bitmap, sized or not: metrics come from the
// font alone, so an empty bitmap measures like a sized one.
void TBitmap32::MeasureText(const std::string& text, std::int32_t& cx, std::int32_t& cy) const {
  cx = 0;
  cy = 0;
  if (!HasGuiApplication()) return;
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  std::lock_guard<std::mutex> guard(TextGuard());
  const QFont font = QtFontOf(Font());
  const TTextCell cell = MeasureCell(font, string);
  cx = cell.width;
  cy = cell.height;
}

std::int32_t TBitmap32::TextPixelWidth(const std::string& text) const {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  MeasureText(text, cx, cy);
  return cx;
}

std::int32_t TBitmap32::TextPixelHeight(const std::string& text) const {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  MeasureText(text, cx, cy);
  return cy;
}

void TBitmap32::PrintText(std::int32_t x, std::int32_t y, const std::string& text) {
  try {
    DrawText(*this, x, y, text);
  } catch (...) {
    NotifyChanged();
    throw;
  }
  NotifyChanged();
}

}  // namespace gradoir
