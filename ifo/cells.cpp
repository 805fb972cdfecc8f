// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/cells.h"

#include <algorithm>
#include <array>

namespace ratewise {

namespace {

constexpr std::size_t kCellPlaybackRecordSize = 24;
constexpr std::size_t kCellPositionRecordSize = 4;

// Bits 7-6 of a cell's first category byte: where the cell stands in an angle block.
enum class BlockMode { None = 0, First = 1, Inside = 2, Last = 3 };

// The angle-block numbering: a block's cells are numbered 1, 2, ... as they come, and the last
// cell of the block writes the block's size into the high nibble of all of them.
void NumberAngles(std::span<CellEntry> cells, std::span<const BlockMode> modes)
{
    unsigned counter = 0;
    std::size_t blockStart = 0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        switch (modes[c]) {
        case BlockMode::None:
            cells[c].angle = 0x11;
            blockStart = c;
            break;
        case BlockMode::First:
            cells[c].angle = 0xF1;
            blockStart = c;
            counter = 1;
            break;
        case BlockMode::Inside:
            ++counter;
            cells[c].angle = static_cast<std::uint8_t>(0xF0 | counter);
            break;
        case BlockMode::Last:
            ++counter;
            cells[c].angle = static_cast<std::uint8_t>(0xF0 | counter);
            for (std::size_t k = blockStart; k <= c; ++k) {
                if ((cells[k].angle & 0xF0) == 0xF0)
                    cells[k].angle = static_cast<std::uint8_t>(counter << 4 | (cells[k].angle & 0x0F));
            }
            break;
        }
    }
}

// Marks the cells [first, end) with program, where first = entry - 1 of a map byte counting
// from 1. An entry of 0 or a range that starts at or after its end marks nothing.
void MarkProgram(std::span<CellEntry> cells, unsigned entry, std::size_t end, std::uint8_t program)
{
    if (entry == 0)
        return;
    end = std::min(end, cells.size());
    for (std::size_t c = entry - 1; c < end; ++c)
        cells[c].program = program;
}

// The program map holds, for each program, the number of its first cell. Cells before the first
// program's entry keep program 0.
void NumberPrograms(std::span<CellEntry> cells, BeView programMap)
{
    const std::size_t programCount = programMap.Size();
    if (programCount == 0)
        return;
    const auto m = programMap.Bytes();
    for (std::size_t k = 1; k < programCount; ++k) {
        const std::size_t end = m[k] == 0 ? 0 : std::size_t{m[k]} - 1;
        MarkProgram(cells, m[k - 1], end, static_cast<std::uint8_t>(k - 1));
    }
    MarkProgram(cells, m[programCount - 1], cells.size(), static_cast<std::uint8_t>(programCount - 1));
}

} // namespace

bool ifoGetCells(const TitleSetInfo* info, int i, std::span<CellEntry> cells)
{
    const std::optional<BeView> pgc = ifoGetPGC(info, i);
    if (!pgc)
        return false;
    const auto programCount = pgc->U8(kPgcProgramCountOffset);
    const auto cellCount = pgc->U8(kPgcCellCountOffset);
    const auto programMapStart = pgc->U16(kPgcProgramMapOffset);
    const auto playbackStart = pgc->U16(kPgcCellPlaybackOffset);
    const auto positionStart = pgc->U16(kPgcCellPositionOffset);
    if (!programCount || !cellCount || !programMapStart || !playbackStart || !positionStart)
        return false;
    const std::size_t nc = *cellCount;
    if (cells.size() < nc)
        return false;
    const auto programMap = pgc->Sub(*programMapStart, *programCount);
    const auto playback = pgc->Sub(*playbackStart, nc * kCellPlaybackRecordSize);
    const auto position = pgc->Sub(*positionStart, nc * kCellPositionRecordSize);
    if (!programMap || !playback || !position)
        return false;

    std::array<BlockMode, 256> modes{};
    for (std::size_t c = 0; c < nc; ++c) {
        const BeView record = *playback->Sub(c * kCellPlaybackRecordSize, kCellPlaybackRecordSize);
        const BeView place = *position->Sub(c * kCellPositionRecordSize, kCellPositionRecordSize);
        CellEntry& cell = cells[c];
        cell.firstSector = *record.U32(0x08);
        cell.lastSector = *record.U32(0x14);
        cell.vobId = *place.U16(0x00);
        cell.cellId = *place.U8(0x03);
        cell.time = *DecodePlaybackTime(record, 0x04);
        cell.program = 0;
        modes[c] = static_cast<BlockMode>(*record.U8(0x00) >> 6);
    }
    NumberAngles(cells.first(nc), std::span(modes).first(nc));
    NumberPrograms(cells.first(nc), *programMap);
    return true;
}

std::optional<std::vector<CellEntry>> ifoGetCells(const TitleSetInfo* info, int i)
{
    const int cellCount = ifoGetPlaybackTime(info, i, nullptr);
    std::vector<CellEntry> cells(static_cast<std::size_t>(cellCount));
    if (!ifoGetCells(info, i, cells))
        return std::nullopt;
    return cells;
}

} // namespace ratewise
