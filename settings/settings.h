#pragma once
// The settings of the program, read once at start-up from "Grado.ini"
// beside the executable. The program never writes that file.
#include <cstdint>

#include <QString>

#include "figures/level.h"

namespace gradoir {

struct Settings {
  std::int32_t measureSeriesLength = 10;  // [NbEx/Serie] Mesurer
  std::int32_t drawSeriesLength = 10;     // [NbEx/Serie] Tracer
  bool magneticVertex = true;             // [Angle] SommetAimante
  bool horizontalSide = false;            // [Angle] CoteHorizontal
  // The level, [Angle] Pas, MesureMin, MesureMax, Tolerance, RapporteurPlace
  // and Estimation, as readSettings leaves it: normalized (figures/level.h).
  Level level;
  // [Resultats]
  QString classListPath{};   // Eleves: one pupil name per line
  QString resultsBase{};     // Base: a SQLite file or a postgresql:// address
  bool recordResults = true;  // Enregistrer
  QString teacherBase{};      // BaseEnseignant: what the teacher's window and exports read; empty: Base
  friend bool operator==(const Settings&, const Settings&) = default;
};

// The teaching aids, [Aide] in the same file. Kept apart from the four
// settings above, which the program has always had.
struct TeachingSettings {
  bool explanations = true;  // [Aide] Explications: name the mistake after a wrong try
  bool correction = true;    // [Aide] Correction: show the right answer after the third
  friend bool operator==(const TeachingSettings&, const TeachingSettings&) = default;
};

// "Grado.ini" in the directory of the running executable (links resolved);
// the current directory plays no part. Needs a QCoreApplication.
QString settingsFilePath();

// Every value the file does not hold, or holds as something other than an
// integer, keeps its default; a missing or unreadable file gives the defaults.
// A relative path (Eleves, Base) is taken from the folder of the settings
// file, never from wherever the program was started.
// Level values out of their range are brought into it (normalized).
Settings readSettings(const QString& path);
// Read the same way; both on when the section is missing.
TeachingSettings readTeachingSettings(const QString& path);

}  // namespace gradoir
