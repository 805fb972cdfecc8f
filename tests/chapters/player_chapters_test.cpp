// SPDX-License-Identifier: GPL-3.0-or-later
// The chapters a player shows, on the real title sets.
#include <gtest/gtest.h>

#include "chapters/chapter_list_builder.h"
#include "chapters/player_chapters.h"
#include "chapters/split_export.h"

namespace ratewise {
namespace {

const std::string kIfo = RATEWISE_FIXTURES_DIR "/ifo/";

TEST(PlayerChapters, PartsOfTheTitleAtExactFrames)
{
    // NTSC: the program at 4.8 s is no part; the part in the last second is one.
    const auto ntsc = ReadPlayerChapters(kIfo + "ntsc_d1_wide_subs16_menu/VTS_01_0.IFO", 0);
    ASSERT_TRUE(ntsc);
    EXPECT_EQ(ntsc->rate, kNtscFrameRate);
    EXPECT_EQ(ntsc->starts, (std::vector<std::int64_t>{0, 234, 396, 594, 936}));
    EXPECT_EQ(ntsc->end, 945);

    const auto pal = ReadPlayerChapters(kIfo + "pal_d1_3audio_cells/VTS_01_0.IFO", 0);
    ASSERT_TRUE(pal);
    EXPECT_EQ(pal->starts, (std::vector<std::int64_t>{0, 255, 750, 1005}));
    EXPECT_EQ(pal->end, 1125);
    EXPECT_EQ(ReadPlayerChapters(kIfo + "pal_d1_3audio_cells/VTS_01_0.IFO", 4), std::nullopt);

    // The program chapters of the described forms keep their own list; their exact starts come
    // from the same cells.
    const auto list =
        BuildChapterList(kIfo + "pal_d1_3audio_cells/VTS_01_0.IFO", 0, 9, PlaybackTime{0, 0, 45, 0});
    ASSERT_TRUE(list);
    EXPECT_EQ(ExactChapterStarts(*list, pal->cellStarts, pal->end),
              (std::vector<std::int64_t>{0, 255, 630, 750, 1005, 1125}));
}

TEST(PlayerChapters, TracksNoTitlePlaysListTheirPrograms)
{
    const auto ntsc = ReadPlayerChapters(kIfo + "ntsc_d1_wide_subs16_menu/VTS_01_0.IFO", 0);
    std::unique_ptr<TitleSetInfo> info = ifoOpen(kIfo + "ntsc_d1_wide_subs16_menu/VTS_01_0.IFO");
    ASSERT_TRUE(info && ntsc);
    const auto programs = BuildPlayerChapters(*info, std::nullopt, 0);
    ASSERT_TRUE(programs);
    EXPECT_EQ(programs->starts, (std::vector<std::int64_t>{0, 144, 234, 396, 594, 936}));
    EXPECT_EQ(programs->end, ntsc->end);
}

} // namespace
} // namespace ratewise
