// SPDX-License-Identifier: GPL-3.0-or-later
// The bitrate profile: the value of one pixel column of the chart, from the sector addresses the
// time map gives at the column's left and right edges.
#pragma once

#include <vector>

#include "explorer/explorer_data.h"

namespace ratewise {

// Column x (1 <= x < width) of the current track's profile on a plot `width` pixels wide: the
// sectors played between the map entries at the column's edges, in kbit/s. A value strictly
// between 0 and 10000 becomes `heldKbps`; otherwise (no entry inside the column, a first address
// of 0, a falling address, 10000 or more, an entry beyond the map) heldKbps keeps its value.
// Callers start heldKbps at 0 and call this for x = 1, 2, ..., width - 1 in order.
void ProfileColumn(const ExplorerData& data, int width, int x, int& heldKbps);

// heldKbps after each column x = 1 ... width - 1 of one drawing (empty for a width below 2).
std::vector<int> ProfileColumns(const ExplorerData& data, int width);

} // namespace ratewise
