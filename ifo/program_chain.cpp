// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/program_chain.h"

#include <algorithm>

namespace ratewise {

namespace {

constexpr std::size_t kPgcSearchPointerStart = 0x08;
constexpr std::size_t kPgcSearchPointerSize = 8;
constexpr std::size_t kPgcStartOffsetInPointer = 4;

std::uint8_t FromBcd(std::uint8_t value)
{
    return static_cast<std::uint8_t>((value >> 4) * 10 + (value & 0x0F));
}

} // namespace

std::optional<PlaybackTime> DecodePlaybackTime(BeView bytes, std::size_t offset)
{
    const std::optional<BeView> field = bytes.Sub(offset, 4);
    if (!field)
        return std::nullopt;
    const auto b = field->Bytes();
    return PlaybackTime{FromBcd(b[0]), FromBcd(b[1]), FromBcd(b[2]), FromBcd(b[3] & 0x3F)};
}

int ifoGetPGCCount(const TitleSetInfo* info)
{
    if (info == nullptr)
        return 0;
    const BeView table = info->pgcTable.View();
    const int declared = table.U16(0).value_or(0);
    // A PGC whose search pointer lies outside the table cannot be found, so it is not counted:
    // four hostile bytes cannot make every caller walk 65,535 PGCs that do not exist.
    const std::size_t pointers = table.Size() < kPgcSearchPointerStart
                                     ? 0
                                     : (table.Size() - kPgcSearchPointerStart) / kPgcSearchPointerSize;
    return static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(declared), pointers));
}

std::optional<BeView> ifoGetPGC(const TitleSetInfo* info, int i)
{
    if (i < 0 || i >= ifoGetPGCCount(info))
        return std::nullopt;
    const BeView table = info->pgcTable.View();
    const std::size_t pointer = kPgcSearchPointerStart + kPgcSearchPointerSize * static_cast<std::size_t>(i);
    const std::optional<std::uint32_t> start = table.U32(pointer + kPgcStartOffsetInPointer);
    if (!start)
        return std::nullopt;
    return table.From(*start);
}

int ifoGetPlaybackTime(const TitleSetInfo* info, int i, PlaybackTime* out)
{
    const std::optional<BeView> pgc = ifoGetPGC(info, i);
    if (!pgc)
        return 0;
    const std::optional<std::uint8_t> cellCount = pgc->U8(kPgcCellCountOffset);
    const std::optional<PlaybackTime> time = DecodePlaybackTime(*pgc, kPgcPlaybackTimeOffset);
    if (!cellCount || !time)
        return 0;
    if (out != nullptr)
        *out = *time;
    return *cellCount;
}

} // namespace ratewise
