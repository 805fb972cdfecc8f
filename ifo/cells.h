// SPDX-License-Identifier: GPL-3.0-or-later
// Cells of a program chain: sectors, VOB and cell ids, playback time, angle-block position and
// the program (chapter) each cell belongs to. Used by the track list and the chapter list.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ifo/program_chain.h"
#include "ifo/title_set_info.h"

namespace ratewise {

struct CellEntry {
    std::uint32_t firstSector = 0; // first VOBU start sector
    std::uint32_t lastSector = 0;  // last VOBU end sector
    std::uint16_t vobId = 0;
    std::uint8_t cellId = 0;
    // High nibble: number of angles of the cell's angle block; low nibble: the cell's angle,
    // counting from 1. 0x11 for a cell outside any block.
    std::uint8_t angle = 0;
    std::uint8_t program = 0; // program (chapter) index counting from 0
    PlaybackTime time;
    friend bool operator==(const CellEntry&, const CellEntry&) = default;
};

// True for a cell a player plays when it plays the first angle: a cell outside any angle block,
// or the first of a block. The other cells of a block hold the same stretch of time seen from
// another camera, so the title's time, chapters and sectors count only these.
inline bool InFirstAngle(const CellEntry& cell)
{
    return (cell.angle & 0x0F) <= 1;
}

// Fills the first nc entries of cells (nc = the PGC's cell count). Fails when the PGC does not
// exist, cells has fewer than nc entries, or the PGC's cell tables or program map reach outside
// the table. A program-map byte of 0 or beyond the cell count marks no cells.
bool ifoGetCells(const TitleSetInfo* info, int i, std::span<CellEntry> cells);

// The same, sized by the PGC's own cell count.
std::optional<std::vector<CellEntry>> ifoGetCells(const TitleSetInfo* info, int i);

} // namespace ratewise
