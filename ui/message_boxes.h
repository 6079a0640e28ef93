#pragma once
// The program's three modal message boxes, with French captions and buttons.
#include <QString>

class QWidget;

namespace gradoir {

// "Confirmation" with "&Oui" and "&Non"; Enter answers "&Oui", Escape and
// closing the box answer "&Non". True only for "&Oui".
bool askConfirmation(QWidget* parent, const QString& text);
// "Erreur" with a stop sign and "OK".
void showError(QWidget* parent, const QString& text);
// "Information" with "OK"; `details`, when given, shows under the text.
void showInformation(QWidget* parent, const QString& text, const QString& details = {});

}  // namespace gradoir
