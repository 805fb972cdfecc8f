// SPDX-License-Identifier: GPL-3.0-or-later
// Grouping a season's titles over media, against the plain search over every grouping, and what
// --titles and the -o pattern take.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "encode/season_plan.h"
#include "encode/title_list.h"

namespace ratewise {
namespace {

double Spread(const std::vector<double>& seconds, const std::vector<int>& boundaries)
{
    double longest = 0, shortest = 1e300;
    for (std::size_t m = 0; m + 1 < boundaries.size(); ++m) {
        double length = 0;
        for (int i = boundaries[m]; i < boundaries[m + 1]; ++i)
            length += seconds[static_cast<std::size_t>(i)];
        longest = std::max(longest, length);
        shortest = std::min(shortest, length);
    }
    return longest - shortest;
}

// Every way to cut the titles into `media` runs, whole and in order.
double BestSpread(const std::vector<double>& seconds, int media)
{
    double best = 1e300;
    std::vector<int> boundaries{0};
    const std::function<void(int)> cut = [&](int from) {
        if (static_cast<int>(boundaries.size()) == media) {
            boundaries.push_back(static_cast<int>(seconds.size()));
            best = std::min(best, Spread(seconds, boundaries));
            boundaries.pop_back();
            return;
        }
        for (int next = from + 1; next < static_cast<int>(seconds.size()); ++next) {
            boundaries.push_back(next);
            cut(next);
            boundaries.pop_back();
        }
    };
    cut(0);
    return best;
}

TEST(SeasonPlan, GroupsTitlesAsEvenlyAsTheFullSearch)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> length(40.0, 3000.0);
    for (int round = 0; round < 300; ++round) {
        std::vector<double> seconds(2 + random() % 7);
        for (double& s : seconds)
            s = std::round(length(random) * 1000.0) / 1000.0;
        for (int media = 1; media <= std::min<int>(4, static_cast<int>(seconds.size())); ++media) {
            const std::vector<int> groups = GroupTitles(seconds, media);
            ASSERT_EQ(groups.size(), static_cast<std::size_t>(media) + 1);
            EXPECT_EQ(groups.front(), 0);
            EXPECT_EQ(groups.back(), static_cast<int>(seconds.size()));
            EXPECT_TRUE(std::is_sorted(groups.begin(), groups.end()) &&
                        std::adjacent_find(groups.begin(), groups.end()) == groups.end());
            EXPECT_NEAR(Spread(seconds, groups), BestSpread(seconds, media), 0.002) << round << " " << media;
        }
    }
    EXPECT_TRUE(GroupTitles(std::vector<double>{60, 60}, 3).empty());
}

TEST(SeasonPlan, TitleListsAndNamePatterns)
{
    TitleList list;
    std::string why;
    ASSERT_TRUE(ParseTitleList("2,5-7,1", list, why)) << why;
    EXPECT_EQ(list.titles, (std::vector<int>{2, 5, 6, 7, 1}));
    ASSERT_TRUE(ParseTitleList("episodes", list, why));
    EXPECT_TRUE(list.episodes);
    for (const char* bad : {"", "1,", "0", "100", "4-2", "1,1", "1-3,2", "a", "1--2", "episode"})
        EXPECT_FALSE(ParseTitleList(bad, list, why)) << bad;
    EXPECT_EQ(TitleOutputPath("Show S01E{n} (t{title}).mkv", 3, 6, 12), "Show S01E03 (t12).mkv");
    EXPECT_EQ(TitleOutputPath("dir.d/show.mkv", 2, 6, 12), "dir.d/show-2.mkv");
    EXPECT_EQ(TitleOutputPath("show.mkv", 1, 1, 5), "show.mkv");
    EXPECT_EQ(WhyNotOutputPattern("a{n}{title}.mkv"), "");
    EXPECT_NE(WhyNotOutputPattern("a{N}.mkv"), "");
}

} // namespace
} // namespace ratewise
