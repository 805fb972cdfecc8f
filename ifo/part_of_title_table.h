// SPDX-License-Identifier: GPL-3.0-or-later
// The title set's part-of-title table (VTS_PTT_SRPT): for each title of the set, in order, the
// program chain and program that start each of its parts (the chapters a player shows). Both the
// disc's title list and the chapter export read it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ifo/be_view.h"
#include "ifo/byte_source.h"

namespace ratewise {

struct PartOfTitle {
    std::uint16_t programChain = 0; // 1-based, as the table stores it
    std::uint16_t program = 0;      // 1-based
    bool operator==(const PartOfTitle&) const = default;
};

using TitleParts = std::vector<PartOfTitle>;

// Decodes a whole VTS_PTT_SRPT held in table. Nothing when the header, an offset or a part lies
// outside the table or the offsets run backwards; a title with no parts gives an empty list.
std::optional<std::vector<TitleParts>> ParsePartOfTitleTable(BeView table);

// Reads the table that the title set's header sector (VTSI_MAT, 2048 bytes) points to from the
// title-set information file in source. Nothing when the pointer is 0 or the table is unreadable.
std::optional<std::vector<TitleParts>> ReadPartOfTitleTable(ByteSource& source, BeView header);

} // namespace ratewise
