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
// Start seconds normally never decrease; then the next cuts allowed from a position form a range
// and each reachability test is a lookup. Should a damaged title set give decreasing starts, a
// slower but equally exact path handles them.
#include "chapters/split_search.h"

#include <algorithm>
#include <cstdint>

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
    void AllowedRangesAscending(Window window);
    void AllowedRanksGeneral(Window window);
    bool AnyRankIn(int begin, int end) const;
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
    // Per position, the allowed next cuts: positions [m_first, m_last] when the starts ascend,
    // ranks [m_first, m_last) in start order otherwise.
    std::vector<int> m_first;
    std::vector<int> m_last;
    // The smallest reachable position at or after each position (ascending starts).
    std::vector<int> m_next;
    // Positions ordered by start second (then by position), for decreasing starts.
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
    m_first.assign(positions, 0);
    m_last.assign(positions, 0);
    m_next.assign(positions + 1, 0);
    if (!m_ascending) {
        std::vector<int> order(positions);
        for (int p = 0; p <= m_chapters; ++p)
            order[static_cast<std::size_t>(p)] = p;
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return m_starts[a] < m_starts[b]; });
        m_rank.assign(positions, 0);
        m_sortedStarts.assign(positions, 0);
        for (std::size_t r = 0; r < positions; ++r) {
            m_rank[static_cast<std::size_t>(order[r])] = static_cast<int>(r);
            m_sortedStarts[r] = m_starts[static_cast<std::size_t>(order[r])];
        }
        m_rankBits.assign((positions + 63) / 64, 0);
    }
}

// Ascending starts: from p the next cut may be any q in [first, last], found with two pointers
// because both ends only move forward as p does.
void SplitSearch::AllowedRangesAscending(Window window)
{
    int first = 0;
    int last = 0;
    for (int p = 0; p < m_chapters; ++p) {
        first = std::max(first, p + 1);
        while (first <= m_chapters && m_starts[first] - m_starts[p] < window.lo)
            ++first;
        last = std::max(last, p);
        while (last < m_chapters && m_starts[last + 1] - m_starts[p] <= window.hi)
            ++last;
        m_first[p] = first;
        m_last[p] = last;
    }
}

// Any starts: the next cuts from p are the later positions whose start lies in
// [start + lo, start + hi], a run of ranks [first, last) in start order.
void SplitSearch::AllowedRanksGeneral(Window window)
{
    for (int p = 0; p < m_chapters; ++p) {
        const Seconds start = m_starts[p];
        m_first[p] = static_cast<int>(std::lower_bound(m_sortedStarts.begin(), m_sortedStarts.end(), start + window.lo) -
                                      m_sortedStarts.begin());
        m_last[p] = static_cast<int>(std::upper_bound(m_sortedStarts.begin(), m_sortedStarts.end(), start + window.hi) -
                                     m_sortedStarts.begin());
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

// Fills m_reach for `window` and says whether the whole track can be cut into N media in it.
// Position p can start the k-th medium from the end only when N - k <= p <= C - k: each medium
// needs a chapter, so the rows are only filled there.
bool SplitSearch::Admits(Window window)
{
    std::fill(m_reach.begin(), m_reach.end(), 0);
    m_reach[Index(0, m_chapters)] = 1;
    if (m_ascending)
        AllowedRangesAscending(window);
    else
        AllowedRanksGeneral(window);

    for (int k = 1; k <= m_media; ++k) {
        const int lowest = m_media - k;
        const int highest = m_chapters - k;
        bool any = false;
        if (m_ascending) {
            m_next[static_cast<std::size_t>(m_chapters) + 1] = m_chapters + 1;
            for (int x = m_chapters; x > lowest; --x)
                m_next[x] = Reach(k - 1, x) ? x : m_next[x + 1];
            for (int p = lowest; p <= highest; ++p) {
                const int first = m_first[p];
                if (first <= m_last[p] && m_next[first] <= m_last[p]) {
                    m_reach[Index(k, p)] = 1;
                    any = true;
                }
            }
        } else {
            // Walk back from the end, adding each reachable later position to the rank set
            // before asking whether p reaches one of them.
            std::fill(m_rankBits.begin(), m_rankBits.end(), 0);
            for (int p = m_chapters - 1; p >= lowest; --p) {
                if (Reach(k - 1, p + 1)) {
                    const auto rank = static_cast<unsigned>(m_rank[p + 1]);
                    m_rankBits[rank / 64] |= std::uint64_t{1} << (rank % 64);
                }
                if (p <= highest && AnyRankIn(m_first[p], m_last[p])) {
                    m_reach[Index(k, p)] = 1;
                    any = true;
                }
            }
        }
        if (!any)
            return false;
    }
    return Reach(m_media, 0);
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
    const std::vector<int> evenShare = EvenShareCuts();
    Seconds best = SpreadOfCuts(evenShare);

    // The shortest medium of a best split is at most the average T / N and its longest at least
    // that, both within s* <= best of it: only durations with |N d - T| <= N best can bound one.
    const Seconds total = m_starts[m_chapters] - m_starts[0];
    const Seconds media = m_media;
    std::vector<Seconds> durations;
    for (int i = 0; i < m_chapters; ++i) {
        for (int j = i + 1; j <= m_chapters; ++j) {
            const Seconds d = m_starts[j] - m_starts[i];
            const Seconds miss = d * media - total;
            if (miss <= media * best && -miss <= media * best)
                durations.push_back(d);
        }
    }
    std::sort(durations.begin(), durations.end());
    durations.erase(std::unique(durations.begin(), durations.end()), durations.end());

    // Two pointers: for each lo (ascending) the smallest hi whose window admits a split. That hi
    // never decreases with lo, so `high` only moves forward. Windows wider than the best spread so
    // far cannot hold a best split and are not tested.
    std::vector<Window> admitted;
    std::size_t high = 0;
    while (high < durations.size() && durations[high] * media < total)
        ++high;
    for (std::size_t low = 0; low < durations.size() && durations[low] * media <= total; ++low) {
        const Seconds lo = durations[low];
        while (high < durations.size() && durations[high] - lo <= best) {
            if (Admits({lo, durations[high]})) {
                admitted.push_back({lo, durations[high]});
                best = durations[high] - lo;
                break;
            }
            ++high;
        }
        if (high == durations.size())
            break;
    }

    // The even-share split's own window is among those found whenever it is a best split, so
    // `admitted` always holds a window of spread `best`; it stays the answer only as a guard.
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
