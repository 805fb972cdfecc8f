// SPDX-License-Identifier: GPL-3.0-or-later
// Exact chapter times, the four chapter files, names, and the split handed to the cutting tools.
#include <gtest/gtest.h>

#include "chapters/chapter_forms.h"
#include "chapters/chapter_names.h"
#include "chapters/split_export.h"

namespace ratewise {
namespace {

TEST(ExactTime, CutsNtscFramesAndNeverOverflows)
{
    // 234 NTSC frames are 7.8078 s: mkvmerge writes 00:00:07.807.
    EXPECT_EQ(FrameClockText(234, kNtscFrameRate, 3), "00:00:07.807");
    EXPECT_EQ(FrameClockText(234, kNtscFrameRate, 9), "00:00:07.807800000");
    EXPECT_EQ(FrameClockText(1, kNtscFrameRate, 9), "00:00:00.033366666");
    // 255 hours of NTSC frames in nanoseconds.
    const std::int64_t frames = 255LL * 3600 * 30;
    EXPECT_EQ(FrameTimeIn(frames, kNtscFrameRate, 1000000000), 255LL * 3600 * 1001 * 1000000000 / 1000);
    EXPECT_EQ(FrameClockText(25 * 360000, kPalFrameRate, 0), "100:00:00");
}

TEST(ChapterForms, EscapeNamesAsEachToolReadsThem)
{
    TimedChapters chapters;
    chapters.rate = kNtscFrameRate;
    chapters.starts = {0, 234};
    chapters.end = 300;
    chapters.names = {"a=b;c#d\\e", "x, \"y\" <&>"};
    chapters.language = "jpn";
    EXPECT_EQ(ChapterFormText(chapters, ChapterForm::Ogm),
              "CHAPTER01=00:00:00.000\nCHAPTER01NAME=a=b;c#d\\e\nCHAPTER02=00:00:07.807\n"
              "CHAPTER02NAME=x, \"y\" <&>\n");
    EXPECT_EQ(ChapterFormText(chapters, ChapterForm::FfMetadata),
              ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1001/30000\nSTART=0\nEND=234\ntitle=a\\=b\\;c\\#d\\\\e\n"
              "[CHAPTER]\nTIMEBASE=1001/30000\nSTART=234\nEND=300\ntitle=x, \"y\" <&>\n");
    EXPECT_EQ(ChapterFormText(chapters, ChapterForm::Csv), "1,a=b;c#d\\\\e\n2,x\\, \"y\" <&>\n");
    const std::string xml = ChapterFormText(chapters, ChapterForm::Matroska);
    EXPECT_NE(xml.find("<ChapterString>x, &quot;y&quot; &lt;&amp;&gt;</ChapterString>"), std::string::npos);
    EXPECT_NE(xml.find("<ChapterTimeEnd>00:00:10.010000000</ChapterTimeEnd>"), std::string::npos);
    EXPECT_EQ(xml, ChapterFormText(chapters, ChapterForm::Matroska)); // same chapters, same UIDs
    chapters.names = {"\tlead, end\r", ""}; // HandBrake skips white space at a field's start
    EXPECT_EQ(ChapterFormText(chapters, ChapterForm::Csv), "1,\\\tlead\\, end\\\r\n2,\\ \n");
    EXPECT_FALSE(IsLanguageCode("en"));
    EXPECT_FALSE(IsLanguageCode("ENG"));
    EXPECT_TRUE(IsLanguageCode("und"));
}

TEST(ChapterNames, ReadsUtf8LinesAndRefusesAnythingElse)
{
    std::string why;
    EXPECT_EQ(ParseChapterNames("\xEF\xBB\xBF\xC3\xBC\r\n\ttab\n\nlast", why),
              (std::vector<std::string>{"\xC3\xBC", " tab", "", "last"}));
    for (const char* bad : {"ok\n\xC0\x80", "ok\n\xED\xA0\x80", "ok\n\xF4\x90\x80\x80", "ok\n\xE2\x82"}) {
        EXPECT_EQ(ParseChapterNames(bad, why), std::nullopt);
        EXPECT_EQ(why, "line 2 is not UTF-8 text");
    }
    EXPECT_EQ(ChapterNames(3, {"A", ""}), (std::vector<std::string>{"A", "Chapter 02", "Chapter 03"}));
}

TEST(SplitExport, CutsAtTheSplitsChaptersAndRebasesEachMedium)
{
    SplitPlan plan;
    plan.boundaries = {1, 3, 4};
    // Program chapters at 0, 100, 250 frames and the end at 400; the player knows 0, 250 only.
    const std::optional<SplitCuts> cuts = CutsOf(plan, {0, 100, 250, 400}, kPalFrameRate);
    ASSERT_TRUE(cuts);
    EXPECT_EQ(cuts->mediumStarts, (std::vector<std::int64_t>{0, 250, 400}));
    TimedChapters player;
    player.starts = {0, 250};
    player.end = 400;
    player.names = {"One", "Two"};
    EXPECT_EQ(MkvmergeSplitChapters(*cuts, player), std::vector<int>{2});
    EXPECT_EQ(FfmpegSplitText(*cuts), "-ss 00:00:00.000000 -to 00:00:10.000000\n"
                                      "-ss 00:00:10.000000 -to 00:00:16.000000\n");
    // A cut where the player has no chapter: mkvmerge can only cut by time.
    const SplitCuts inside{kPalFrameRate, {0, 100, 400}};
    EXPECT_EQ(MkvmergeSplitChapters(inside, player), std::nullopt);
    EXPECT_EQ(MkvmergeSplitText(inside, player),
              "--split parts:00:00:00.000000000-00:00:04.000000000,00:00:04.000000000-00:00:16.000000000\n");
    const std::vector<TimedChapters> media = ChaptersPerMedium(inside, player);
    ASSERT_EQ(media.size(), 2u);
    EXPECT_EQ(media[1].starts, (std::vector<std::int64_t>{0, 150}));
    EXPECT_EQ(media[1].end, 300);
    EXPECT_EQ(media[1].names, (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(CutsOf(plan, {0, 100}, kPalFrameRate), std::nullopt);
}

} // namespace
} // namespace ratewise
