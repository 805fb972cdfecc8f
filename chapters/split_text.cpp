// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the Optimal Split box.
#include "chapters/split_text.h"

#include "common/string_format.h"

namespace ratewise {

std::string MediaLine(int medium, int durationSeconds, int firstChapter, int lastChapter, int bitrate)
{
    const int hours = durationSeconds / 3600;
    const int minutes = durationSeconds % 3600 / 60;
    const int seconds = durationSeconds - 3600 * hours - 60 * minutes;
    return "Media " + WithLeadingZero(medium) + ": " + WithLeadingZero(hours) +
           "h:" + WithLeadingZero(minutes) + "m:" + WithLeadingZero(seconds) + "s Chapters " +
           WithLeadingZero(firstChapter) + "-" + WithLeadingZero(lastChapter) +
           StringPrintf(" Video Bitrate: %d", bitrate);
}

std::string SplitPadding(int mediaCount)
{
    std::string text;
    for (long long padding = 23LL - mediaCount; padding > 0; --padding)
        text += "\r\n";
    return text;
}

std::string SplitBoxText(const std::vector<std::string>& mediaLines, int mediaCount)
{
    std::string text;
    for (const std::string& line : mediaLines)
        text += line + "\r\n";
    return text + SplitPadding(mediaCount);
}

std::string OnlyOneMediumText(int mediaCount)
{
    return "Only one media: nothing to split..." + SplitPadding(mediaCount);
}

std::string TooFewChaptersText(int chapters, int mediaCount)
{
    return StringPrintf("You can't split %d chapters into %d parts", chapters, mediaCount) +
           SplitPadding(mediaCount);
}

} // namespace ratewise
