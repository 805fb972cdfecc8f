// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/time_map.h"

#include "ifo/title_set_tables.h"

#include <algorithm>
#include <limits>

namespace ratewise {

namespace {

constexpr std::size_t kMapOffsetTableStart = 8;
constexpr std::int32_t kMaxPlausibleKbps = 10000;

std::int32_t AtLeastOne(std::uint8_t unit)
{
    return unit == 0 ? 1 : unit;
}

// The average of map i: the sector distance between the map's first entry (a) and
// the word four bytes before the next boundary (b) over the PGC's playback time. When the map is
// too short for that pair (b <= a) or either index lies outside the decoded words, the average
// is 0: no value is taken from a map header or from before the table.
// Intended, though it looks odd: the last map's boundary is endAddress - 4, so its b lands two
// entries before the table's final entry; and a rate above 10000 kbit/s is shown divided by 10.
// Both are how the averages have always been computed, and the track reports rely on them.
std::int32_t AverageKbps(const TimeMapData& data, int i, std::span<const std::int32_t> pgcSeconds)
{
    const std::int64_t first = data.mapOffsets[0] / 4;
    const std::int64_t a = data.mapOffsets[static_cast<std::size_t>(i)] / 4 - first;
    const std::int64_t b = (std::int64_t{data.mapOffsets[static_cast<std::size_t>(i) + 1]} - 8) / 4 - first;
    const auto wordCount = static_cast<std::int64_t>(data.words.size());
    if (b <= a || a < 0 || b >= wordCount)
        return 0;

    const std::int32_t seconds =
        static_cast<std::size_t>(i) < pgcSeconds.size() ? pgcSeconds[static_cast<std::size_t>(i)] : 0;
    // A track of no whole second counts as half a second, so the rate stays finite.
    const double t = seconds >= 1 ? static_cast<double>(seconds) : 0.5;
    const auto sectors = static_cast<double>(std::int64_t{data.words[static_cast<std::size_t>(b)]} -
                                             data.words[static_cast<std::size_t>(a)]);
    // Truncated toward zero; the factor 16 turns 2048-byte sectors into kbit.
    std::int64_t kbps = static_cast<std::int64_t>(sectors * 16 / t);
    if (kbps < 0)
        kbps = 0;
    else if (kbps > kMaxPlausibleKbps)
        kbps /= 10;
    return static_cast<std::int32_t>(std::min<std::int64_t>(kbps, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void ifoReadTimeMap(const TitleSetTables& tables, std::span<const std::int32_t> pgcSeconds, TimeMapData& data,
                    std::ostream& out)
{
    const ByteBuffer& table = tables.slots[kTimeMapSlot];
    if (table.Empty())
        return;
    out << "\nTIME MAP TABLE\n";
    out << "---\n";

    const BeView t = table.View();
    data = TimeMapData{};
    data.declaredMapCount = t.U16(0).value_or(0);
    data.endAddress = static_cast<std::int32_t>(t.U32(4).value_or(0));

    // Offsets of the maps that fit both the capacity and the table; then the closing boundary.
    const int wanted = std::min(data.declaredMapCount, kMaxTimeMaps);
    for (int i = 0; i < wanted; ++i) {
        const auto offset = t.U32(kMapOffsetTableStart + 4 * static_cast<std::size_t>(i));
        if (!offset)
            break;
        data.mapOffsets.push_back(static_cast<std::int32_t>(*offset));
    }
    data.mapCount = static_cast<int>(data.mapOffsets.size());
    const auto nextOffset = t.U32(kMapOffsetTableStart + 4 * static_cast<std::size_t>(data.mapCount));
    if (data.mapCount < data.declaredMapCount && nextOffset)
        data.mapOffsets.push_back(static_cast<std::int32_t>(*nextOffset));
    else
        data.mapOffsets.push_back(static_cast<std::int32_t>(std::int64_t{data.endAddress} - 4));

    const std::size_t firstMapStart =
        kMapOffsetTableStart + 4 * static_cast<std::size_t>(data.declaredMapCount);
    data.timeUnit = AtLeastOne(t.U8(firstMapStart).value_or(0));
    for (int i = 0; i < data.mapCount; ++i) {
        const auto offset = static_cast<std::uint32_t>(data.mapOffsets[static_cast<std::size_t>(i)]);
        data.mapTimeUnits.push_back(AtLeastOne(t.U8(offset).value_or(0)));
    }

    // Words below the end address, as far as the capacity and the bytes read go.
    const auto end = static_cast<std::uint32_t>(data.endAddress);
    const std::size_t wordCapacity = kMaxTimeMapWords;
    for (std::size_t offset = firstMapStart + 4; offset < end && data.words.size() < wordCapacity;
         offset += 4) {
        const auto word = t.U32(offset);
        if (!word)
            break;
        data.words.push_back(static_cast<std::int32_t>(*word & 0x7FFFFFFF));
    }

    for (int i = 0; i < data.mapCount; ++i)
        data.averageKbps.push_back(AverageKbps(data, i, pgcSeconds));
}

void ifoRunTimeMapPass(ByteSource& source, std::span<const std::int32_t> pgcSeconds, TimeMapData& data,
                       std::ostream& out, std::ostream& err)
{
    std::unique_ptr<TitleSetTables> tables = ifoOpenTables(source, 0, err);
    if (!tables)
        return;
    ifoReadTimeMap(*tables, pgcSeconds, data, out);
    ifoCloseTables(std::move(tables));
}

void ifoRunTimeMapPass(const std::string& path, std::span<const std::int32_t> pgcSeconds, TimeMapData& data,
                       std::ostream& out, std::ostream& err)
{
    std::unique_ptr<ByteSource> file = OpenFileSource(path);
    if (!file)
        return;
    ifoRunTimeMapPass(*file, pgcSeconds, data, out, err);
}

} // namespace ratewise
