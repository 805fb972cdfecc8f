// SPDX-License-Identifier: GPL-3.0-or-later
// The search for the most even split of a track's chapters over several media.
#pragma once

#include <span>
#include <vector>

namespace ratewise {

// Finds where to cut the chapters whose start seconds are `startSeconds` (C + 1 values: the
// starts of chapters 1 … C, then the end of the track) so that `mediaCount` media, each with at
// least one chapter, are as close in playing time as possible: the spread (longest medium minus
// shortest) is the smallest there is. Among equally even splits it returns the first in ascending
// order of (first chapter of medium 2, of medium 3, …).
//
// Returns the first chapter of each medium followed by C + 1 (mediaCount + 1 values, the first
// always 1), or nothing when 1 <= mediaCount <= C does not hold.
std::vector<int> SearchSplit(std::span<const int> startSeconds, int mediaCount);

} // namespace ratewise
