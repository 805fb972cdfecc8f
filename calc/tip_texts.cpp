// SPDX-License-Identifier: GPL-3.0-or-later
// The medium report and the bitrate suggestion, composed from the calculator's last result.
#include "calc/tip_texts.h"

#include <cstdint>
#include <limits>

#include "common/string_format.h"

namespace ratewise {
namespace {

constexpr const char* kDashes = "----------------------------------------------";

// Truncation toward zero that stays defined for results beyond the integer range.
long long TruncateSaturated(double value)
{
    constexpr double limit = 9.2e18;
    if (value >= limit)
        return std::numeric_limits<long long>::max();
    return static_cast<long long>(value);
}

} // namespace

Rgb TipColourRgb(TipColour colour)
{
    switch (colour) {
    case TipColour::Green:
        return {0, 255, 0};
    case TipColour::Yellow:
        return {255, 255, 0};
    case TipColour::Red:
        return {255, 0, 0};
    }
    return {};
}

std::string_view TipColourName(TipColour colour)
{
    switch (colour) {
    case TipColour::Green:
        return "green";
    case TipColour::Yellow:
        return "yellow";
    case TipColour::Red:
        return "red";
    }
    return "";
}

TipText MediumReport(const CalculatorState& state)
{
    if (state.mediumSizeMb < 0)
        return {"Invalid Media Size", TipColour::Red};
    const long long size = state.mediumSizeMb;
    // (size − 4) × 1024 × 2324/2048 is exactly (size − 4) × 1162: 4 MB are deducted here, not 3.
    return {StringPrintf("CD Size %lld Kbytes \r\nMode1 size for AVI/DVD: %lld Kbytes\nMode2 size for "
                         "(S)VCD: %lld Kbytes",
                         size * 1024, size * 1024, (size - 4) * 1162),
            TipColour::Green};
}

TipText BitrateSuggestion(const CalculatorState& state)
{
    const double video = state.videoKbps;
    if (!(video > 0.0))
        return {"Invalid Bitrate: please check input data.", TipColour::Red};

    const long long audio = (long long)state.audio1Kbps + state.audio2Kbps;
    const long long average = TruncateSaturated(video);
    const bool svcd = state.formatMode == FormatMode::Svcd;
    const long long maximum = svcd ? (audio >= 224 ? 2744 - audio : 2520) : 10000 - audio;
    const double margin = svcd ? 100.0 : 1000.0;
    const char* mode = svcd ? "(S)VCD" : "Avi/DVD";
    const char* name = svcd ? "SVCD" : "DVD";

    std::string text = StringPrintf("%s mode selected.\n%s\n%s Bitrate Suggestion:\n Min Bitrate: 0\n Avg "
                                    "Bitrate: %lld\n Max Bitrate: %lld",
                                    mode, kDashes, name, average, maximum);
    const double max = double(maximum);
    if (max > video && max - video >= margin)
        return {text, TipColour::Green};
    if (max > video)
        return {text + StringPrintf("\n\nHigh avg br:\nConsider encoding at CBR %lld Kbps", average),
                TipColour::Green};
    return {text + StringPrintf("\n\n%s Warning: Avg br greater than max br: encode at CBR %lld Kbps.", name,
                                maximum),
            TipColour::Yellow};
}

} // namespace ratewise
