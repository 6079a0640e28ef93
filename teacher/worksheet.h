#pragma once
// Worksheets on paper: N angles at true size on A4, for a real protractor,
// drawn as vectors into a PDF, with an answer key on the last page.
// Measures come from the program's own generator and level (Pas, MesureMin,
// MesureMax); sides are kSheetSideMm long, the first side in any direction.
// Measuring: the whole angle and a line for the answer. Drawing: the first
// side with its vertex marked and the measure to draw. The seed, printed
// in the footer, makes the same sheet again.
//
//   writeWorksheet({.kind = ExerciseKind::Measuring, .count = 8, .seed = 42,
//                   .level = settings.level}, "fiche.pdf", &error);
#include <QList>
#include <QPointF>
#include <QString>
#include <cstdint>

#include "figures/exercise_kind.h"
#include "figures/level.h"

namespace gradoir {

constexpr int kMaxWorksheetExercises = 200;
constexpr double kSheetSideMm = 62.0;

struct WorksheetRequest {
  ExerciseKind kind = ExerciseKind::Measuring;
  int count = 8;
  std::uint32_t seed = 0;
  Level level{};
};

// One exercise, in millimetres from the page's top left corner.
struct SheetAngle {
  int number = 1;
  int measure = 0;
  int page = 0;  // 0-based
  QPointF vertex, firstEnd, secondEnd;
};

struct WorksheetLayout {
  QList<SheetAngle> angles;
  int exercisePages = 0;
  int keyPages = 0;
};

// The same request gives the same layout.
WorksheetLayout layOutWorksheet(const WorksheetRequest& request);
// Writes the PDF through a QSaveFile. Needs a QGuiApplication (fonts).
bool writeWorksheet(const WorksheetRequest& request, const QString& path, QString* error = nullptr);

}  // namespace gradoir
