// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/title_set_tables.h"

#include <cerrno>

#include "ifo/diagnostics.h"
#include "ifo/seek_read.h"

namespace ratewise {

namespace {

constexpr std::size_t kMenuVobStartOffset = 0x0C0;
constexpr std::size_t kTitleVobStartOffset = 0x0C4;
constexpr std::size_t kFirstTablePointerOffset = 0x0C8;

// How many bytes the table in this slot says it has. The two VOBU address maps keep their size
// at offset 0. The program-chain and time-map tables store their end address (last byte), so
// they are one byte longer than it; taking it as the size would lose the time map's last word.
std::uint64_t ClaimedTableSize(const ByteBuffer& firstSector, int slot)
{
    if (slot == kMenuVobuMapSlot || slot == kVobuMapSlot)
        return *firstSector.View().U32(0);
    const std::uint64_t value = *firstSector.View().U32(4);
    if (slot == kProgramChainSlot || slot == kTimeMapSlot)
        return value + 1;
    return value;
}

} // namespace

int ifoReadLB2(TitleSetTables& tables, std::uint32_t sector, int slot, std::ostream& err)
{
    if (slot < 0 || slot >= kTitleSetSlotCount || tables.fileHandle == nullptr)
        return -1;
    if (sector == 0)
        return -1;
    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(kSectorSize);
    if (!buffer) {
        ReportSystemError(err, "malloc", ENOMEM);
        return -1;
    }
    ByteSource& source = *tables.fileHandle;
    std::int64_t position = 0;
    if (__builtin_add_overflow(std::int64_t{sector} * kSectorSize, tables.baseOffset, &position))
        position = -1; // unaddressable: the seek fails and says so
    if (ifoSeekReadLogged(source, position, buffer->Span(), err) <= 0) {
        ReportSystemError(err, "ifoReadLB2", source.LastError());
        return -1;
    }

    const std::uint64_t size = ClaimedTableSize(*buffer, slot);
    if (size > kSectorSize) {
        if (!buffer->Grow(TableBufferSize(source, position, size))) {
            ReportSystemError(err, "realloc", ENOMEM);
            return -1;
        }
        // A failed second read keeps the first sector; the rest stays zero.
        ifoSeekReadLogged(source, position, buffer->Span(), err);
    }
    tables.slots[static_cast<std::size_t>(slot)] = std::move(*buffer);
    return 0;
}

std::unique_ptr<TitleSetTables> ifoOpenTables(ByteSource& source, std::int64_t baseOffset, std::ostream& err)
{
    auto tables = std::unique_ptr<TitleSetTables>(new (std::nothrow) TitleSetTables);
    if (!tables) {
        err << RATEWISE_IFO_WHERE << "memory squeeze (ifo)\n";
        return nullptr;
    }
    std::optional<ByteBuffer> header = ByteBuffer::Allocate(kSectorSize);
    if (!header) {
        err << RATEWISE_IFO_WHERE << "memory squeeze (data)\n";
        return nullptr;
    }
    tables->baseOffset = baseOffset;
    tables->fileHandle = &source;
    if (ifoSeekRead(source, baseOffset, header->Span()) < 0) {
        err << RATEWISE_IFO_WHERE << "something went wrong when reading file.\n";
        return nullptr;
    }
    const BeView view = header->View();
    tables->menuVobStartSector = *view.U32(kMenuVobStartOffset);
    tables->titleVobStartSector = *view.U32(kTitleVobStartOffset);
    tables->slots[kHeaderSlot] = std::move(*header);

    for (int slot = 1; slot < kTitleSetSlotCount; ++slot) {
        const std::size_t pointer = kFirstTablePointerOffset + 4 * static_cast<std::size_t>(slot - 1);
        const std::uint32_t sector = *tables->slots[kHeaderSlot].View().U32(pointer);
        ifoReadLB2(*tables, sector, slot, err); // a failing slot stays empty; the rest are read
    }
    return tables;
}

int ifoCloseTables(std::unique_ptr<TitleSetTables> tables)
{
    tables.reset();
    return 0;
}

} // namespace ratewise
