// SPDX-License-Identifier: GPL-3.0-or-later
// The most even split of chapters over media, found without trying every split.
//
// Trying every split costs binomial(C - 1, N - 1) candidates (about 1.6e11 for 99 chapters on 9
// media). This search returns the same cuts, tie-break included, in a small polynomial time:
//
// - Call a candidate's shortest medium lo and its longest hi; its spread is hi - lo. With s* the
//   smallest spread there is, every best candidate has all its media inside [lo, lo + s*] for its
//   own lo, which is a duration that occurs (the distance between two chapter starts). Conversely,
//   any candidate whose media all fit into some window [lo, lo + s*] has a spread of at most s*,
//   so it is a best one. The best candidates are exactly those that fit some such window.
// - Whether a window [lo, hi] admits a split is a reachability question: working back from the
//   end, the positions from which the rest of the track can be cut into k media whose durations
//   all lie in the window. A wider window admits more, so as lo grows the smallest admissible hi
//   never shrinks, and one pass with two pointers over the occurring durations finds s* and every
//   window [lo, lo + s*] that admits a split.
// - Within one window the first candidate in ascending order is built greedily: from each cut,
//   the smallest next cut from which the remaining media are still reachable. The overall first
//   best candidate is the smallest of these over the windows of spread s*.
//
// Only durations that can bound a best window are tried: within the best spread known so far of
// the average T / N and, with ascending starts, lo no longer than the longest shortest medium any
// split has and hi no shorter than the shortest longest one (both found by bisection with greedy
// splits, which also tighten the best spread known).
//
// Start seconds normally never decrease; then the next cuts allowed from a position form a range,
// each reachability test is a lookup, and only the narrow band of positions that can hold a cut is
// visited. Should a damaged title set give decreasing starts, a slower but equally exact path
// handles them.
#include "chapters/split_search.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace ratewise {
namespace {

using Seconds = std::int64_t;

// The allowed medium durations [lo, hi].
struct Window {
    Seconds lo = 0;
    Seconds hi = 0;
};

class SplitSearch
{
public:
    SplitSearch(std::span<const int> startSeconds, int mediaCount);

    // The cut positions (0-based, N + 1 values from 0 to C) of the first best split.
    std::vector<int> Run();

private:
    bool Admits(Window window);
    bool AdmitsAscending(Window window);
    bool AdmitsGeneral(Window window);
    bool AnyRankIn(int begin, int end) const;
    int FirstAtOrAfter(int from, Seconds time) const;
    int LastAtOrBefore(Seconds time) const;
    bool LongestAtMost(Seconds longest, std::vector<int>& cuts) const;
    bool ShortestAtLeast(Seconds shortest, std::vector<int>& cuts) const;
    std::vector<Seconds> BoundingDurations(Seconds best) const;
    std::vector<int> FirstSplitIn(Window window) const;
    std::vector<int> EvenShareCuts() const;
    Seconds SpreadOfCuts(const std::vector<int>& cuts) const;

    bool Reach(int media, int position) const { return m_reach[Index(media, position)] != 0; }
    std::size_t Index(int media, int position) const
    {
        return static_cast<std::size_t>(media) * static_cast<std::size_t>(m_chapters + 1) +
               static_cast<std::size_t>(position);
    }

    std::vector<Seconds> m_starts; // position p = start of chapter p + 1; position C = the end
    int m_chapters = 0;
    int m_media = 0;
    bool m_ascending = true;

