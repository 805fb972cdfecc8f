// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/opened_disc.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <span>

#include "common/ascii_case.h"
#include "common/dvd_time.h"
#include "disc/disc_structure.h"
#include "disc/disc_texts.h"
#include "disc/video_manager.h"
#include "ifo/title_set_info.h"

namespace ratewise {
namespace {

constexpr int kMostTitleSets = 99;

// The whole of source in memory, read in steps, so a size claimed by a damaged file system costs
// nothing until the bytes are really there. Nothing on a read error or beyond limit bytes.
std::optional<std::vector<std::uint8_t>> ReadWhole(ByteSource& source, std::size_t limit)
{
    constexpr std::size_t kStep = 64 * 1024;
    std::vector<std::uint8_t> bytes;
    if (!source.Seek(0))
        return std::nullopt;
    for (;;) {
        const std::size_t at = bytes.size();
        if (at > limit)
            return std::nullopt;
        bytes.resize(at + kStep);
        const std::int64_t got = source.Read(std::span(bytes).subspan(at));
        if (got < 0)
            return std::nullopt;
        bytes.resize(at + static_cast<std::size_t>(got));
        if (got == 0)
            break;
    }
    if (bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

// The first of names (stored in any case) that passes check, read whole; else nothing. When a
// file is there but cannot be opened, `openError` gets the system's reason (a permission denied).
template <typename Check>
std::optional<std::pair<std::string, std::vector<std::uint8_t>>>
ReadFirstGood(const DiscFiles& files, const std::vector<std::string>& names, Check check,
              int* openError = nullptr)
{
    for (const std::string& name : names) {
        const std::string stored = files.Find(name);
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

bool AnyPresent(const DiscFiles& files, const std::vector<std::string>& names)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name) { return !files.Find(name).empty(); });
}

// The .IFO of stem, then its .BUP copy.
std::vector<std::string> WithBackup(const std::string& stem)
{
    return {stem + ".IFO", stem + ".BUP"};
}

// A manager given under another name is read first, then its copy of the other extension.
std::vector<std::string> ManagerNames(const std::string& given)
{
    if (given.empty())
        return WithBackup("VIDEO_TS");
    const std::filesystem::path path(given);
    const std::string extension = AsciiLowered(path.extension().string());
    if (extension == ".ifo")
        return {given, path.stem().string() + ".BUP"};
    if (extension == ".bup")
        return {given, path.stem().string() + ".IFO"};
    return {given};
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
    auto found = ReadFirstGood(
        files, WithBackup(TitleSetStem(number)),
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
    const double rate = ShownFrameRate(title.frameRate == 25);
    return ((title.hours * 60.0 + title.minutes) * 60.0 + title.seconds) * 1000.0 +
           title.frames * 1000.0 / rate;
}

void FindLongest(OpenedDisc& disc)
{
    double longest = -1;
    for (const DiscTitle& title : disc.titles) {
        if (title.missing)
            continue;
        if (const double ms = TitleMilliseconds(title); ms > longest) {
            longest = ms;
            disc.longestTitle = title.number;
            disc.longestTitleSet = title.titleSet;
        }
    }
}

// The titles of the set's own part-of-title table, numbered within the set.
void AddTitlesOfSet(OpenedDisc& disc, const TitleSetFile& set)
{
    for (std::size_t i = 0; i < set.parts.size(); ++i) {
        DiscTitle title;
        title.number = static_cast<int>(i + 1);
        title.titleSet = set.number;
        title.titleInSet = static_cast<int>(i + 1);
        title.chapters = static_cast<int>(set.parts[i].size());
        title.angles = 1;
        TimeTitle(set, title);
        disc.titles.push_back(title);
    }
}

// A lone title set lying beside its disc's video manager: its titles take the numbers the disc
// gives them (set 2's first title is disc title 2 when set 1 holds title 1), as players and
// HandBrakeCLI number them. Without a manager, or one that does not list every title of the set,
// they keep the set's own numbers.
void NumberByManagerBeside(OpenedDisc& disc, int setNumber)
{
    std::optional<VideoManagerInfo> manager;
    if (!disc.input.files ||
        !ReadFirstGood(*disc.input.files, ManagerNames({}), [&](const std::vector<std::uint8_t>& bytes) {
            manager = ParseVideoManager(BeView(bytes));
            return manager.has_value();
        }))
        return;
    std::vector<int> numbers;
    for (const DiscTitle& title : disc.titles) {
        const auto entry =
            std::find_if(manager->titles.begin(), manager->titles.end(), [&](const DiscTitleEntry& e) {
                return e.titleSet == setNumber && e.titleInSet == title.titleInSet;
            });
        if (entry == manager->titles.end())
            return;
        numbers.push_back(static_cast<int>(entry - manager->titles.begin()) + 1);
    }
    for (std::size_t i = 0; i < numbers.size(); ++i)
        disc.titles[i].number = numbers[i];
    disc.hasTitleTable = true;
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
    AddTitlesOfSet(disc, set);
    NumberByManagerBeside(disc, set.number);
    disc.titleSets.push_back(std::move(set));
}

// Why a title set could not be read: no file of it, a file that cannot be opened, or damage.
std::string WhyUnread(const DiscFiles& files, int number, int openError)
{
    if (openError != 0)
        return std::string("cannot be read (") + std::strerror(openError) + ")";
    return AnyPresent(files, WithBackup(TitleSetStem(number))) ? "is damaged" : "is missing";
}

// The title table's titles; those of a missing set keep the table's counts only.
void ListTitles(OpenedDisc& disc, const VideoManagerInfo& manager)
{
    for (std::size_t i = 0; i < manager.titles.size(); ++i) {
        const DiscTitleEntry& entry = manager.titles[i];
        DiscTitle title;
        title.number = static_cast<int>(i + 1);
        title.titleSet = entry.titleSet;
        title.titleInSet = entry.titleInSet;
        title.chapters = entry.chapters;
        title.angles = entry.angles;
        if (const TitleSetFile* set = disc.TitleSet(entry.titleSet))
            TimeTitle(*set, title);
        else
            title.missing = true;
        disc.titles.push_back(title);
    }
    for (const MissingTitleSet& missing : disc.missingTitleSets)
        disc.notes.push_back(MissingTitleSetNote(disc, missing));
}

// A title table that names sets of which none can be read: the disc holds nothing to load.
std::string NoneReadable(const OpenedDisc& disc, int firstOpenError)
{
    if (disc.missingTitleSets.size() > 1)
        return "none of the " + std::to_string(disc.missingTitleSets.size()) +
               " title sets of the title table can be read";
    const MissingTitleSet& only = disc.missingTitleSets.front();
    if (firstOpenError != 0)
        return "title set " + std::to_string(only.number) +
               " cannot be read: " + std::strerror(firstOpenError);
    return "title set " + std::to_string(only.number) + " of the title table is missing or damaged";
}

std::string OpenWholeDisc(OpenedDisc& disc)
{
    const DiscFiles& files = *disc.input.files;
    const std::vector<std::string> managerNames = ManagerNames(disc.input.managerName);
    const std::string managerFile = managerNames.front();
    std::optional<VideoManagerInfo> manager;
    int managerError = 0;
    if (ReadFirstGood(
            files, managerNames,
            [&](const std::vector<std::uint8_t>& bytes) {
                manager = ParseVideoManager(BeView(bytes));
                return manager.has_value();
            },
            &managerError)) {
        disc.provider = manager->provider;
        disc.hasTitleTable = true;
    } else if (managerError != 0) {
        return managerFile + " cannot be read: " + std::strerror(managerError);
    } else if (AnyPresent(files, managerNames)) {
        return managerFile + " is damaged and has no good .BUP copy";
    }

    // Without a manager (a backup of one title set, say), every set there is read.
    const int lastSet = manager ? manager->titleSetCount : kMostTitleSets;
    int firstOpenError = 0;
    for (int number = 1; number <= lastSet; ++number) {
        TitleSetFile set;
        const bool named =
            manager && std::any_of(manager->titles.begin(), manager->titles.end(),
                                   [&](const DiscTitleEntry& t) { return t.titleSet == number; });
        int openError = 0;
        if (ReadTitleSet(files, number, set, openError)) {
            disc.titleSets.push_back(std::move(set));
        } else if (named) {
            disc.missingTitleSets.push_back({number, WhyUnread(files, number, openError)});
            if (firstOpenError == 0 && disc.missingTitleSets.size() == 1)
                firstOpenError = openError;
        }
    }
    if (disc.titleSets.empty())
        return manager ? NoneReadable(disc, firstOpenError) : "no readable title set";
    if (manager) {
        ListTitles(disc, *manager);
    } else {
        for (const TitleSetFile& set : disc.titleSets)
            AddTitlesOfSet(disc, set);
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

const MissingTitleSet* OpenedDisc::MissingSet(int number) const
{
    for (const MissingTitleSet& set : missingTitleSets) {
        if (set.number == number)
            return &set;
    }
    return nullptr;
}

bool OpenedDisc::TitlesNumberedBySet() const
{
    return !hasTitleTable && input.kind != DiscKind::TitleSet && !titles.empty();
}

int OpenedDisc::DefaultTitleSet() const
{
    // The main title's set: a play-all title may be longer, but plays what the main title's set
    // holds.
    if (mainTitleSet != 0)
        return mainTitleSet;
    if (longestTitleSet != 0)
        return longestTitleSet;
    return titleSets.empty() ? 0 : titleSets.front().number;
}

const DiscTitle* OpenedDisc::FindTitle(int number, int titleSet) const
{
    for (const DiscTitle& title : titles) {
        if (title.number == number && (titleSet == 0 || title.titleSet == titleSet))
            return &title;
    }
    return nullptr;
}

OpenedDiscResult OpenDisc(const std::string& path)
{
    DiscInputResult resolved = ResolveDiscInput(path);
    if (!resolved.input)
        return {.disc = nullptr, .why = resolved.why};
    auto disc = std::make_shared<OpenedDisc>();
    disc->input = std::move(*resolved.input);
    if (disc->input.kind == DiscKind::TitleSet) {
        OpenLoneTitleSet(*disc);
    } else if (std::string why = OpenWholeDisc(*disc); !why.empty()) {
        return {.disc = nullptr, .why = why};
    }
    FindLongest(*disc);
    RecogniseStructure(*disc);
    return {.disc = disc, .why = {}};
}

} // namespace ratewise
