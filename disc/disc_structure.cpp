// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/disc_structure.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "common/dvd_time.h"
#include "ifo/cells.h"
#include "ifo/title_set_info.h"

namespace ratewise {
namespace {

// A cell as the disc stores it: where its pictures lie. Two titles playing the same sectors play
// the same pictures, whatever their program chains call them.
using CellKey = std::pair<std::uint32_t, std::uint32_t>;

struct PlayedTitle {
    DiscTitle* title = nullptr;
    std::vector<CellKey> cells;
};

// A title of more cells than this is compared with no other (real titles hold a few hundred at
// most); its length is still counted. It bounds the work a hostile table can ask for.
constexpr std::size_t kMostComparedCells = 1024;

// The program chains' cells of one set, each decoded once.
class ChainCells
{
public:
    explicit ChainCells(const TitleSetInfo& info) : info_(info) {}
    const std::vector<CellEntry>& Of(int chain)
    {
        auto [found, inserted] = cells_.try_emplace(chain);
        if (inserted)
            found->second = ifoGetCells(&info_, chain - 1).value_or(std::vector<CellEntry>{});
        return found->second;
    }

private:
    const TitleSetInfo& info_;
    std::map<int, std::vector<CellEntry>> cells_;
};

// The cells a title plays: from the program of each of its program chains' first part to the end
// of that chain, first angle only, chains in the order of the parts.
std::vector<CellEntry> TitleCells(ChainCells& chainCells, const TitleParts& parts)
{
    std::vector<CellEntry> played;
    std::set<int> chains;
    for (const PartOfTitle& part : parts) {
        if (!chains.insert(part.programChain).second)
            continue;
        for (const CellEntry& cell : chainCells.Of(part.programChain)) {
            if (InFirstAngle(cell) && cell.program + 1 >= part.program)
                played.push_back(cell);
        }
    }
    return played;
}

bool StartsWith(const std::vector<CellKey>& cells, std::size_t at, const std::vector<CellKey>& part)
{
    return at + part.size() <= cells.size() && std::equal(part.begin(), part.end(), cells.begin() + at);
}

// The titles (from `pieces`) that play `whole` one after another, the fewest first found; empty
// when no such run of two or more exists.
std::vector<int> PlayAllOf(const std::vector<CellKey>& whole, const std::vector<const PlayedTitle*>& pieces)
{
    // from[i]: the piece ending a cover of whole's first i cells (-1: none yet).
    std::vector<int> from(whole.size() + 1, -1);
    std::vector<int> count(whole.size() + 1, 0);
    from[0] = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (from[i] < 0)
            continue;
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const std::vector<CellKey>& part = pieces[k]->cells;
            if (part.empty() || part.size() >= whole.size() || !StartsWith(whole, i, part))
                continue;
            const std::size_t end = i + part.size();
            if (from[end] < 0 || count[i] + 1 < count[end]) {
                from[end] = static_cast<int>(k);
                count[end] = count[i] + 1;
            }
        }
    }
    if (from[whole.size()] < 0 || count[whole.size()] < 2)
        return {};
    std::vector<int> titles;
    for (std::size_t end = whole.size(); end > 0;) {
        const PlayedTitle& piece = *pieces[static_cast<std::size_t>(from[end])];
        titles.push_back(piece.title->number);
        end -= piece.cells.size();
    }
    std::reverse(titles.begin(), titles.end());
    return titles;
}

// Marks the repeats and play-all titles of one set; `played` in title order.
void MarkSet(std::vector<PlayedTitle>& played)
{
    std::map<std::vector<CellKey>, int> first;
    for (PlayedTitle& entry : played) {
        if (entry.cells.empty())
            continue;
        const auto [found, inserted] = first.emplace(entry.cells, entry.title->number);
        if (!inserted)
            entry.title->sameAs = found->second;
    }
    // Shorter titles first: a title made of others is no piece of a longer one.
    std::vector<PlayedTitle*> byLength;
    for (PlayedTitle& entry : played)
        if (!entry.cells.empty() && entry.title->sameAs == 0)
            byLength.push_back(&entry);
    std::stable_sort(byLength.begin(), byLength.end(), [](const PlayedTitle* a, const PlayedTitle* b) {
        return a->cells.size() < b->cells.size();
    });
    std::vector<const PlayedTitle*> pieces;
    for (PlayedTitle* entry : byLength) {
        entry->title->playAll = PlayAllOf(entry->cells, pieces);
        if (entry->title->playAll.empty())
            pieces.push_back(entry);
    }
}

