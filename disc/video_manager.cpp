// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/video_manager.h"

#include <algorithm>
#include <string_view>

#include "common/dvd_time.h"

namespace ratewise {
namespace {

constexpr std::string_view kVideoManagerId = "DVDVIDEO-VMG";
constexpr std::size_t kTitleSetCountField = 0x3E;
constexpr std::size_t kProviderField = 0x40;
constexpr std::size_t kProviderLength = 32;
constexpr std::size_t kTitleTablePointer = 0xC4;
constexpr std::size_t kTitleTableHeader = 8; // title count, reserved, end address
constexpr std::size_t kTitleEntrySize = 12;
constexpr int kMostTitles = 99;
constexpr int kMostTitleSets = 99;

bool IsVideoManager(BeView ifo)
{
    const std::optional<BeView> id = ifo.Sub(0, kVideoManagerId.size());
    return id && std::equal(kVideoManagerId.begin(), kVideoManagerId.end(), id->Bytes().begin());
}

// The provider field as text: stops at the first zero byte, anything unprintable becomes '?'.
std::string ProviderText(BeView ifo)
{
    std::string text;
    for (std::size_t i = 0; i < kProviderLength; ++i) {
        const std::optional<std::uint8_t> byte = ifo.U8(kProviderField + i);
        if (!byte || *byte == 0)
            break;
        text.push_back(*byte >= 0x20 && *byte < 0x7F ? static_cast<char>(*byte) : '?');
    }
    return text;
}

std::optional<std::vector<DiscTitleEntry>> ParseTitleTable(BeView table, int titleSetCount)
{
    const std::optional<std::uint16_t> count = table.U16(0);
    if (!count || *count == 0 || *count > kMostTitles)
        return std::nullopt;
    std::vector<DiscTitleEntry> titles;
    for (std::size_t i = 0; i < *count; ++i) {
        const std::optional<BeView> entry =
            table.Sub(kTitleTableHeader + i * kTitleEntrySize, kTitleEntrySize);
        if (!entry)
            return std::nullopt;
        const DiscTitleEntry title{*entry->U8(1), *entry->U16(2), *entry->U8(6), *entry->U8(7)};
        if (title.titleSet == 0 || title.titleSet > titleSetCount || title.titleInSet == 0)
            return std::nullopt;
        titles.push_back(title);
    }
    return titles;
}

} // namespace

std::optional<VideoManagerInfo> ParseVideoManager(BeView ifo)
{
    if (!IsVideoManager(ifo))
        return std::nullopt;
    const std::optional<std::uint16_t> setCount = ifo.U16(kTitleSetCountField);
    const std::optional<std::uint32_t> tableSector = ifo.U32(kTitleTablePointer);
    if (!setCount || *setCount == 0 || *setCount > kMostTitleSets || !tableSector || *tableSector == 0)
        return std::nullopt;
    // The table is cut at its own end address when that lies inside the file.
    std::optional<BeView> table = ifo.From(std::size_t{*tableSector} * kDvdSectorBytes);
    if (!table)
        return std::nullopt;
    if (const std::optional<std::uint32_t> end = table->U32(4); end && std::size_t{*end} < table->Size())
        table = table->Sub(0, std::size_t{*end} + 1);
    std::optional<std::vector<DiscTitleEntry>> titles = ParseTitleTable(*table, *setCount);
    if (!titles)
        return std::nullopt;
    return VideoManagerInfo{
        .titleSetCount = *setCount, .provider = ProviderText(ifo), .titles = std::move(*titles)};
}

} // namespace ratewise
