// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Create VCD Project" command after its switch to "(S)VCD": reads the loaded
// title set afresh and opens the Create VCD Project dialog for it.
#pragma once

#include <QString>

#include "calc/calculator_state.h"
#include "disc/title_set_load.h"
#include "project/vcd_project_dialog.h"

namespace ratewise {

// Opens the dialog window-modal over `parent` with the title set's aspect code and video standard
// and the calculator's bitrates; it deletes itself when closed. When the file at `ifoPath` cannot
// be read (none is loaded, or it has gone or changed), shows "No ifo file loaded" instead and
// gives null.
VcdProjectDialog* OpenVcdProjectDialog(QWidget* parent, const TitleSetLoad* load,
                                       const CalculatorState& state);

} // namespace ratewise
