#pragma once
// Where an export may not go: a teacher typing the results file's name
// after --export-csv must not lose every result to a CSV file.
#include <QString>
#include <optional>

namespace gradoir {

// Why `target` must not be written by an export (French), or nothing: it is
// the results store `store` (a SQLite file; empty or an address: none), one
// of the files SQLite or the store keep beside it, or any SQLite database,
// followed through links.
std::optional<QString> exportTargetProblem(const QString& target, const QString& store);

}  // namespace gradoir
