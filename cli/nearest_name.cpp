// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/nearest_name.h"

#include <algorithm>

#include "common/ascii_case.h"

namespace ratewise::cli {
namespace {

// Levenshtein distance, with a swap of two neighbours counted as one edit.
std::size_t EditDistance(const std::string& a, const std::string& b)
{
    const std::size_t n = b.size();
    std::vector<std::size_t> before(n + 1), previous(n + 1), current(n + 1);
    for (std::size_t j = 0; j <= n; ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= n; ++j) {
            const bool same = AsciiLower(a[i - 1]) == AsciiLower(b[j - 1]);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && AsciiLower(a[i - 1]) == AsciiLower(b[j - 2]) &&
                AsciiLower(a[i - 2]) == AsciiLower(b[j - 1]))
                current[j] = std::min(current[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(current);
    }
    return previous[n];
}

} // namespace

std::string NearestName(const std::string& typed, const std::vector<std::string>& candidates)
{
    // Long words may be off by more letters than short ones.
    const std::size_t allowed = std::max<std::size_t>(2, typed.size() / 3);
    std::string best;
    std::size_t bestDistance = allowed + 1;
    // A start of a name ("chap") means that name when it starts no other.
    std::vector<std::string> started;
    for (const std::string& candidate : candidates) {
        if (typed.size() >= 2 && candidate.size() > typed.size() &&
            SameIgnoringAsciiCase(typed, std::string_view(candidate).substr(0, typed.size())))
            started.push_back(candidate);
    }
    if (started.size() == 1)
        return started.front();
    for (const std::string& candidate : candidates) {
        // The distance is at least the difference in length: a candidate that cannot beat the
        // best so far is not measured (a pasted path of thousands of letters costs nothing).
        const std::size_t lengthGap = typed.size() > candidate.size() ? typed.size() - candidate.size()
                                                                      : candidate.size() - typed.size();
        if (lengthGap >= bestDistance)
            continue;
        const std::size_t distance = EditDistance(typed, candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace ratewise::cli
