// SPDX-License-Identifier: GPL-3.0-or-later
// The plain search that tries every split, kept as the reference the fast search must match.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace ratewise::test_support {

// The calls a progress bar received, in order: 'B' with its maximum, 'S', 'E'.
struct ProgressCalls {
    std::vector<char> calls;
    int maximum = -1;
    friend bool operator==(const ProgressCalls&, const ProgressCalls&) = default;
};

struct ExhaustiveResult {
    std::vector<int> boundaries; // first chapter of each medium, then C + 1
    std::int64_t spread = -1;
    ProgressCalls progress;
    std::uint64_t candidates = 0;
};

// The longest minus the shortest medium of a split, in whole seconds. `boundaries` holds each
// medium's first chapter and then C + 1; `startSeconds` the C + 1 starts. The true extremes are
// taken, so media longer than 100,000 s compare correctly too. -1 when `boundaries` does not
// describe a split of these chapters.
inline std::int64_t SpreadOf(std::span<const int> boundaries, std::span<const int> startSeconds)
{
    if (boundaries.size() < 2)
        return -1;
    std::int64_t longest = std::numeric_limits<std::int64_t>::min();
    std::int64_t shortest = std::numeric_limits<std::int64_t>::max();
    for (std::size_t m = 0; m + 1 < boundaries.size(); ++m) {
        const int first = boundaries[m];
        const int next = boundaries[m + 1];
        if (first < 1 || next <= first || static_cast<std::size_t>(next) > startSeconds.size())
            return -1;
        const std::int64_t duration = std::int64_t{startSeconds[static_cast<std::size_t>(next) - 1]} -
                                      startSeconds[static_cast<std::size_t>(first) - 1];
        longest = std::max(longest, duration);
        shortest = std::min(shortest, duration);
    }
    return longest - shortest;
}

// Tries every choice of first chapters for media 2 … N in ascending order (medium 2 outermost);
// a candidate wins only with a strictly smaller spread than all before it, so among equals the
// first one stays. No starting best: long tracks have no limit. Steps the bar for each first
// chapter of medium 2 when there are inner media left to place.
inline ExhaustiveResult ExhaustiveSplit(const std::vector<int>& startSeconds, int media)
{
    ExhaustiveResult result;
    const int chapters = static_cast<int>(startSeconds.size()) - 1;
    if (media < 2 || chapters < media)
        return result;

    // cuts[m] is the first chapter of medium m + 1; cuts[media] closes the last medium. The cuts
    // advance like an odometer, so candidates come in ascending order.
    std::vector<int> cuts(static_cast<std::size_t>(media) + 1);
    for (int m = 0; m < media; ++m)
        cuts[m] = m + 1;
    cuts[media] = chapters + 1;
    auto highest = [&](int m) { return chapters - media + m + 1; };

    result.progress.maximum = chapters - media + 1;
    result.progress.calls.push_back('B');
    if (media > 2)
        result.progress.calls.push_back('S');
    for (;;) {
        std::int64_t longest = std::numeric_limits<std::int64_t>::min();
        std::int64_t shortest = std::numeric_limits<std::int64_t>::max();
        for (int m = 0; m < media; ++m) {
            const std::int64_t d = std::int64_t{startSeconds[cuts[m + 1] - 1]} - startSeconds[cuts[m] - 1];
            longest = std::max(longest, d);
            shortest = std::min(shortest, d);
        }
        ++result.candidates;
        if (result.spread < 0 || longest - shortest < result.spread) {
            result.spread = longest - shortest;
            result.boundaries = cuts;
        }

        int m = media - 1;
        while (m >= 1 && cuts[m] == highest(m))
            --m;
        if (m < 1)
            break;
        ++cuts[m];
        for (int k = m + 1; k < media; ++k)
            cuts[k] = cuts[k - 1] + 1;
        // The bar steps each time medium 2 starts at a new chapter, when media remain after it.
        if (m == 1 && media > 2)
            result.progress.calls.push_back('S');
    }
    result.progress.calls.push_back('E');
    return result;
}

} // namespace ratewise::test_support