    // m_reach[k][p]: from position p the rest of the track can be cut into k media inside the
    // window last tested.
    std::vector<std::uint8_t> m_reach;
    // The smallest reachable position at or after each position (ascending starts).
    std::vector<int> m_next;
    // For starts that go backwards: per position the ranks [m_firstRank, m_endRank) of the
    // allowed next cuts in the order of positions sorted by start second (then by position).
    std::vector<int> m_firstRank;
    std::vector<int> m_endRank;
    std::vector<Seconds> m_sortedStarts;
    std::vector<int> m_rank;
    std::vector<std::uint64_t> m_rankBits;
};

SplitSearch::SplitSearch(std::span<const int> startSeconds, int mediaCount)
    : m_starts(startSeconds.begin(), startSeconds.end()),
      m_chapters(static_cast<int>(startSeconds.size()) - 1), m_media(mediaCount)
{
    for (int p = 0; p < m_chapters; ++p)
        m_ascending = m_ascending && m_starts[p] <= m_starts[p + 1];

    const auto positions = static_cast<std::size_t>(m_chapters + 1);
    m_reach.assign(static_cast<std::size_t>(m_media + 1) * positions, 0);
    m_next.assign(positions + 1, 0);
    if (!m_ascending) {
        m_firstRank.assign(positions, 0);
        m_endRank.assign(positions, 0);
        std::vector<int> order(positions);
        for (int p = 0; p <= m_chapters; ++p)
            order[static_cast<std::size_t>(p)] = p;
        std::stable_sort(order.begin(), order.end(),
                         [this](int a, int b) { return m_starts[a] < m_starts[b]; });
        m_rank.assign(positions, 0);
        m_sortedStarts.assign(positions, 0);
        for (std::size_t r = 0; r < positions; ++r) {
            m_rank[static_cast<std::size_t>(order[r])] = static_cast<int>(r);
            m_sortedStarts[r] = m_starts[static_cast<std::size_t>(order[r])];
        }
        m_rankBits.assign((positions + 63) / 64, 0);
    }
}

bool SplitSearch::AnyRankIn(int begin, int end) const
{
    if (begin >= end)
        return false;
    const auto firstWord = static_cast<std::size_t>(begin) / 64;
    const auto lastWord = static_cast<std::size_t>(end - 1) / 64;
    const std::uint64_t headMask = ~std::uint64_t{0} << (static_cast<unsigned>(begin) % 64);
    const std::uint64_t tailMask = ~std::uint64_t{0} >> (63 - static_cast<unsigned>(end - 1) % 64);
    if (firstWord == lastWord)
        return (m_rankBits[firstWord] & headMask & tailMask) != 0;
    if ((m_rankBits[firstWord] & headMask) != 0 || (m_rankBits[lastWord] & tailMask) != 0)
        return true;
    for (std::size_t word = firstWord + 1; word < lastWord; ++word) {
        if (m_rankBits[word] != 0)
            return true;
    }
    return false;
}

// The first position at or after `from` whose start is at least `time` (C + 1 when none).
int SplitSearch::FirstAtOrAfter(int from, Seconds time) const
{
    return static_cast<int>(std::lower_bound(m_starts.begin() + from, m_starts.end(), time) -
                            m_starts.begin());
}

// The last position whose start is at most `time` (-1 when none).
int SplitSearch::LastAtOrBefore(Seconds time) const
{
    return static_cast<int>(std::upper_bound(m_starts.begin(), m_starts.end(), time) - m_starts.begin()) - 1;
}

// Fills m_reach for `window` and says whether the whole track can be cut into N media in it.
bool SplitSearch::Admits(Window window)
{
    std::fill(m_reach.begin(), m_reach.end(), 0);
    m_reach[Index(0, m_chapters)] = 1;
    return m_ascending ? AdmitsAscending(window) : AdmitsGeneral(window);
}

// Ascending starts. Position p can start the k-th medium from the end of a split in the window
// only when the k media after it and the N - k before it both fit: its start lies in a band
// [t0 + (N - k) lo, t0 + (N - k) hi] ∩ [tC - k hi, tC - k lo], a few chapters wide. Only the band
// is filled; any position on a split in the window lies in it, so the answer and the first split
// stay the same. From p the allowed next cuts are a range [first, last] whose ends only move
// forward with p, and a table of the next reachable position answers each p with one lookup.
bool SplitSearch::AdmitsAscending(Window window)
{
    const Seconds begin = m_starts[0];
    const Seconds end = m_starts[static_cast<std::size_t>(m_chapters)];
    int reachLow = m_chapters; // the reachable positions of the row before lie in here
    int reachHigh = m_chapters;
    for (int k = 1; k <= m_media; ++k) {
        const Seconds before = m_media - k;
        const int low = std::max(
            m_media - k, FirstAtOrAfter(0, std::max(begin + before * window.lo, end - k * window.hi)));
        const int high = std::min(m_chapters - k,
                                  LastAtOrBefore(std::min(begin + before * window.hi, end - k * window.lo)));
        if (low > high)
            return false;

        m_next[static_cast<std::size_t>(reachHigh) + 1] = m_chapters + 1;
        for (int x = reachHigh; x >= reachLow; --x)
            m_next[x] = Reach(k - 1, x) ? x : m_next[x + 1];

        int first = FirstAtOrAfter(low + 1, m_starts[low] + window.lo);
        int last = LastAtOrBefore(m_starts[low] + window.hi);
        int newLow = m_chapters + 1;
        int newHigh = -1;
        for (int p = low; p <= high; ++p) {
            first = std::max(first, p + 1);
            while (first <= m_chapters && m_starts[first] - m_starts[p] < window.lo)
                ++first;
            while (last < m_chapters && m_starts[last + 1] - m_starts[p] <= window.hi)
                ++last;
            const int from = std::max(first, reachLow);
            const int to = std::min(last, reachHigh);
            if (from <= to && m_next[from] <= to) {
                m_reach[Index(k, p)] = 1;
                newLow = std::min(newLow, p);
                newHigh = p;
            }
        }
        if (newHigh < 0)
            return false;
        reachLow = newLow;
        reachHigh = newHigh;
    }
    return Reach(m_media, 0);
}

// Starts that go backwards: the next cuts from p are the later positions whose start lies in
// [start + lo, start + hi], a run of ranks in start order. Walking back from the end, each
// reachable later position joins a rank set before p asks whether its run holds one of them.
bool SplitSearch::AdmitsGeneral(Window window)
{
    for (int p = 0; p < m_chapters; ++p) {
        const Seconds start = m_starts[p];
        m_firstRank[p] = static_cast<int>(
            std::lower_bound(m_sortedStarts.begin(), m_sortedStarts.end(), start + window.lo) -
            m_sortedStarts.begin());
        m_endRank[p] = static_cast<int>(
            std::upper_bound(m_sortedStarts.begin(), m_sortedStarts.end(), start + window.hi) -
            m_sortedStarts.begin());
    }
    for (int k = 1; k <= m_media; ++k) {
        const int lowest = m_media - k;
        const int highest = m_chapters - k;
        bool any = false;
        std::fill(m_rankBits.begin(), m_rankBits.end(), 0);
        for (int p = m_chapters - 1; p >= lowest; --p) {
            if (Reach(k - 1, p + 1)) {
                const auto rank = static_cast<unsigned>(m_rank[p + 1]);
                m_rankBits[rank / 64] |= std::uint64_t{1} << (rank % 64);
            }
            if (p <= highest && AnyRankIn(m_firstRank[p], m_endRank[p])) {
                m_reach[Index(k, p)] = 1;
                any = true;
            }
        }
        if (!any)
            return false;
    }
    return Reach(m_media, 0);
}

// Ascending starts: can the track be cut into N media none longer than `longest`? Each medium
// takes as much as allowed while leaving a chapter for every medium after it. If any split fits,
// this one does: its cuts never fall behind those of a split with the fewest media, and a cut
// held back for the media after it leaves them one chapter each, which fits too.
bool SplitSearch::LongestAtMost(Seconds longest, std::vector<int>& cuts) const
{
    cuts.assign(1, 0);
    int next = 0;
    for (int medium = 1; medium <= m_media; ++medium) {
        const int position = cuts.back();
        const int limit = m_chapters - (m_media - medium);
        next = std::max(next, position);
        while (next < limit && m_starts[next + 1] - m_starts[position] <= longest)
            ++next;
        if (next == position || (medium == m_media && next != m_chapters))
            return false;
        cuts.push_back(next);
    }
    return true;
}

// Ascending starts: can the track be cut into N media none shorter than `shortest`? Each medium
// but the last as short as allowed, the last takes the rest: this makes the most media there can
// be, so if any split fits, this one does.
bool SplitSearch::ShortestAtLeast(Seconds shortest, std::vector<int>& cuts) const
{
    cuts.assign(1, 0);
    int next = 0;
    for (int medium = 1; medium < m_media; ++medium) {
        const int position = cuts.back();
        next = std::max(next, position + 1);
        while (next <= m_chapters && m_starts[next] - m_starts[position] < shortest)
            ++next;
        if (next >= m_chapters)
            return false;
        cuts.push_back(next);
    }
    cuts.push_back(m_chapters);
    return m_starts[m_chapters] - m_starts[cuts[cuts.size() - 2]] >= shortest;
}

// The sorted distinct durations that can bound a best split: its shortest medium is at most the
// average T / N and its longest at least that, both within the best spread so far of it.
std::vector<Seconds> SplitSearch::BoundingDurations(Seconds best) const
{
    const Seconds total = m_starts[static_cast<std::size_t>(m_chapters)] - m_starts[0];
    const Seconds media = m_media;
    auto tooShort = [&](Seconds d) { return d * media - total < -media * best; };
    auto tooLong = [&](Seconds d) { return d * media - total > media * best; };
    std::vector<Seconds> durations;
    for (int i = 0; i < m_chapters; ++i) {
        int j = i + 1;
        if (m_ascending) {
            // Durations from i grow with j: skip the short ones at once, stop at the first long one.
            j = static_cast<int>(std::partition_point(m_starts.begin() + j, m_starts.end(),
                                                      [&](Seconds t) { return tooShort(t - m_starts[i]); }) -
                                 m_starts.begin());
        }
        for (; j <= m_chapters; ++j) {
            const Seconds d = m_starts[j] - m_starts[i];
            if (m_ascending && tooLong(d))
                break;
            if (!tooShort(d) && !tooLong(d))
                durations.push_back(d);
        }
    }
    std::sort(durations.begin(), durations.end());
    durations.erase(std::unique(durations.begin(), durations.end()), durations.end());
    return durations;
}

// The first split in ascending order inside `window`; m_reach must hold that window's rows.
std::vector<int> SplitSearch::FirstSplitIn(Window window) const
{
    std::vector<int> cuts{0};
    int position = 0;
    for (int medium = 1; medium < m_media; ++medium) {
        const int remaining = m_media - medium;
        int next = position + 1;
        while (next <= m_chapters - remaining) {
            const Seconds duration = m_starts[next] - m_starts[position];
            if (Reach(remaining, next) && duration >= window.lo && duration <= window.hi)
                break;
            ++next;
        }
        cuts.push_back(next);
        position = next;
    }
    cuts.push_back(m_chapters);
    return cuts;
}

// A reasonable split to bound the search: each cut as near to its even share of the running time
// as the chapters allow.
std::vector<int> SplitSearch::EvenShareCuts() const
{
    const Seconds total = m_starts[m_chapters] - m_starts[0];
    std::vector<int> cuts{0};
    for (int medium = 1; medium < m_media; ++medium) {
        const Seconds target = total * medium;
        int best = cuts.back() + 1;
        Seconds bestMiss = -1;
        for (int q = cuts.back() + 1; q <= m_chapters - (m_media - medium); ++q) {
            const Seconds reached = (m_starts[q] - m_starts[0]) * m_media;
            const Seconds miss = reached > target ? reached - target : target - reached;
            if (bestMiss < 0 || miss < bestMiss) {
                best = q;
                bestMiss = miss;
            }
        }
        cuts.push_back(best);
    }
    cuts.push_back(m_chapters);
    return cuts;
}

Seconds SplitSearch::SpreadOfCuts(const std::vector<int>& cuts) const
{
    Seconds longest = m_starts[cuts[1]] - m_starts[cuts[0]];
    Seconds shortest = longest;
    for (std::size_t m = 1; m + 1 < cuts.size(); ++m) {
        const Seconds duration = m_starts[cuts[m + 1]] - m_starts[cuts[m]];
        longest = std::max(longest, duration);
        shortest = std::min(shortest, duration);
    }
    return longest - shortest;
}

std::vector<int> SplitSearch::Run()
{
    const Seconds total = m_starts[static_cast<std::size_t>(m_chapters)] - m_starts[0];
    const Seconds media = m_media;
    const std::vector<int> evenShare = EvenShareCuts();
    Seconds best = SpreadOfCuts(evenShare);

    // lo runs over durations up to the average T / N, hi over those from it up. With ascending
    // starts both narrow further: no split has a longest medium shorter than `leastLongest` or a
    // shortest one longer than `mostShortest`, both found by bisection between the even-share
    // split's extremes and the average. The two splits that reach them bound the spread too.
    Seconds leastLongest = std::numeric_limits<Seconds>::min();
    Seconds mostShortest = std::numeric_limits<Seconds>::max();
    if (m_ascending) {
        std::vector<int> cuts;
        Seconds shortest = m_starts[evenShare[1]] - m_starts[0];
        Seconds longest = shortest;
        for (std::size_t m = 1; m + 1 < evenShare.size(); ++m) {
            shortest = std::min(shortest, m_starts[evenShare[m + 1]] - m_starts[evenShare[m]]);
            longest = std::max(longest, m_starts[evenShare[m + 1]] - m_starts[evenShare[m]]);
        }
        Seconds fails = total / media - 1; // below the average: no split has its longest there
        while (longest - fails > 1) {
            const Seconds middle = fails + (longest - fails) / 2;
            (LongestAtMost(middle, cuts) ? longest : fails) = middle;
        }
        leastLongest = longest;
        if (LongestAtMost(longest, cuts))
            best = std::min(best, SpreadOfCuts(cuts));
        Seconds passes = shortest;
        Seconds failsAbove = total / media + 1; // above the average: no split has its shortest there
        while (failsAbove - passes > 1) {
            const Seconds middle = passes + (failsAbove - passes) / 2;
            (ShortestAtLeast(middle, cuts) ? passes : failsAbove) = middle;
        }
        mostShortest = passes;
        if (ShortestAtLeast(passes, cuts))
            best = std::min(best, SpreadOfCuts(cuts));
    }

    const std::vector<Seconds> durations = BoundingDurations(best);
    std::size_t high = static_cast<std::size_t>(
        std::partition_point(durations.begin(), durations.end(),
                             [&](Seconds d) { return d * media < total || d < leastLongest; }) -
        durations.begin());
    const std::size_t lowEnd = static_cast<std::size_t>(
        std::partition_point(durations.begin(), durations.end(),
                             [&](Seconds d) { return d * media <= total && d <= mostShortest; }) -
        durations.begin());

    // Two pointers: for each lo (ascending) the smallest hi whose window admits a split. That hi
    // never decreases with lo, so `high` only moves forward. Windows wider than the best spread so
    // far cannot hold a best split and are not tested.
    std::vector<Window> admitted;
    for (std::size_t low = 0; low < lowEnd && high < durations.size(); ++low) {
        const Seconds lo = durations[low];
        while (high < durations.size() && durations[high] - lo <= best) {
            if (Admits({lo, durations[high]})) {
                admitted.push_back({lo, durations[high]});
                best = durations[high] - lo;
                break;
            }
            ++high;
        }
    }

    // The even-share split's own window is among those found whenever it is a best split, so
    // `admitted` always holds a window of spread `best`; the even-share split is only a guard.
    std::vector<int> first;
    for (const Window& window : admitted) {
        if (window.hi - window.lo != best || !Admits(window))
            continue;
        std::vector<int> cuts = FirstSplitIn(window);
        if (first.empty() || cuts < first)
            first = std::move(cuts);
    }
    return first.empty() ? evenShare : first;
}

} // namespace

std::vector<int> SearchSplit(std::span<const int> startSeconds, int mediaCount)
{
    if (startSeconds.empty())
        return {};
    const int chapters = static_cast<int>(startSeconds.size()) - 1;
    if (mediaCount < 1 || mediaCount > chapters)
        return {};
    std::vector<int> boundaries;
    if (mediaCount == 1) {
        boundaries = {0, chapters};
    } else {
        SplitSearch search(startSeconds, mediaCount);
        boundaries = search.Run();
    }
    for (int& cut : boundaries)
        ++cut; // positions count from 0, chapters from 1
    return boundaries;
}

} // namespace ratewise
