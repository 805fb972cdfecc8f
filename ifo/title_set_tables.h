// SPDX-License-Identifier: GPL-3.0-or-later
// TitleSetTables: the header sector plus the eight sector-addressed tables it points to, read by
// ifoOpenTables for the time-map pass (ifo/time_map.h uses slot 4, the VTS_TMAPTI). Failures are
// reported to the given error stream in the reader's own words and leave a slot empty.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <ostream>

#include "ifo/byte_buffer.h"
#include "ifo/byte_source.h"

namespace ratewise {

// Slot numbers of TitleSetTables::slots; slot n > 0 comes from the header's sector pointer at
// 0x0C8 + 4 x (n - 1).
enum TitleSetTableSlot : int {
    kHeaderSlot = 0,
    kPartOfTitleSlot = 1,      // VTS_PTT_SRPT
    kProgramChainSlot = 2,     // VTS_PGCI
    kMenuProgramChainSlot = 3, // VTSM_PGCI_UT
    kTimeMapSlot = 4,          // VTS_TMAPTI
    kMenuCellAddressSlot = 5,  // VTSM_C_ADT
    kMenuVobuMapSlot = 6,      // VTSM_VOBU_ADMAP
    kCellAddressSlot = 7,      // VTS_C_ADT
    kVobuMapSlot = 8,          // VTS_VOBU_ADMAP
};
inline constexpr int kTitleSetSlotCount = 9;

struct TitleSetTables {
    std::uint32_t menuVobStartSector = 0;
    std::uint32_t titleVobStartSector = 0;
    std::array<ByteBuffer, kTitleSetSlotCount> slots; // empty buffer = empty slot
    ByteSource* fileHandle = nullptr;                 // not owned; the caller closes it
    std::int64_t baseOffset = 0;                      // added to every read position
};

// Reads the table at sector into slots[slot]. 0 on success, -1 on failure (slot left empty).
// Sector 0 fails silently; a failed read or allocation is reported perror-style to err.
int ifoReadLB2(TitleSetTables& tables, std::uint32_t sector, int slot, std::ostream& err);

// Reads the header at baseOffset and then every table it points to. Nothing when the header
// cannot be read; a table that cannot be read only leaves its slot empty.
std::unique_ptr<TitleSetTables> ifoOpenTables(ByteSource& source, std::int64_t baseOffset, std::ostream& err);

// Frees the tables (empty slots included). Does not close the source. Always 0.
int ifoCloseTables(std::unique_ptr<TitleSetTables> tables);

} // namespace ratewise
