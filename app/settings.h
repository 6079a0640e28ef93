#pragma once
// The settings of the program, read once at start-up from "Grado.ini"
// beside the executable. The program never writes that file.
#include <cstdint>

#include <QString>

namespace gradoir {

struct Settings {
  std::int32_t measureSeriesLength = 10;  // [NbEx/Serie] Mesurer
  std::int32_t drawSeriesLength = 10;     // [NbEx/Serie] Tracer
  bool magneticVertex = true;             // [Angle] SommetAimante
  bool horizontalSide = false;            // [Angle] CoteHorizontal
  // The level, [Angle], as readSettings leaves it: a step of 1, 5 or 10, a
  // range within 5..175 in order, a tolerance of 0..kMaxTolerance.
  std::int32_t angleStep = 1;     // Pas
  std::int32_t measureMin = 5;    // MesureMin
  std::int32_t measureMax = 175;  // MesureMax
  std::int32_t tolerance = 0;     // Tolerance, degrees either way
  bool protractorPlaced = false;  // RapporteurPlace
  bool estimation = false;        // Estimation
  // [Resultats]
  QString classListPath{};   // Eleves: one pupil name per line
  QString resultsBase{};     // Base: a SQLite file or a postgresql:// address
  bool recordResults = true;  // Enregistrer
  friend bool operator==(const Settings&, const Settings&) = default;
};

// The teaching aids, [Aide] in the same file. Kept apart from the four
// settings above, which the program has always had.
struct TeachingSettings {
  bool explanations = true;  // [Aide] Explications: name the mistake after a wrong try
  bool correction = true;    // [Aide] Correction: show the right answer after the third
  friend bool operator==(const TeachingSettings&, const TeachingSettings&) = default;
};

constexpr std::int32_t kMinMeasure = 5;
constexpr std::int32_t kMaxMeasure = 175;
constexpr std::int32_t kMaxTolerance = 90;

// "Grado.ini" in the directory of the running executable (links resolved);
// the current directory plays no part. Needs a QCoreApplication.
QString settingsFilePath();

// Every value the file does not hold, or holds as something other than an
// integer, keeps its default; a missing or unreadable file gives the defaults.
// Level values out of their range are brought into it (normalizeLevel).
Settings readSettings(const QString& path);
// Read the same way; both on when the section is missing.
TeachingSettings readTeachingSettings(const QString& path);

// A step other than 1, 5 or 10 gives 1; measures are clamped to 5..175 and
// swapped when reversed; the tolerance is clamped to 0..kMaxTolerance.
void normalizeLevel(Settings& settings);

}  // namespace gradoir
