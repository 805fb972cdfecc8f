// SPDX-License-Identifier: GPL-3.0-or-later
// A title set's title VOBs (VTS_xx_1.VOB ... VTS_xx_9.VOB) as one contiguous byte source: the
// parts follow one another as a player addresses them, so byte k * 2048 is title sector k, the
// address space of the set's cells. See disc/title_set_load.h for how a load hands it out.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "disc/disc_files.h"
#include "ifo/byte_source.h"

namespace ratewise {

// The parts in order, up to the first missing number; nothing when VTS_xx_1.VOB is missing or a
// part cannot be opened, and then `why`, when given, says which (with the system's reason).
std::unique_ptr<ByteSource> OpenTitleVobs(const DiscFiles& files, int titleSet, std::string* why = nullptr);

// Sources one after another, read as one.
std::unique_ptr<ByteSource> ConcatenateSources(std::vector<std::unique_ptr<ByteSource>> parts);

} // namespace ratewise
