#pragma once
// TThreadPersistent -> TCustomMap -> TBitmap32: the 32-bit ARGB picture on
// which everything in the exercise canvas is drawn, with change notification,
// locks, anti-aliased points and lines, and text through the toolkit.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "raster/types.h"

class QImage;
class QObject;

namespace gradoir {

class TThreadPersistent;

// Event handlers are plain std::function members; an unset one is skipped.
using TNotifyEvent = std::function<void(TThreadPersistent* sender)>;

// F: source colour, B: destination pixel (read and written), M: the source
// bitmap's MasterAlpha.
using TPixelCombineEvent = std::function<void(TColor32 F, TColor32& B, TColor32 M)>;

enum TDrawMode : std::uint8_t { dmOpaque, dmBlend, dmCustom };
enum TStretchFilter : std::uint8_t { sfNearest, sfLinear, sfSpline, sfLanczos, sfMitchell };

// Font of the text operations: a name, a size in points and a toolkit colour.
// Sizes are turned into pixels at 96 dots per inch so that text metrics do
// not depend on the screen the program runs on.
class TFont {
 public:
  const std::string& Name() const { return name_; }
  int Size() const { return size_; }
  TColor Color() const { return color_; }
  bool Bold() const { return bold_; }
  void SetName(const std::string& name);
  void SetSize(int points);
  void SetColor(TColor color);
  void SetBold(bool bold);

  std::function<void()> OnChange;

 private:
  void Changed();
  std::string name_ = "Tahoma";
  int size_ = 8;
  TColor color_ = 0;  // black
  bool bold_ = false;
};

class TThreadPersistent {
 public:
  TThreadPersistent() = default;
  TThreadPersistent(const TThreadPersistent&) = delete;
  TThreadPersistent& operator=(const TThreadPersistent&) = delete;
  virtual ~TThreadPersistent() = default;

  // Fires OnChange(this) when no update batch is open; nothing is deferred.
  virtual void NotifyChanged();
  void StartUpdate();
  // Throws EAssertionFailed("Unpaired TThreadPersistent.EndUpdate") when no
  // batch is open, leaving UpdateCount unchanged.
  void EndUpdate();
  void EnterLock();
  // Throws EAssertionFailed("Unpaired TThreadPersistent.LeaveLock") when no
  // EnterLock is outstanding, instead of releasing a lock nobody holds.
  void LeaveLock();

  std::int32_t UpdateCount() const { return update_count_; }
  // Read under the process-wide lock that guards every LockCount.
  std::int32_t LockCount() const;

  TNotifyEvent OnChange;

 private:
  std::recursive_mutex lock_;
  std::int32_t lock_count_ = 0;
  std::int32_t update_count_ = 0;
};

class TCustomMap : public TThreadPersistent {
 public:
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

  // Negative sizes become 0. Returns false (and does nothing) when the size
  // is unchanged; otherwise ResizeStorage, NotifyChanged, NotifyResized, true.
  virtual bool SetBitmapSize(std::int32_t new_width, std::int32_t new_height);
  virtual bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  virtual void ReleaseStorage() { SetBitmapSize(0, 0); }

  TNotifyEvent OnResize;

 protected:
  virtual void ResizeStorage(std::int32_t new_width, std::int32_t new_height) = 0;
  virtual void NotifyResized();
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

class TBitmap32 : public TCustomMap {
 public:
  TBitmap32();
  ~TBitmap32() override;

  // --- size -----------------------------------------------------------
  bool IsEmpty() const override;
  TRect PixelBounds() const;
  // Takes the size of another map, of a graphic (QImage) or of a control
  // (QWidget); nullptr gives 0 x 0. Any other QObject throws
  // EBitmapError("Can't set size from '<class name>'") and keeps the size.
  bool AdoptSizeOf(const TCustomMap* source);
  bool AdoptSizeOf(const QImage& graphic);
  bool AdoptSizeOf(const QObject* object);

