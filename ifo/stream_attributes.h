// SPDX-License-Identifier: GPL-3.0-or-later
// Audio and subpicture streams of a title set: the attribute records in the header and the number
// of streams the program chains really use (ifoCountAudioStreams, ifoCountSubpictureStreams).
// The stream reports describe records 0 to count - 1.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "ifo/title_set_info.h"

namespace ratewise {

inline constexpr int kAudioStreamSlots = 8;
inline constexpr int kSubpictureStreamSlots = 32;

struct AudioAttributes {
    int codingMode = 0;                     // byte 0 bits 7-5; name it with audioCodingName
    int channelCount = 1;                   // byte 1 bits 2-0, plus 1
    int sampleRateHz = 48000;               // byte 1 bits 5-4: 0 48 kHz, 1 96 kHz
    std::array<std::uint8_t, 2> language{}; // two code characters; name them with languageName
    int codeExtension = 0;                  // byte 5: 1 normal, 2 visually impaired, 3-4 director's comments
};

struct SubpictureAttributes {
    std::array<std::uint8_t, 2> language{};
    int codeExtension = 0; // byte 5: 1 normal ... 13-15 director's comments
};

// True when the code extension marks a director's or other commentary.
bool IsCommentaryAudio(const AudioAttributes& audio);
bool IsCommentarySubpicture(const SubpictureAttributes& subpicture);

// Record k (0 to 7) of the audio attributes; nothing for a missing info or k outside the slots.
std::optional<AudioAttributes> ifoGetAudioAttributes(const TitleSetInfo* info, int k);
// Record k (0 to 31) of the subpicture attributes.
std::optional<SubpictureAttributes> ifoGetSubpictureAttributes(const TitleSetInfo* info, int k);

// Audio slots that any program chain marks available, capped by the header's stream count.
int ifoCountAudioStreams(const TitleSetInfo* info);
// Subpicture slots that any program chain marks available, capped by the header's count byte.
int ifoCountSubpictureStreams(const TitleSetInfo* info);

} // namespace ratewise
