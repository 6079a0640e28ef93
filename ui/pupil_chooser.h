#pragma once
// The window in which a pupil picks a name from the class list, or
// "Anonyme", before a series.
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace gradoir {

inline const QString kAnonymousPupil = QStringLiteral("Anonyme");

// Modal. The list holds `names` then "Anonyme"; `current` is selected when
// present, else nothing: OK waits for a name picked. Empty when the pupil
// closes the window or presses "Annuler".
std::optional<QString> choosePupil(QWidget* parent, const QStringList& names, const QString& current);

}  // namespace gradoir
