// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Chapters Informations" command.
#pragma once

#include <QString>

#include "calc/calculator_state.h"
#include "disc/loaded_title_set.h"

class QDialog;
class QProgressBar;
class QWidget;

namespace ratewise {

// Builds the chapter list of the loaded title set's focused track (its cell count and running time
// from the loaded track list, its cells from the file opened afresh); spreads its chapters over the
// calculator's media with `progressBar` showing the search; then opens the Chapters Informations window over
// `parent`, window-modal, deleting itself when closed. Opens nothing and returns null when no file is loaded,
// the file cannot be read as a title set, no track has the focus or its cells cannot be read; the main window
// stays as it was.
QDialog* RunChaptersAction(QWidget* parent, const LoadedTitleSet& loaded, const CalculatorState& state,
                           QProgressBar* progressBar);

} // namespace ratewise
