// The main window's "Chapters Informations" command.
#pragma once

#include <QString>

#include "calc/calculator_state.h"

class QDialog;
class QProgressBar;
class QWidget;

namespace ratewise {

// Builds the chapter list of track `track` (counting from 0, the track list's focused entry) of
// the title set at `ifoPath`, opened afresh; spreads its chapters over the calculator's media with
// `progressBar` showing the search; then opens the Chapters Informations window over `parent`,
// window-modal, deleting itself when closed. Opens nothing and returns null when no file is
// loaded, the file cannot be read as a title set, there is no such track (-1: none has the
// focus) or its cells cannot be read; the main window stays as it was.
QDialog* RunChaptersCommand(QWidget* parent, const QString& ifoPath, int track, const CalculatorState& state,
                            QProgressBar* progressBar);

} // namespace ratewise
