// SPDX-License-Identifier: GPL-3.0-or-later
// The rows a reader must find in the PAL and NTSC film templates, written out from the
// property tables of the project format.
#pragma once

#include <string>
#include <vector>

#include "tests/project/tpr_reader.h"

namespace ratewise::test_support {

std::vector<TprRow> ExpectedTemplateRows(bool pal);

// The extended bytes of a value a double holds exactly, found with frexp.
std::string ExactExtendedHex(double value);

// Replaces the value of the row at `path`; false when there is no such row.
bool SetRow(std::vector<TprRow>& rows, const std::string& path, const std::string& value);

} // namespace ratewise::test_support
