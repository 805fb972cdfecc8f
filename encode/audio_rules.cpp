// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/audio_rules.h"

#include <algorithm>
#include <array>

#include "common/string_format.h"

namespace ratewise {
namespace {

// HandBrake's bitrate table; an asked value between two entries goes down to the lower one.
constexpr std::array<int, 24> kHandBrakeKbps{32,  40,  48,  56,  64,  80,  96,  112, 128, 160,  192,  224,
                                             256, 320, 384, 448, 512, 576, 640, 768, 960, 1152, 1344, 1536};
// The AC-3 frame bitrates; ffmpeg takes the one nearest to what it is asked, which may be above.
constexpr std::array<int, 19> kAc3Kbps{32,  40,  48,  56,  64,  80,  96,  112, 128, 160,
                                       192, 224, 256, 320, 384, 448, 512, 576, 640};

template <std::size_t N> int DownToTable(const std::array<int, N>& table, int kbps)
{
    int chosen = table.front();
    for (const int entry : table)
        if (entry <= kbps)
            chosen = entry;
    return chosen;
}

int LowFrequencyChannels(Mixdown mixdown)
{
    return mixdown == Mixdown::FivePointOne ? 1 : 0;
}

} // namespace

Mixdown MixdownFor(int sourceChannels)
{
    return sourceChannels <= 1   ? Mixdown::Mono
           : sourceChannels == 2 ? Mixdown::Stereo
                                 : Mixdown::FivePointOne;
}

const char* MixdownName(Mixdown mixdown)
{
    return mixdown == Mixdown::Mono ? "mono" : mixdown == Mixdown::Stereo ? "stereo" : "5point1";
}

const char* MixdownLabel(Mixdown mixdown)
{
    return mixdown == Mixdown::Mono ? "mono" : mixdown == Mixdown::Stereo ? "stereo" : "5.1";
}

int MixdownChannels(Mixdown mixdown)
{
    return mixdown == Mixdown::Mono ? 1 : mixdown == Mixdown::Stereo ? 2 : 6;
}

int EncodedAudioKbps(Encoder encoder, AudioCodec codec, Mixdown mixdown, int asked, int& low, int& high)
{
    const int channels = MixdownChannels(mixdown);
    const int fullBandwidth = channels - LowFrequencyChannels(mixdown);
    if (encoder == Encoder::HandBrake) {
        // Its limits at 48 kHz, then its table, rounding down.
        const int lowest = codec == AudioCodec::Ac3 ? 224 * fullBandwidth / 5 : channels * 32;
        high = codec == AudioCodec::Ac3 ? 640 : channels * 256;
        low = DownToTable(kHandBrakeKbps, lowest); // what the lowest asked value turns into
        return DownToTable(kHandBrakeKbps, std::clamp(asked, lowest, high));
    }
    if (codec == AudioCodec::Ac3) {
        // Given a value of the table, below or at what was asked, ffmpeg rounds nothing up.
        low = kAc3Kbps.front();
        high = kAc3Kbps.back();
        return DownToTable(kAc3Kbps, std::clamp(asked, low, high));
    }
    low = 1;
    high = 512 * channels; // beyond any AAC that ffmpeg's encoder makes of a DVD's 48 kHz
    return std::clamp(asked, low, high);
}

std::string AudioRuleNote(int audioNumber, Encoder encoder, AudioCodec codec, Mixdown mixdown, int asked,
                          int budgeted, int low, int high)
{
    if (asked == budgeted)
        return {};
    const std::string what = std::string(codec == AudioCodec::Ac3 ? "AC-3 " : "AAC ") + MixdownLabel(mixdown);
    const char* who = encoder == Encoder::HandBrake ? "HandBrake" : "ffmpeg";
    if (asked < low)
        return StringPrintf("audio %d: %s encodes %s at no less than %d kbit/s; %d budgeted", audioNumber,
                            who, what.c_str(), low, budgeted);
    if (asked > high)
        return StringPrintf("audio %d: %s encodes %s at no more than %d kbit/s; %d budgeted", audioNumber,
                            who, what.c_str(), high, budgeted);
    return StringPrintf("audio %d: %s encodes %s at %d kbit/s, not %d (the bitrates it takes step); %d "
                        "budgeted",
                        audioNumber, who, what.c_str(), budgeted, asked, budgeted);
}

} // namespace ratewise
