#pragma once
// The four settings of the program, read once at start-up from "Grado.ini"
// beside the executable. The program never writes that file.
#include <cstdint>

#include <QString>

namespace gradoir {

struct TSettings {
  std::int32_t MeasureSeriesLength = 10;  // [NbEx/Serie] Mesurer
  std::int32_t DrawSeriesLength = 10;     // [NbEx/Serie] Tracer
  bool MagneticVertex = true;             // [Angle] SommetAimante
  bool HorizontalSide = false;            // [Angle] CoteHorizontal
  friend bool operator==(const TSettings&, const TSettings&) = default;
};

// "Grado.ini" in the directory of the running executable (links resolved);
// the current directory plays no part. Needs a QCoreApplication.
QString SettingsFilePath();

// Every value the file does not hold, or holds as something other than an
// integer, keeps its default; a missing or unreadable file gives the defaults.
TSettings ReadSettings(const QString& path);

}  // namespace gradoir
