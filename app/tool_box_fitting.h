#pragma once
// Sizes the tool box and its controls to their texts in whatever fonts stand
// in for the ones asked for ("Tahoma" is rarely there): nothing is cut off,
// nothing is squeezed, and with Tahoma's metrics the tool box keeps (nearly)
// its described size. Places only ever grow from the described ones.
namespace Ui {
class MainWindow;
}

namespace gradoir {

// The statement, answer box, check and next buttons, verdict and caption.
// Run once the fonts are set; calls fitScoreLabel too.
void fitToolBoxToTexts(const Ui::MainWindow& f);

// The score label (and the rounded frame drawn around it) after its text
// changed: as wide as the text, centred where it was described.
void fitScoreLabel(const Ui::MainWindow& f);

}  // namespace gradoir
