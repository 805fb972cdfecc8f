// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed choices of the Create VCD Project dialog and the checks on its values.
#include "project/vcd_project_settings.h"

#include <algorithm>

namespace ratewise {

bool IsVcdAudioBitrate(int kbps)
{
    return std::find(kVcdAudioBitrates.begin(), kVcdAudioBitrates.end(), kbps) != kVcdAudioBitrates.end();
}

bool IsVideoKbpsInRange(long long kbps)
{
    return kbps >= kMinVideoKbps && kbps <= kMaxVideoKbps;
}

std::optional<unsigned int> ParseVideoKbpsField(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kMaxVideoKbps)
            return std::nullopt;
    }
    return static_cast<unsigned int>(value);
}

int AudioIndexAtLeast(int calcAudioKbps)
{
    for (std::size_t i = 0; i < kVcdAudioBitrates.size(); ++i) {
        if (kVcdAudioBitrates[i] >= calcAudioKbps)
            return static_cast<int>(i);
    }
    return static_cast<int>(kVcdAudioBitrates.size()) - 1;
}

VcdSource VcdSourceFromVideoAttributes(std::uint8_t firstAttributeByte)
{
    return {.isPal = (firstAttributeByte & 0x30) != 0, .sourceAspect = (firstAttributeByte >> 2) & 0x03};
}

} // namespace ratewise
