// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/opened_disc.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "disc/video_manager.h"
#include "ifo/title_set_info.h"

namespace ratewise {
namespace {

constexpr int kMostTitleSets = 99;

// The whole file if it passes check; else its .BUP copy if that does; else nothing. When a copy
// is there but cannot be opened, `openError` gets the system's reason (a permission denied).
template <typename Check>
std::optional<std::pair<std::string, std::vector<std::uint8_t>>>
ReadWithBackup(const DiscFiles& files, const std::string& stem, Check check, int* openError = nullptr)
{
    for (const char* extension : {".IFO", ".BUP"}) {
        const std::string stored = files.Find(stem + extension);
        if (stored.empty())
            continue;
        errno = 0;
        std::unique_ptr<ByteSource> source = files.Open(stored);
        if (!source) {
            if (openError && *openError == 0)
                *openError = errno;
            continue;
        }
        std::optional<std::vector<std::uint8_t>> bytes = ReadWhole(*source, kMostInformationFileBytes);
        if (bytes && check(*bytes))
            return std::make_pair(stored, std::move(*bytes));
    }
    return std::nullopt;
}

std::string TitleSetStem(int number)
{
    char stem[24];
    std::snprintf(stem, sizeof stem, "VTS_%02d_0", number);
    return stem;
}

// The set's track list and part-of-title table, read quietly from its bytes as a load reads them.
void ParseTitleSet(TitleSetFile& set)
{
    MemoryByteSource source(set.bytes);
    std::ostream quiet(nullptr);
    set.readable = ifoParse(source, set.file, set.tracks, quiet, quiet);
    if (std::unique_ptr<TitleSetInfo> info = ifoOpen(source)) {
        if (auto parts = ReadPartOfTitleTable(source, info->header.View()))
            set.parts = std::move(*parts);
    }
}

// Reads the set's .IFO, or its .BUP when the .IFO is missing or not a title set. False when
// neither is one.
bool ReadTitleSet(const DiscFiles& files, int number, TitleSetFile& set, int& openError)
{
    auto found = ReadWithBackup(
        files, TitleSetStem(number),
        [](const std::vector<std::uint8_t>& bytes) {
            return ifoOpen(std::span<const std::uint8_t>(bytes)) != nullptr;
        },
        &openError);
    if (!found)
        return false;
    set.number = number;
    set.file = std::move(found->first);
    set.bytes = std::move(found->second);
    ParseTitleSet(set);
    return set.readable;
}

// The running time of the track playing the title's first chapter, as the track list holds it.
void TimeTitle(const TitleSetFile& set, DiscTitle& title)
{
    title.frameRate = set.tracks.frameRate;
    const auto index = static_cast<std::size_t>(title.titleInSet - 1);
    if (index >= set.parts.size() || set.parts[index].empty())
        return;
    // The set's own table is what players walk; the title table's count can disagree with it.
    title.chapters = static_cast<int>(set.parts[index].size());
    const int track = set.parts[index].front().programChain;
    const auto k = static_cast<std::size_t>(track - 1);
    if (track < 1 || k >= set.tracks.hours.size() || set.tracks.hours[k] < 0)
        return;
    title.track = track;
    title.hours = set.tracks.hours[k];
    title.minutes = set.tracks.minutes[k];
    title.seconds = set.tracks.seconds[k];
    title.frames = set.tracks.frames[k];
}

// Milliseconds as players count them (NTSC frames at 29.97 a second), to find the longest title.
double TitleMilliseconds(const DiscTitle& title)
{
    const double rate = title.frameRate == 25 ? 25.0 : 29.97;
    return ((title.hours * 60.0 + title.minutes) * 60.0 + title.seconds) * 1000.0 +
           title.frames * 1000.0 / rate;
}

void FindLongest(OpenedDisc& disc)
{
    double longest = -1;
    for (const DiscTitle& title : disc.titles) {
        if (const double ms = TitleMilliseconds(title); ms > longest) {
            longest = ms;
            disc.longestTitle = title.number;
        }
    }
}

// A lone title set: its titles are those of its own part-of-title table.
void OpenLoneTitleSet(OpenedDisc& disc)
{
    TitleSetFile set;
    set.number = disc.input.titleSetNumber;
    set.file = std::filesystem::path(disc.input.titleSetPath).filename().string();
    if (std::unique_ptr<ByteSource> file = OpenFileSource(disc.input.titleSetPath)) {
        if (auto bytes = ReadWhole(*file, kMostInformationFileBytes)) {
            set.bytes = std::move(*bytes);
            ParseTitleSet(set);
        }
    }
    for (std::size_t i = 0; i < set.parts.size(); ++i) {
        DiscTitle title{static_cast<int>(i + 1), set.number, static_cast<int>(i + 1)};
        title.chapters = static_cast<int>(set.parts[i].size());
        title.angles = 1;
        TimeTitle(set, title);
        disc.titles.push_back(title);
    }
    disc.titleSets.push_back(std::move(set));
}

std::string OpenWholeDisc(OpenedDisc& disc)
{
    const DiscFiles& files = *disc.input.files;
    std::optional<VideoManagerInfo> manager;
    int managerError = 0;
    if (ReadWithBackup(
            files, "VIDEO_TS",
            [&](const std::vector<std::uint8_t>& bytes) {
                manager = ParseVideoManager(BeView(bytes));
                return manager.has_value();
            },
            &managerError)) {
        disc.provider = manager->provider;
        disc.hasTitleTable = true;
    } else if (managerError != 0) {
        return std::string("VIDEO_TS.IFO cannot be read: ") + std::strerror(managerError);
    } else if (!files.Find("VIDEO_TS.IFO").empty() || !files.Find("VIDEO_TS.BUP").empty()) {
        return "VIDEO_TS.IFO is damaged and has no good .BUP copy";
    }

    const int lastSet = manager ? manager->titleSetCount : kMostTitleSets;
    for (int number = 1; number <= lastSet; ++number) {
        TitleSetFile set;
        const bool named =
            manager && std::any_of(manager->titles.begin(), manager->titles.end(),
                                   [&](const DiscTitleEntry& t) { return t.titleSet == number; });
        int openError = 0;
        if (ReadTitleSet(files, number, set, openError))
            disc.titleSets.push_back(std::move(set));
        else if (named && openError != 0)
            return "title set " + std::to_string(number) + " cannot be read: " + std::strerror(openError);
        else if (named)
            return "title set " + std::to_string(number) + " of the title table is missing or damaged";
    }
    if (disc.titleSets.empty())
        return "no readable title set";
    if (!manager)
        return {};
    for (std::size_t i = 0; i < manager->titles.size(); ++i) {
        const DiscTitleEntry& entry = manager->titles[i];
        DiscTitle title{static_cast<int>(i + 1), entry.titleSet, entry.titleInSet};
        title.chapters = entry.chapters;
        title.angles = entry.angles;
        TimeTitle(*disc.TitleSet(entry.titleSet), title);
        disc.titles.push_back(title);
    }
    return {};
}

} // namespace

const TitleSetFile* OpenedDisc::TitleSet(int number) const
{
    for (const TitleSetFile& set : titleSets) {
        if (set.number == number)
            return &set;
    }
    return nullptr;
}

int OpenedDisc::DefaultTitleSet() const
{
    if (longestTitle >= 1 && static_cast<std::size_t>(longestTitle) <= titles.size())
        return titles[static_cast<std::size_t>(longestTitle - 1)].titleSet;
    return titleSets.empty() ? 0 : titleSets.front().number;
}

OpenedDiscResult OpenDisc(const std::string& path)
{
    DiscInputResult resolved = ResolveDiscInput(path);
    if (!resolved.input)
        return {nullptr, resolved.why};
    auto disc = std::make_shared<OpenedDisc>();
    disc->input = std::move(*resolved.input);
    if (disc->input.kind == DiscKind::TitleSet) {
        OpenLoneTitleSet(*disc);
    } else if (std::string why = OpenWholeDisc(*disc); !why.empty()) {
        return {nullptr, why};
    }
    FindLongest(*disc);
    return {disc, {}};
}

} // namespace ratewise
