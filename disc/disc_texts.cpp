// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/disc_texts.h"

#include <cstdio>
#include <vector>

namespace ratewise {
namespace {

std::string Count(int count, const char* what)
{
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

// "title 9", "titles 9-11", "titles 2, 5-7": increasing runs joined; what would not fit a message
// line is counted instead.
std::string TitleRuns(const std::vector<int>& numbers)
{
    std::string runs;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < numbers.size() && runs.size() < 80; ++i) {
        std::size_t last = i;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1)
            ++last;
        runs += (runs.empty() ? "" : ", ") + std::to_string(numbers[i]);
        if (last > i)
            runs += "-" + std::to_string(numbers[last]);
        shown = last + 1;
        i = last;
    }
    if (shown < numbers.size())
        runs += " and " + std::to_string(numbers.size() - shown) + " more";
    return (numbers.size() == 1 ? "title " : "titles ") + runs;
}

// "title 9 is", "titles 9-11 are".
std::string TitlesText(const std::vector<int>& numbers)
{
    return TitleRuns(numbers) + (numbers.size() == 1 ? " is" : " are");
}

} // namespace

std::string DiscTitleLine(const OpenedDisc& disc, const DiscTitle& title)
{
    if (title.missing)
        return "Title " + std::to_string(title.number) + ": missing, title set " +
               std::to_string(title.titleSet) + ", " + Count(title.chapters, "chapter") + ", " +
               Count(title.angles, "angle");
    char time[48];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d .%02d", title.hours, title.minutes, title.seconds,
                  title.frames);
    // Track 0: the set's tables name no track that plays the title (damaged tables).
    const std::string track =
        title.track >= 1 ? "track " + std::to_string(title.track) : "no track (damaged tables)";
    std::string line = "Title " + std::to_string(title.number) + ": " + time + ", title set " +
                       std::to_string(title.titleSet) + ", " + track + ", " +
                       Count(title.chapters, "chapter") + ", " + Count(title.angles, "angle");
    if (title.number == disc.longestTitle && title.titleSet == disc.longestTitleSet)
        line += " (longest)";
    if (title.number == disc.mainTitle && title.titleSet == disc.mainTitleSet)
        line += " (main title)";
    if (const std::string structure = TitleStructureText(title); !structure.empty())
        line += " (" + structure + ")";
    return line;
}

std::string TitleStructureText(const DiscTitle& title)
{
    if (!title.playAll.empty())
        return "play all: " + TitleRuns(title.playAll);
    if (title.sameAs != 0)
        return "same as title " + std::to_string(title.sameAs);
    return {};
}

std::string EpisodesLine(const OpenedDisc& disc)
{
    if (disc.episodes.empty())
        return {};
    std::string line = "Episodes: " + TitleRuns(disc.episodes);
    if (disc.TitlesNumberedBySet())
        line += " of title set " + std::to_string(disc.episodesTitleSet);
    return line;
}

std::string TitleSetLine(const TitleSetFile& set)
{
    return "Title set " + std::to_string(set.number) + ": " + set.file + ", " +
           Count(set.tracks.TrackCount(), "track") + ", " +
           Count(set.tracks.audioStreamCount, "audio stream") + ", " +
           Count(set.tracks.subpictureStreamCount, "subpicture stream");
}

std::string MissingTitleSetNote(const OpenedDisc& disc, const MissingTitleSet& set)
{
    std::vector<int> skipped;
    for (const DiscTitle& title : disc.titles) {
        if (title.titleSet == set.number)
            skipped.push_back(title.number);
    }
    return "title set " + std::to_string(set.number) + " of the title table " + set.why + "; " +
           TitlesText(skipped) + " skipped";
}

} // namespace ratewise