bool IsOwnTitle(const DiscTitle& title)
{
    return !title.missing && title.sameAs == 0 && title.playAll.empty() && title.frameCount > 0;
}

// The episodes of one set: see the header.
std::vector<int> EpisodesOf(const std::vector<PlayedTitle>& played, std::int64_t longestFrames)
{
    std::vector<const PlayedTitle*> candidates;
    for (const PlayedTitle& entry : played)
        if (IsOwnTitle(*entry.title) && entry.title->frameCount * 10 > longestFrames)
            candidates.push_back(&entry);
    // Titles that share pictures are cuts of one film, not episodes.
    std::map<CellKey, int> users;
    for (const PlayedTitle* entry : candidates)
        for (const CellKey& cell : std::set<CellKey>(entry->cells.begin(), entry->cells.end()))
            ++users[cell];
    std::erase_if(candidates, [&](const PlayedTitle* entry) {
        return std::any_of(entry->cells.begin(), entry->cells.end(),
                           [&](const CellKey& cell) { return users[cell] > 1; });
    });
    if (candidates.size() < 2)
        return {};
    std::vector<double> lengths;
    for (const PlayedTitle* entry : candidates)
        lengths.push_back(static_cast<double>(entry->title->frameCount));
    std::sort(lengths.begin(), lengths.end());
    const std::size_t middle = lengths.size() / 2;
    const double median =
        lengths.size() % 2 == 1 ? lengths[middle] : (lengths[middle - 1] + lengths[middle]) / 2.0;
    std::vector<int> episodes;
    for (const PlayedTitle* entry : candidates) {
        const double length = static_cast<double>(entry->title->frameCount);
        if (length >= median * 0.85 && length <= median * 1.15)
            episodes.push_back(entry->title->number);
    }
    return episodes.size() >= 2 ? episodes : std::vector<int>{};
}

} // namespace

void RecogniseStructure(OpenedDisc& disc)
{
    std::map<int, std::vector<PlayedTitle>> bySet;
    for (TitleSetFile& set : disc.titleSets) {
        std::unique_ptr<TitleSetInfo> info = ifoOpen(std::span<const std::uint8_t>(set.bytes));
        if (!info)
            continue;
        const int rate = TimeCodeFramesPerSecond(set.tracks.frameRate == 25);
        ChainCells chainCells(*info);
        for (DiscTitle& title : disc.titles) {
            const auto index = static_cast<std::size_t>(title.titleInSet - 1);
            if (title.missing || title.titleSet != set.number || index >= set.parts.size())
                continue;
            PlayedTitle entry{.title = &title, .cells = {}};
            for (const CellEntry& cell : TitleCells(chainCells, set.parts[index])) {
                // Cells under a second (the black frames that end each title of a commercial
                // disc, which its play-all title replaces by one of its own) tell nothing.
                if (cell.time.hours != 0 || cell.time.minutes != 0 || cell.time.seconds != 0)
                    entry.cells.emplace_back(cell.firstSector, cell.lastSector);
                title.frameCount += PlaybackTimeFrames(cell.time, rate);
            }
            if (entry.cells.size() > kMostComparedCells)
                entry.cells.clear();
            title.durationSeconds = FramesToSeconds(title.frameCount, rate == 25);
            bySet[set.number].push_back(std::move(entry));
        }
    }
    std::int64_t longest = 0;
    for (auto& [number, played] : bySet) {
        MarkSet(played);
        for (const PlayedTitle& entry : played)
            longest = std::max(longest, entry.title->frameCount);
    }
    for (const auto& [number, played] : bySet) {
        std::vector<int> episodes = EpisodesOf(played, longest);
        if (episodes.size() > disc.episodes.size()) {
            disc.episodes = std::move(episodes);
            disc.episodesTitleSet = number;
        }
    }
    std::int64_t mainFrames = 0;
    for (const DiscTitle& title : disc.titles) {
        if (IsOwnTitle(title) && title.frameCount > mainFrames) {
            mainFrames = title.frameCount;
            disc.mainTitle = title.number;
            disc.mainTitleSet = title.titleSet;
        }
    }
}

} // namespace ratewise
