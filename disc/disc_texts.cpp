// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/disc_texts.h"

#include <cstdio>

namespace ratewise {
namespace {

std::string Count(int count, const char* what)
{
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

} // namespace

std::string DiscTitleLine(const OpenedDisc& disc, const DiscTitle& title)
{
    char time[48];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d .%02d", title.hours, title.minutes, title.seconds,
                  title.frames);
    // Track 0: the set's tables name no track that plays the title (damaged tables).
    const std::string track =
        title.track >= 1 ? "track " + std::to_string(title.track) : "no track (damaged tables)";
    std::string line = "Title " + std::to_string(title.number) + ": " + time + ", title set " +
                       std::to_string(title.titleSet) + ", " + track + ", " +
                       Count(title.chapters, "chapter") + ", " + Count(title.angles, "angle");
    if (title.number == disc.longestTitle)
        line += " (longest)";
    return line;
}

std::string TitleSetLine(const TitleSetFile& set)
{
    return "Title set " + std::to_string(set.number) + ": " + set.file + ", " +
           Count(set.tracks.TrackCount(), "track") + ", " +
           Count(set.tracks.audioStreamCount, "audio stream") + ", " +
           Count(set.tracks.subpictureStreamCount, "subpicture stream");
}

} // namespace ratewise
