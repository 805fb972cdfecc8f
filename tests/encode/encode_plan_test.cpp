// SPDX-License-Identifier: GPL-3.0-or-later
// Encode plans without encoders: shell quoting through a real sh, output names, the figures'
// budget, the commands' shape, a title's playback sectors and timing, scrambled packs and the
// audio bitrate of copied streams.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <numeric>

#include "encode/encode_plan.h"
#include "encode/plan_commands.h"
#include "encode/plan_script.h"
#include "encode/shell_quote.h"
#include "encode/source_audio_rate.h"
#include "encode/title_stream.h"
#include "encode/title_timing.h"

namespace ratewise {
namespace {

std::string RunSh(const std::string& script)
{
    std::string out;
    FILE* pipe = ::popen(("sh -c " + ShellQuote(script)).c_str(), "r");
    std::array<char, 256> buffer{};
    while (pipe && std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe))
        out += buffer.data();
    if (pipe)
        ::pclose(pipe);
    return out;
}

TEST(ShellQuote, EveryWordSurvivesShAsItWas)
{
    const std::vector<std::string> words{"plain/path.mkv", "with space",  "it's", "\"double\"",
                                         "$HOME `x` \\n",  "Île d'été ü", "",     "-o",
                                         "a*b?[c]",        "line\nbreak"};
    std::string expected;
    for (const std::string& word : words)
        expected += "<" + word + ">\n";
    EXPECT_EQ(RunSh("for w in " + ShellWords(words) + "; do printf '<%s>\\n' \"$w\"; done"), expected);
    EXPECT_EQ(ShellQuote("plain-1.mkv"), "plain-1.mkv");
    EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
}

TEST(MediumOutputPath, NumbersMediaBeforeTheExtension)
{
    EXPECT_EQ(MediumOutputPath("film.mkv", 1, 1), "film.mkv");
    EXPECT_EQ(MediumOutputPath("film.mkv", 2, 3), "film-2.mkv");
    EXPECT_EQ(MediumOutputPath("my.dir/film", 1, 2), "my.dir/film-1");
    EXPECT_EQ(MediumOutputPath(".hidden", 3, 4), ".hidden-3");
    EXPECT_EQ(ContainerForOutput("a/B.MP4"), Container::Mp4);
    EXPECT_EQ(ContainerForOutput("a.m4v"), Container::Mp4);
    EXPECT_EQ(ContainerForOutput("a.mkv"), Container::Matroska);
}

MediumShare Share(double seconds, double usableKilobits)
{
    MediumShare share;
    share.firstChapter = 2;
    share.lastChapter = 3;
    share.chapterCount = 4;
    share.seconds = seconds;
    share.usableKilobits = usableKilobits;
    share.chapterStarts = {0.0, seconds / 2};
    return share;
}

TEST(BuildMediumPlan, BitsAskedForFitTheMediumWithOverheadAndMargin)
{
    PlanRequest request;
    request.output = "out dir/film.mp4";
    request.audio = {{0, DvdAudio::Ac3, 128000.0, 128}, {1, DvdAudio::Mpeg1, 96000.0, 96}};
    for (const Encoder encoder : {Encoder::HandBrake, Encoder::Ffmpeg}) {
        request.encoder = encoder;
        const MediumPlan plan = BuildMediumPlan(request, Share(1234.5, 700 * 8192.0), 2, 3);
        EXPECT_EQ(plan.output, "out dir/film-2.mp4");
        EXPECT_DOUBLE_EQ(plan.targetBytes, 700.0 * 1048576);
        const double planned =
            (plan.videoBitsPerSecond + plan.audioBitsPerSecond) * plan.share.seconds / 8 + plan.overheadBytes;
        EXPECT_LT(planned, plan.targetBytes * (1 - plan.toleranceMargin * 0.9));
        EXPECT_GT(planned, plan.targetBytes * (1 - plan.toleranceMargin * 1.1) - 1000);
        ASSERT_FALSE(plan.commands.empty());
    }
    // Nothing left for video: no commands.
    request.audio = {{0, DvdAudio::Ac3, 9e6, 9000}};
    EXPECT_TRUE(BuildMediumPlan(request, Share(100, 100 * 8192.0), 1, 1).commands.empty());
}

TEST(BuildMediumPlan, HandBrakeAndFfmpegCommandsNameChaptersAudioAndPasses)
{
    PlanRequest request;
    request.source = "/discs/My Film";
    request.discTitle = 3;
    request.number = 3;
    request.output = "film.mkv";
    request.encoderPreset = "veryfast";
    request.audio = {{0, DvdAudio::Ac3, 128000.0, 128}, {1, DvdAudio::Mpeg1, 96000.0, 96}};
    const MediumPlan handbrake = BuildMediumPlan(request, Share(600, 350 * 8192.0), 1, 2);
    ASSERT_EQ(handbrake.commands.size(), 1u);
    EXPECT_EQ(ShellWords(handbrake.commands[0].command),
              "HandBrakeCLI -i '/discs/My Film' -t 3 -c 2-3 --markers -f av_mkv -e x264 --encoder-preset "
              "veryfast -b " +
                  std::to_string(static_cast<long long>(handbrake.videoBitsPerSecond / 1000)) +
                  " --two-pass --turbo -a 1,2 -E av_aac,av_aac -B 128,96 -o film-1.mkv");

    request.encoder = Encoder::Ffmpeg;
    request.codec = VideoCodec::X265;
    request.audioCodec = AudioCodec::Copy;
    const MediumPlan ffmpeg = BuildMediumPlan(request, Share(600, 350 * 8192.0), 1, 2);
    ASSERT_EQ(ffmpeg.commands.size(), 2u);
    EXPECT_EQ(ShellWords(ffmpeg.commands[0].feed),
              "ratewise-cli stream '/discs/My Film' --title 3 --chapters 2-3");
    const std::string second = ShellWords(ffmpeg.commands[1].command);
    EXPECT_NE(second.find("-x265-params log-level=error:pass=2:stats=film-1.mkv.passlog"), std::string::npos);
    EXPECT_NE(second.find("-map 0:i:0x80 -c:a:0 copy -map 0:i:0x1C1 -c:a:1 copy"), std::string::npos);
    EXPECT_NE(second.find("-map_chapters 1 film-1.mkv"), std::string::npos);
    ASSERT_TRUE(ffmpeg.chapterFile);
    EXPECT_EQ(ffmpeg.chapterFile->text,
              ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=300000\ntitle=Chapter 2\n"
              "[CHAPTER]\nTIMEBASE=1/1000\nSTART=300000\nEND=600000\ntitle=Chapter 3\n");
    const std::string script = PlanScript(request, {ffmpeg});
    EXPECT_NE(script.find("cat >film-1.mkv.ffmeta <<'RATEWISE_CHAPTERS'\n;FFMETADATA1\n"), std::string::npos);
    EXPECT_NE(script.find("rm -f -- film-1.mkv.passlog film-1.mkv.passlog.cutree film-1.mkv.ffmeta"),
              std::string::npos);
}

CellEntry Cell(std::uint32_t first, std::uint32_t last, std::uint8_t program, std::uint8_t angle,
               PlaybackTime time)
{
    CellEntry cell;
    cell.firstSector = first;
    cell.lastSector = last;
    cell.program = program;
    cell.angle = angle;
    cell.time = time;
    return cell;
}

TEST(TitleCells, PlaybackOrderFirstAngleAndExactTime)
{
    // Chapter 1: one cell; chapter 2: an angle block of two angles, then a cell back in the
    // sectors before (playback order is the table's, not the disc's).
    const std::vector<CellEntry> cells{
        Cell(100, 199, 0, 0x11, {0, 0, 10, 0}), Cell(200, 249, 1, 0x21, {0, 0, 2, 15}),
        Cell(250, 299, 1, 0x22, {0, 0, 2, 15}), Cell(300, 309, 1, 0x11, {0, 0, 1, 0}),
        Cell(0, 99, 2, 0x11, {0, 1, 0, 29})};
    EXPECT_EQ(PlaybackSectors(cells, 1, 3), (std::vector<SectorRange>{{100, 249}, {300, 309}, {0, 99}}));
    EXPECT_EQ(PlaybackSectors(cells, 2, 2), (std::vector<SectorRange>{{200, 249}, {300, 309}}));

    const std::optional<TitleTiming> ntsc = TimingOfCells(cells, false);
    ASSERT_TRUE(ntsc);
    EXPECT_EQ(ntsc->chapterStartFrames, (std::vector<std::int64_t>{0, 300, 405, 2234}));
    const MediumShare share = ShareOfChapters(*ntsc, 2, 3);
    EXPECT_DOUBLE_EQ(share.seconds, (2234 - 300) * 1001.0 / 30000.0);
    EXPECT_DOUBLE_EQ(share.chapterStarts[1], 105 * 1001.0 / 30000.0);
    EXPECT_DOUBLE_EQ(FramesToSeconds(250, true), 10.0);
    EXPECT_FALSE(TimingOfCells({}, true));
}

std::array<std::uint8_t, 2048> Pack(std::uint32_t streamId, std::initializer_list<std::uint8_t> payload,
                                    std::uint8_t flags = 0x81)
{
    std::array<std::uint8_t, 2048> pack{0, 0, 1, 0xBA};
    pack[13] = 0xF8; // no stuffing
    std::size_t at = 14;
    const std::size_t length = 3 + payload.size();
    const std::array<std::uint8_t, 9> header{0,
                                             0,
                                             1,
                                             static_cast<std::uint8_t>(streamId),
                                             static_cast<std::uint8_t>(length >> 8),
                                             static_cast<std::uint8_t>(length),
                                             flags,
                                             0,
                                             0};
    for (const std::uint8_t b : header)
        pack[at++] = b;
    for (const std::uint8_t b : payload)
        pack[at++] = b;
    return pack;
}

TEST(TitlePacks, ScramblingAndAudioBitratesOfCopiedStreams)
{
    EXPECT_FALSE(IsScrambledPack(Pack(0xE0, {})));
    EXPECT_TRUE(IsScrambledPack(Pack(0xE0, {}, 0x81 | 0x10)));
    EXPECT_FALSE(IsScrambledPack(std::array<std::uint8_t, 20>{}));

    // AC-3 substream 0x81 (stream 1), first frame right after the header: 448 kbit/s (code 30).
    const auto ac3 = Pack(0xBD, {0x81, 1, 0, 1, 0x0B, 0x77, 0, 0, 30});
    EXPECT_EQ(AudioBitsPerSecondInPack(ac3, DvdAudio::Ac3, 1), 448000.0);
    EXPECT_EQ(AudioBitsPerSecondInPack(ac3, DvdAudio::Ac3, 0), std::nullopt);
    // MPEG-1 Layer II stream 0 at 224 kbit/s (index 11).
    EXPECT_EQ(AudioBitsPerSecondInPack(Pack(0xC0, {0xFF, 0xFD, 0xB4}), DvdAudio::Mpeg1, 0), 224000.0);
    // LPCM 16 bit, 48 kHz, stereo.
    EXPECT_EQ(AudioBitsPerSecondInPack(Pack(0xBD, {0xA0, 1, 0, 4, 0, 0x01}), DvdAudio::Lpcm, 0), 1536000.0);
    // A PES length beyond the pack finds nothing and reads nothing outside it.
    auto broken = Pack(0xBD, {0x80, 1, 0, 1, 0x0B, 0x77, 0, 0, 30});
    broken[18] = 0xFF;
    EXPECT_EQ(AudioBitsPerSecondInPack(broken, DvdAudio::Ac3, 0), std::nullopt);
}

} // namespace
} // namespace ratewise
