// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the warning list line by line; the target medium follows from the bitrates alone.
#include "project/vcd_warnings.h"

namespace ratewise {

WarningList RefreshWarnings(const VcdProjectSettings& settings)
{
    WarningList list;
    std::string media = "Standard VCD";
    int count = 1;

    list.lines.push_back("  This wizard is being beta-tested...");
    if (settings.audioKbps != kStandardVcdAudioKbps) {
        list.lines.push_back("  Audio Bitrate for a standard VCD should be 224 Kbit/sec.");
        ++count;
        media = "CVCD";
    }
    if (settings.videoKbps != kStandardVcdVideoKbps) {
        list.lines.push_back("  Video Bitrate for a standard VCD should be 1150 Kbit/sec.");
        ++count;
        media = "CVCD";
    }
    const long long total = static_cast<long long>(settings.audioKbps) + settings.videoKbps;
    if (total > kStandardVcdTotalKbps) {
        list.lines.push_back("  Total bitrate exceeds 1374 Kbits/sec.");
        ++count;
        media = "XVCD";
    }
    // The two 16:9 lines warn about the picture; they leave the target medium as it is.
    if (settings.conversion == kLeaveWideKeepFlag) {
        list.lines.push_back("  AR byte set to 16:9: some players could show a deformed image.");
        ++count;
        list.keep16x9Flag = true;
    }
    if (settings.conversion == kLeaveWideFlagTo4x3) {
        list.lines.push_back("  Deformed image: 16:9 TV required for correct displaying");
        ++count;
    }
    list.lines.push_back("Target media: " + media);
    // The beta-test line alone makes the count at least 1, so the heading is always there.
    if (count > 0)
        list.lines.insert(list.lines.begin(), "Warnings:");
    return list;
}

} // namespace ratewise
