// The exercise canvas, 0 x 0 to 2000 x 2000, fed arbitrary sequences of
// press, move and release events with any buttons, modifiers and positions
// (far outside the canvas too, as a grabbed pointer delivers them), in both
// modes, mixed with the calls the main window makes. Nothing may crash or
// hang, the angle's measure stays what the pupil can have made of it
// (5..175 as generated, -180..180 once drawn, or 181 for "no second side"),
// and the picture rebuilt where it changed equals a whole rebuild.
#include <fuzzer/FuzzedDataProvider.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/random_source.h"

namespace {

using namespace gradoir;

constexpr std::int32_t kMaxSide = 2000;
constexpr std::int32_t kSmallSide = 400;
constexpr std::int32_t kFittingSide = 600;
constexpr int kMaxSteps = 48;

void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "canvas fuzz: %s\n", what);
    std::abort();
  }
}

// One shown host for the whole run: a child canvas may take any size, 0 x 0
// included, and a shown canvas paints for real on each immediate repaint.
QWidget& host() {
  static QWidget* host = [] {
    auto* w = new QWidget;  // lives until the process ends, like the app
    w->resize(kMaxSide, kMaxSide);
    w->show();
    return w;
  }();
  return *host;
}

double coordinate(FuzzedDataProvider& in, std::int32_t side) {
  static constexpr double kFar[] = {-1e9, 1e9, -2147483648.0, 2147483647.0, -0.5, 0.5, 65536.0, -32769.0};
  switch (in.ConsumeIntegralInRange<int>(0, 4)) {
    case 0:
      return in.PickValueInArray(kFar);
    case 1:
      return in.ConsumeFloatingPointInRange<double>(-1e9, 1e9);
    default:
      return in.ConsumeIntegralInRange<std::int32_t>(-side - 50, 2 * side + 50);
  }
}

Qt::MouseButton anyButton(FuzzedDataProvider& in) {
  static constexpr Qt::MouseButton kButtons[] = {Qt::NoButton, Qt::LeftButton, Qt::RightButton,
                                                 Qt::MiddleButton, Qt::BackButton};
  return in.PickValueInArray(kButtons);
}

// Canvas sides: on a small canvas no random placement fits and each new
// angle costs the generator's whole attempt budget, so half the canvases are
// of a size where the angle fits; one in four is small, one in four anything.
int anySide(FuzzedDataProvider& in, int kind) {
  switch (kind) {
    case 0:
      return in.ConsumeIntegralInRange<int>(0, kSmallSide);
    case 1:
      return in.ConsumeIntegralInRange<int>(0, kMaxSide);
    default:
      return in.ConsumeIntegralInRange<int>(kFittingSide, kFittingSide * 2);
  }
}

void resizeCanvas(FuzzedDataProvider& in, ExerciseCanvas& canvas) {
  const int kind = in.ConsumeIntegralInRange<int>(0, 3);
  canvas.resize(anySide(in, kind), anySide(in, kind));
}

void sendPointer(FuzzedDataProvider& in, ExerciseCanvas& canvas, std::int32_t side) {
  static constexpr QEvent::Type kTypes[] = {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseMove,
                                            QEvent::MouseButtonRelease};
  const QEvent::Type type = in.PickValueInArray(kTypes);
  const QPointF position(coordinate(in, side), coordinate(in, side));
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : anyButton(in);
  const auto held = Qt::MouseButtons::fromInt(in.ConsumeIntegralInRange<int>(0, 0x1f));
  const auto modifiers = Qt::KeyboardModifiers::fromInt(in.ConsumeIntegral<std::uint8_t>() << 25);
  QMouseEvent event(type, position, position, button, held, modifiers);
  QApplication::sendEvent(&canvas, &event);
}

void newExercise(FuzzedDataProvider& in, ExerciseCanvas& canvas) {
  const std::uint32_t seed = in.ConsumeIntegral<std::uint32_t>();
  ScopedSeedProvider provider([seed] { return seed; });
  const CanvasTool mode = canvas.mode();
  canvas.setMode(in.ConsumeBool() ? CanvasTool::Pencil : CanvasTool::Protractor);
  canvas.centerProtractor();
  canvas.newExercise(in.ConsumeBool(), in.ConsumeBool());
  canvas.setMode(mode);
  const std::optional<std::int32_t> m = canvas.angleMeasure();
  require(m && 5 <= *m && *m <= 175, "generated measure outside 5..175");
}

// The picture the canvas would show now, rebuilt only where something
// changed, must be the picture a rebuild of the whole canvas gives.
void requireUpToDatePicture(ExerciseCanvas& canvas) {
  canvas.validateBuffer();
  const std::int32_t w = std::min(canvas.width(), canvas.buffer().width());
  const std::int32_t h = std::min(canvas.height(), canvas.buffer().height());
  if (w <= 0 || h <= 0) return;
  const std::size_t rowBytes = static_cast<std::size_t>(w) * sizeof(Color32);
  std::vector<Color32> partial(static_cast<std::size_t>(w) * h);
  for (std::int32_t y = 0; y < h; ++y)
    std::memcpy(&partial[static_cast<std::size_t>(y) * w], canvas.buffer().rowStart(y), rowBytes);
  canvas.invalidateImage();
  canvas.validateBuffer();
  for (std::int32_t y = 0; y < h; ++y) {
    if (std::memcmp(&partial[static_cast<std::size_t>(y) * w], canvas.buffer().rowStart(y), rowBytes) == 0)
      continue;
    std::fprintf(stderr, "canvas fuzz: row %d of a %dx%d canvas is stale\n", y, canvas.width(),
                 canvas.height());
    std::abort();
  }
}

// One thing the pupil or the main window does to the canvas.
void step(FuzzedDataProvider& in, ExerciseCanvas& canvas) {
  const std::int32_t side = std::max(canvas.width(), canvas.height());
  switch (in.ConsumeIntegralInRange<int>(0, 15)) {
    case 0:
      newExercise(in, canvas);
      break;
    case 1:
      canvas.setMode(in.ConsumeBool() ? CanvasTool::Pencil : CanvasTool::Protractor);
      break;
    case 2:
      canvas.centerProtractor();
      break;
    case 3:
      in.ConsumeBool() ? canvas.showProtractor() : canvas.hideProtractor();
      break;
    case 4:
      canvas.clearSecondSide();
      break;
    case 5:
      requireUpToDatePicture(canvas);
      break;
    case 6:
      resizeCanvas(in, canvas);
      break;
    default:
      sendPointer(in, canvas, side);
      break;
  }
  // A drawn measure lies in -180..180, and there is none exactly when no
  // second side is drawn.
  if (const std::optional<std::int32_t> m = canvas.angleMeasure()) {
    require(-180 <= *m && *m <= 180, "measure outside -180..180");
  } else if (const AngleFigure* angle = canvas.angle()) {
    require(angle->secondEnd() == angle->vertex(), "no measure but a second side");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Never destroyed: libFuzzer leaves through exit(), and tearing the
  // application down under static destructors crashes inside Qt.
  static QApplication* app = new QApplication(*argc, *argv);
  (void)app;
  host();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  auto canvas = std::make_unique<ExerciseCanvas>(&host());
  resizeCanvas(in, *canvas);
  canvas->show();
  newExercise(in, *canvas);
  for (int i = 0; i < kMaxSteps && in.remaining_bytes() > 0; ++i) step(in, *canvas);
  requireUpToDatePicture(*canvas);
  return 0;
}
