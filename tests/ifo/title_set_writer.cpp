// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ifo/title_set_writer.h"

#include <algorithm>
#include <string_view>

#include "common/dvd_time.h"

namespace ratewise::test_support {

namespace {

constexpr std::size_t kPgcFixedPart = 0xEC;

std::uint8_t ToBcd(int value)
{
    return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10));
}

void Grow(std::vector<std::uint8_t>& bytes, std::size_t size)
{
    if (bytes.size() < size)
        bytes.resize(size);
}

std::vector<std::uint8_t> WritePgc(const PgcDraft& pgc)
{
    const std::size_t np = pgc.programMap.size();
    const std::size_t nc = pgc.cells.size();
    const std::size_t mapStart = kPgcFixedPart;
    const std::size_t playbackStart = mapStart + ((np + 1) & ~std::size_t{1});
    const std::size_t positionStart = playbackStart + 24 * nc;
    std::vector<std::uint8_t> bytes(positionStart + 4 * nc);
    bytes[0x02] = static_cast<std::uint8_t>(np);
    bytes[0x03] = static_cast<std::uint8_t>(nc);
    std::copy(pgc.time.begin(), pgc.time.end(), bytes.begin() + 0x04);
    for (std::size_t j = 0; j < 8; ++j)
        PutU16(bytes, 0x0C + 2 * j, pgc.audioControl[j]);
    for (std::size_t j = 0; j < 32; ++j)
        PutU32(bytes, 0x1C + 4 * j, pgc.subpictureControl[j]);
    PutU16(bytes, 0xE6, np ? static_cast<std::uint16_t>(mapStart) : 0);
    PutU16(bytes, 0xE8, nc ? static_cast<std::uint16_t>(playbackStart) : 0);
    PutU16(bytes, 0xEA, nc ? static_cast<std::uint16_t>(positionStart) : 0);
    std::copy(pgc.programMap.begin(), pgc.programMap.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(mapStart));
    for (std::size_t c = 0; c < nc; ++c) {
        const CellDraft& cell = pgc.cells[c];
        const std::size_t record = playbackStart + 24 * c;
        bytes[record] = cell.category;
        std::copy(cell.time.begin(), cell.time.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(record + 4));
        PutU32(bytes, record + 0x08, cell.firstSector);
        PutU32(bytes, record + 0x14, cell.lastSector);
        PutU16(bytes, positionStart + 4 * c, cell.vobId);
        bytes[positionStart + 4 * c + 3] = cell.cellId;
    }
    return bytes;
}

} // namespace

std::array<std::uint8_t, 4> BcdTime(int hours, int minutes, int seconds, int frames, bool pal)
{
    return {ToBcd(hours), ToBcd(minutes), ToBcd(seconds),
            static_cast<std::uint8_t>(ToBcd(frames) | (pal ? 0x40 : 0xC0))};
}

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value)
{
    Grow(bytes, offset + 2);
    bytes[offset] = static_cast<std::uint8_t>(value >> 8);
    bytes[offset + 1] = static_cast<std::uint8_t>(value);
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    Grow(bytes, offset + 4);
    for (std::size_t k = 0; k < 4; ++k)
        bytes[offset + k] = static_cast<std::uint8_t>(value >> (24 - 8 * k));
}

std::vector<std::uint8_t> WriteProgramChainTable(std::span<const PgcDraft> pgcs)
{
    std::vector<std::uint8_t> table(8 + 8 * pgcs.size());
    PutU16(table, 0, static_cast<std::uint16_t>(pgcs.size()));
    for (std::size_t i = 0; i < pgcs.size(); ++i) {
        PutU32(table, 8 + 8 * i, 0x81000000u + static_cast<std::uint32_t>(i + 1) * 0x10000u);
        PutU32(table, 12 + 8 * i, static_cast<std::uint32_t>(table.size()));
        const std::vector<std::uint8_t> pgc = WritePgc(pgcs[i]);
        table.insert(table.end(), pgc.begin(), pgc.end());
    }
    PutU32(table, 4, static_cast<std::uint32_t>(table.size() - 1));
    return table;
}

std::vector<std::uint8_t> WriteTimeMapTable(std::span<const TimeMapDraft> maps)
{
    std::vector<std::uint8_t> table(8 + 4 * maps.size());
    PutU16(table, 0, static_cast<std::uint16_t>(maps.size()));
    for (std::size_t i = 0; i < maps.size(); ++i) {
        PutU32(table, 8 + 4 * i, static_cast<std::uint32_t>(table.size()));
        const std::size_t start = table.size();
        table.resize(start + 4 + 4 * maps[i].entries.size());
        table[start] = maps[i].timeUnit;
        PutU16(table, start + 2, static_cast<std::uint16_t>(maps[i].entries.size()));
        for (std::size_t k = 0; k < maps[i].entries.size(); ++k)
            PutU32(table, start + 4 + 4 * k, maps[i].entries[k]);
    }
    PutU32(table, 4, static_cast<std::uint32_t>(table.size() - 1));
    return table;
}

std::uint32_t AppendTable(std::vector<std::uint8_t>& image, int slot, std::span<const std::uint8_t> table)
{
    Grow(image, kDvdSectorBytes);
    image.resize((image.size() + kDvdSectorBytes - 1) / kDvdSectorBytes * kDvdSectorBytes);
    const auto sector = static_cast<std::uint32_t>(image.size() / kDvdSectorBytes);
    image.insert(image.end(), table.begin(), table.end());
    image.resize((image.size() + kDvdSectorBytes - 1) / kDvdSectorBytes * kDvdSectorBytes);
    PutU32(image, 0x0C8 + 4 * static_cast<std::size_t>(slot - 1), sector);
    return sector;
}

TitleSetImage WriteTitleSet(const TitleSetDraft& draft)
{
    TitleSetImage image;
    std::vector<std::uint8_t>& bytes = image.bytes;
    bytes.assign(kDvdSectorBytes, 0);
    constexpr std::string_view identifier = "DVDVIDEO-VTS";
    std::copy(identifier.begin(), identifier.end(), bytes.begin());
    bytes[0x200] = draft.video0;
    bytes[0x201] = draft.video1;
    PutU16(bytes, 0x202, draft.audioCount);
    for (std::size_t k = 0; k < 8; ++k)
        std::copy(draft.audio[k].begin(), draft.audio[k].end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(0x204 + 8 * k));
    bytes[0x255] = draft.subpictureCount;
    for (std::size_t k = 0; k < 32; ++k)
        std::copy(draft.subpictures[k].begin(), draft.subpictures[k].end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(0x256 + 6 * k));

    image.pgciSector = AppendTable(bytes, 2, WriteProgramChainTable(draft.pgcs));
    if (draft.timeMaps)
        image.tmaptiSector = AppendTable(bytes, 4, WriteTimeMapTable(*draft.timeMaps));
    return image;
}

} // namespace ratewise::test_support
