// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the Optimal Split box.
#pragma once

#include <string>
#include <vector>

namespace ratewise {

// "Media 02: 00h:47m:05s Chapters 09-16 Video Bitrate: 1153": every number but the bitrate below 10
// gets one leading "0".
std::string MediaLine(int medium, int durationSeconds, int firstChapter, int lastChapter, int bitrate);

// The line breaks that close the box's text: 24 - (N + 1) of them (none when N is 23 or more).
std::string SplitPadding(int mediaCount);

// The box's text for a split: each media line followed by "\r\n", then the closing breaks.
std::string SplitBoxText(const std::vector<std::string>& mediaLines, int mediaCount);

// The two texts shown instead of a split, each directly followed by the closing breaks.
std::string OnlyOneMediumText(int mediaCount);
std::string TooFewChaptersText(int chapters, int mediaCount);

} // namespace ratewise
