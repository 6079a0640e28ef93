#include "figures/rotated_text.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "raster/affine.h"

namespace gradoir {

namespace {

// A label as it is turned: the text printed at (1, 1) on an opaque white
// box one pixel wider than the text.
struct Label {
  std::int32_t textWidth = 0;
  std::int32_t textHeight = 0;
  Bitmap32 bitmap;
};

void renderLabel(Label& label, std::int32_t fontSize, Color32 fontColor, const std::string& text) {
  Bitmap32& b = label.bitmap;
  b.font().setName("Verdana");
  b.font().setSize(fontSize);
  b.font().setColor(fontColor);
  // Measured while the label is still empty, as its size depends on it.
  label.textWidth = b.textPixelWidth(text);
  label.textHeight = b.textPixelHeight(text);
  b.setBitmapSize(label.textWidth + 1, label.textHeight);
  b.fillAll(0xFFFFFFFF);
  b.printText(1, 1, text);
  b.setStretchFilter(StretchFilter::Linear);
}

// Rendered labels by (text, size, colour). The glyphs of "120" in "Verdana"
// 10 are the same at every redraw; only the turning runs each time.
// Labels that came out empty (no application to give fonts yet) are not
// kept, so they are tried again once fonts are there. Shared pointers: a
// label being turned stays alive even if another thread empties the cache.
class LabelCache {
 public:
  std::shared_ptr<Label> get(std::int32_t fontSize, Color32 fontColor, const std::string& text) {
    const Key key{text, fontSize, fontColor};
    const std::lock_guard<std::mutex> lock(m_guard);
    const auto found = m_labels.find(key);
    if (found != m_labels.end()) return found->second;
    auto label = std::make_shared<Label>();
    renderLabel(*label, fontSize, fontColor, text);
    if (label->bitmap.isEmpty()) return label;
    // The protractor uses 38 labels; a caller drawing unbounded texts gets
    // a fresh start rather than an ever-growing cache.
    if (m_labels.size() >= kMaxLabels) m_labels.clear();
    m_labels.emplace(key, label);
    return label;
  }

 private:
  using Key = std::tuple<std::string, std::int32_t, Color32>;
  static constexpr std::size_t kMaxLabels = 256;
  std::map<Key, std::shared_ptr<Label>> m_labels;
  std::mutex m_guard;
};

LabelCache& labels() {
  static LabelCache cache;
  return cache;
}

}  // namespace

void drawRotatedText(Bitmap32& bitmap, Point center, std::int32_t angle, std::int32_t fontSize,
                     Color32 fontColor, const std::string& text) {
  const std::shared_ptr<Label> label = labels().get(fontSize, fontColor, text);
  const std::int32_t w = label->textWidth;
  const std::int32_t h = label->textHeight;

  const std::int32_t midX = (w + 1) / 2;
  const std::int32_t midY = h / 2;
  AffineTransform transformation;
  transformation.setSourceRect(RectF{1, 1, static_cast<float>(w + 1), static_cast<float>(h)});
  transformation.rotateAbout(static_cast<float>(midX), static_cast<float>(midY), static_cast<float>(angle));
  transformation.shift(static_cast<float>(static_cast<std::int64_t>(center.x) - midX),
                       static_cast<float>(static_cast<std::int64_t>(center.y) - midY));

  transformBitmap(bitmap, label->bitmap, transformation);
}

}  // namespace gradoir