  // --- pixel access (no bounds checks except PixelOrOuter, no notification)
  TColor32* Bits() { return pixels_.data(); }
  const TColor32* Bits() const { return pixels_.data(); }
  TColor32* RowStart(std::int32_t y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const TColor32* RowStart(std::int32_t y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  TColor32* PixelAddress(std::int32_t x, std::int32_t y) { return RowStart(y) + x; }
  TColor32 PixelAt(std::int32_t x, std::int32_t y) const { return RowStart(y)[x]; }
  void SetPixelAt(std::int32_t x, std::int32_t y, TColor32 c) { RowStart(y)[x] = c; }
  TColor32 PixelOrOuter(std::int32_t x, std::int32_t y) const;

  // --- fills ----------------------------------------------------------
  void FillAll(TColor32 color);
  void FillBlock(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, TColor32 color);
  void FillBlockClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, TColor32 color);

  // --- points and lines -------------------------------------------------
  void BlendPixel(std::int32_t x, std::int32_t y, TColor32 color);
  void PlotSubpixelFixed(std::int32_t x, std::int32_t y, TColor32 color);         // 24.8
  void PlotSubpixelFixedClipped(std::int32_t x, std::int32_t y, TColor32 color);  // 24.8
  void PlotSubpixel(float x, float y, TColor32 color);
  void PlotSubpixelClipped(float x, float y, TColor32 color);
  void SmoothLineFixed(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       TColor32 color, bool include_last);  // 16.16
  void SmoothLine(float x1, float y1, float x2, float y2, TColor32 color, bool include_last);

  // --- text -------------------------------------------------------------
  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }
  void MeasureText(const std::string& text, std::int32_t& cx, std::int32_t& cy) const;
  std::int32_t TextPixelWidth(const std::string& text) const;
  std::int32_t TextPixelHeight(const std::string& text) const;
  void PrintText(std::int32_t x, std::int32_t y, const std::string& text);

  // --- properties ---------------------------------------------------------
  TDrawMode DrawMode() const { return draw_mode_; }
  void SetDrawMode(TDrawMode mode);
  std::uint32_t MasterAlpha() const { return master_alpha_; }
  void SetMasterAlpha(std::uint32_t alpha);
  TStretchFilter StretchFilter() const { return stretch_filter_; }
  void SetStretchFilter(TStretchFilter filter);
  TColor32 OuterColor = 0;

  TNotifyEvent OnHandleChanged;
  TPixelCombineEvent OnPixelCombine;

  // --- where the pixels changed ------------------------------------------
  // The bitmap's own drawing operations note the pixels they change; one
  // that notifies without having declared its pixels noted counts as a
  // change of the whole bitmap. The layer showing the bitmap takes the
  // record at each notification, so that only that part of the screen is
  // rebuilt. Raw writes (SetPixelAt, Bits) are not recorded.
  enum class TChange { kNone, kArea, kWhole };
  // The change since the last call, and clears the record; area is set for kArea.
  TChange TakeChangedArea(TRect& area);
  // Adds pixels (cut to the bitmap) to the record.
  void NoteChangedArea(const TRect& area);
  void NotifyChanged() override;

 protected:
  void ResizeStorage(std::int32_t new_width, std::int32_t new_height) override;
  virtual void NotifyHandleChanged();
  // Tells the next NotifyChanged that the operation noted all it changed.
  void DeclareChangeNoted() { change_declared_ = true; }

 private:
  std::vector<TColor32> pixels_;
  bool change_declared_ = false;
  bool changed_whole_ = false;
  bool changed_any_ = false;
  TRect changed_{};
  std::unique_ptr<TFont> font_;
  TDrawMode draw_mode_ = dmOpaque;
  std::uint32_t master_alpha_ = 255;
  TStretchFilter stretch_filter_ = sfNearest;
};

// Toolkit colour to opaque TColor32; system colours come from the
// application palette.
TColor32 ColorToArgb(TColor color);

// GammaTable[i] = Round(255 * (i / 255)^0.7).
extern const std::uint8_t (&GammaTable)[256];

}  // namespace gradoir
