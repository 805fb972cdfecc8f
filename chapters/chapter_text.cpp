// SPDX-License-Identifier: GPL-3.0-or-later
// The text of the Chapters box.
#include "chapters/chapter_text.h"

#include <algorithm>

namespace ratewise {
namespace {

// The box shows at least this many lines.
constexpr int kMinimumLines = 16;

} // namespace

const std::vector<std::string>& ChapterLines(const ChapterList& chapters, ChapterFormat format)
{
    switch (format) {
    case ChapterFormat::StartFrame:
        return chapters.frameLines;
    case ChapterFormat::StartSecond:
        return chapters.secondLines;
    case ChapterFormat::StartTime:
        break;
    }
    return chapters.timeLines;
}

std::string ChapterText(const ChapterList& chapters, ChapterFormat format)
{
    const std::vector<std::string>& lines = ChapterLines(chapters, format);
    const int shown = std::clamp(chapters.chapterCount, 0, static_cast<int>(lines.size()));
    std::string text;
    for (int i = 0; i < shown; ++i)
        text += lines[static_cast<std::size_t>(i)] + "\r\n";
    for (int i = std::max(chapters.chapterCount, 0); i < kMinimumLines; ++i)
        text += "\r\n";
    return text;
}

} // namespace ratewise
