// SPDX-License-Identifier: GPL-3.0-or-later
// The warning list of the Create VCD Project dialog: every departure from a standard Video CD.
#pragma once

#include <string>
#include <vector>

#include "project/vcd_project_settings.h"

namespace ratewise {

struct WarningList {
    std::vector<std::string> lines;
    bool keep16x9Flag = false; // the 16:9 aspect bit is to stay set in the project
};

// The list for the settings' audio and video bitrates and conversion, in the dialog's order.
WarningList RefreshWarnings(const VcdProjectSettings& settings);

} // namespace ratewise
