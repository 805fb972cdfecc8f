// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/stream_attributes.h"

#include <algorithm>
#include <bitset>

#include "ifo/program_chain.h"

namespace ratewise {

namespace {

constexpr std::size_t kAudioCountOffset = 0x202;
constexpr std::size_t kAudioAttributesOffset = 0x204;
constexpr std::size_t kAudioRecordSize = 8;
constexpr std::size_t kSubpictureCountOffset = 0x255;
constexpr std::size_t kSubpictureAttributesOffset = 0x256;
constexpr std::size_t kSubpictureRecordSize = 6;

// Marks every slot whose stream control word in some program chain has its availability bit
// (bit 7 of the word's first byte) set. A control word outside the table marks nothing. Stops
// early once every slot is marked: more PGCs cannot change the count.
template <std::size_t Slots>
std::bitset<Slots> AvailableSlots(const TitleSetInfo* info, std::size_t controlOffset, std::size_t wordSize)
{
    std::bitset<Slots> marked;
    const int pgcCount = ifoGetPGCCount(info);
    for (int i = 0; i < pgcCount && !marked.all(); ++i) {
        const std::optional<BeView> pgc = ifoGetPGC(info, i);
        if (!pgc)
            continue;
        const std::optional<BeView> area = pgc->Sub(controlOffset, wordSize * Slots);
        for (std::size_t j = 0; j < Slots; ++j) {
            const auto first = area ? area->U8(wordSize * j) : pgc->U8(controlOffset + wordSize * j);
            if (first && (*first & 0x80) != 0)
                marked.set(j);
        }
    }
    return marked;
}

} // namespace

std::optional<AudioAttributes> ifoGetAudioAttributes(const TitleSetInfo* info, int k)
{
    if (info == nullptr || k < 0 || k >= kAudioStreamSlots)
        return std::nullopt;
    const auto record = info->header.View().Sub(
        kAudioAttributesOffset + kAudioRecordSize * static_cast<std::size_t>(k), kAudioRecordSize);
    if (!record)
        return std::nullopt;
    const auto b = record->Bytes();
    AudioAttributes audio;
    audio.codingMode = b[0] >> 5;
    audio.channelCount = (b[1] & 7) + 1;
    audio.sampleRateHz = ((b[1] >> 4) & 3) == 1 ? 96000 : 48000;
    audio.language = {b[2], b[3]};
    audio.codeExtension = b[5];
    return audio;
}

std::optional<SubpictureAttributes> ifoGetSubpictureAttributes(const TitleSetInfo* info, int k)
{
    if (info == nullptr || k < 0 || k >= kSubpictureStreamSlots)
        return std::nullopt;
    const auto record = info->header.View().Sub(kSubpictureAttributesOffset +
                                                    kSubpictureRecordSize * static_cast<std::size_t>(k),
                                                kSubpictureRecordSize);
    if (!record)
        return std::nullopt;
    return SubpictureAttributes{{record->Bytes()[2], record->Bytes()[3]}, record->Bytes()[5]};
}

bool IsCommentaryAudio(const AudioAttributes& audio)
{
    return audio.codeExtension == 3 || audio.codeExtension == 4;
}

bool IsCommentarySubpicture(const SubpictureAttributes& subpicture)
{
    return subpicture.codeExtension >= 13 && subpicture.codeExtension <= 15;
}

int ifoCountAudioStreams(const TitleSetInfo* info)
{
    if (info == nullptr || info->header.Empty())
        return 0;
    const auto marked = AvailableSlots<kAudioStreamSlots>(info, kPgcAudioControlOffset, 2);
    const int declared = info->header.View().U16(kAudioCountOffset).value_or(0);
    return std::min(static_cast<int>(marked.count()), declared);
}

int ifoCountSubpictureStreams(const TitleSetInfo* info)
{
    if (info == nullptr || info->header.Empty())
        return 0;
    const auto marked = AvailableSlots<kSubpictureStreamSlots>(info, kPgcSubpictureControlOffset, 4);
    const int declared = info->header.View().U8(kSubpictureCountOffset).value_or(0);
    return std::min(static_cast<int>(marked.count()), declared);
}

} // namespace ratewise
