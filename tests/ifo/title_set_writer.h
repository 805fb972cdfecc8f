// SPDX-License-Identifier: GPL-3.0-or-later
// Builds title-set information files in memory for tests, benchmarks and fuzz seeds: a header
// sector with stream attributes, a program-chain table with PGCs, cells, program maps and stream
// control words, and a time map table. Tables are laid out sector by sector after the header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ratewise::test_support {

// Four BCD bytes h, m, s, f; the frame byte carries the frame-rate flag (PAL 01, NTSC 11).
std::array<std::uint8_t, 4> BcdTime(int hours, int minutes, int seconds, int frames, bool pal = true);

struct CellDraft {
    std::uint8_t category = 0; // bits 7-6: angle-block mode
    std::array<std::uint8_t, 4> time{};
    std::uint32_t firstSector = 0;
    std::uint32_t lastSector = 0;
    std::uint16_t vobId = 1;
    std::uint8_t cellId = 1;
};

struct PgcDraft {
    std::array<std::uint8_t, 4> time{};
    std::vector<std::uint8_t> programMap{1}; // first cell (from 1) of each program
    std::vector<CellDraft> cells;
    std::array<std::uint16_t, 8> audioControl{};       // bit 15: stream available
    std::array<std::uint32_t, 32> subpictureControl{}; // bit 31: stream available
};

struct TimeMapDraft {
    std::uint8_t timeUnit = 1;
    std::vector<std::uint32_t> entries;
};

struct TitleSetDraft {
    std::uint8_t video0 = 0x40; // MPEG-2, NTSC, 4:3
    std::uint8_t video1 = 0x00;
    std::uint16_t audioCount = 0;
    std::array<std::array<std::uint8_t, 8>, 8> audio{};
    std::uint8_t subpictureCount = 0;
    std::array<std::array<std::uint8_t, 6>, 32> subpictures{};
    std::vector<PgcDraft> pgcs;
    std::optional<std::vector<TimeMapDraft>> timeMaps; // no VTS_TMAPTI when empty
};

struct TitleSetImage {
    std::vector<std::uint8_t> bytes;
    std::uint32_t pgciSector = 0;
    std::uint32_t tmaptiSector = 0;
    std::size_t PgciOffset() const { return std::size_t{pgciSector} * 2048; }
    std::size_t TmaptiOffset() const { return std::size_t{tmaptiSector} * 2048; }
};

// The VTS_PGCI and VTS_TMAPTI tables on their own, as they start in the file.
std::vector<std::uint8_t> WriteProgramChainTable(std::span<const PgcDraft> pgcs);
std::vector<std::uint8_t> WriteTimeMapTable(std::span<const TimeMapDraft> maps);

TitleSetImage WriteTitleSet(const TitleSetDraft& draft);

// Appends table (padded to whole sectors) to the image and points header slot (1 to 8) at it.
// Returns its sector.
std::uint32_t AppendTable(std::vector<std::uint8_t>& image, int slot, std::span<const std::uint8_t> table);

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value);
void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);

} // namespace ratewise::test_support
