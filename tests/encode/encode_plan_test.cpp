// SPDX-License-Identifier: GPL-3.0-or-later
// Encode plans without encoders: shell quoting through a real sh, output names, the figures'
// budget, the commands' shape, a title's playback sectors and timing, scrambled packs, the bytes
// of copied streams, the encoders' audio rules and the stream lists.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <numeric>

#include "encode/audio_rules.h"
#include "encode/encode_plan.h"
#include "encode/language_codes.h"
#include "encode/plan_commands.h"
#include "encode/plan_script.h"
#include "encode/shell_quote.h"
#include "encode/stream_bytes.h"
#include "encode/stream_choice.h"
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
    share.chapters.starts = {0, static_cast<std::int64_t>(seconds * 25 / 2)};
    share.chapters.end = static_cast<std::int64_t>(seconds * 25);
    share.chapters.names = {"Chapter 02", "Chapter 03"};
    share.startFrame = 1000;
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
        const double planned = (plan.videoBitsPerSecond + plan.audioBitsPerSecond) * plan.share.seconds / 8 +
                               plan.overheadBytes + plan.audioMarginBytes;
        // AAC is held back a little for its rate control; the two streams each get framing.
        EXPECT_NEAR(plan.audioMarginBytes, (128000 + 96000) * kAacToleranceMargin * 1234.5 / 8, 2);
        EXPECT_GT(plan.overhead.bytesPerSecond, OverheadOf(plan.container, request.codec).bytesPerSecond);
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
              "HandBrakeCLI -i '/discs/My Film' -t 3 --start-at frames:1000 --stop-at frames:15000 --markers "
              "-f av_mkv -e x264 --encoder-preset "
              "veryfast -b " +
                  std::to_string(static_cast<long long>(handbrake.videoBitsPerSecond / 1000)) +
                  " --two-pass --turbo -a 1,2 -E av_aac,av_aac -B 128,96 -6 stereo,stereo -o film-1.mkv");

    request.encoder = Encoder::Ffmpeg;
    request.codec = VideoCodec::X265;
    for (AudioTrack& track : request.audio)
        track.codec = AudioCodec::Copy;
    const MediumPlan ffmpeg = BuildMediumPlan(request, Share(600, 350 * 8192.0), 1, 2);
    ASSERT_EQ(ffmpeg.commands.size(), 2u);
    EXPECT_EQ(ShellWords(ffmpeg.commands[0].feed),
              "ratewise-cli stream '/discs/My Film' --title 3 --chapters 2-3");
    const std::string second = ShellWords(ffmpeg.commands[1].command);
    EXPECT_NE(second.find("-x265-params log-level=error:pass=2:stats=film-1.mkv.passlog"), std::string::npos);
    EXPECT_NE(
        second.find("-map 0:i:0x80 -c:a:0 copy -metadata:s:a:0 language=und -map 0:i:0x1C1 -c:a:1 copy"),
        std::string::npos);
    // A keyframe at chapter 3, half a frame early; the chapters' names kept.
    EXPECT_NE(second.find("-force_key_frames 299.980000 "), std::string::npos);
    EXPECT_NE(second.find("-map_metadata:g -1 -map_chapters 1 film-1.mkv"), std::string::npos);
    ASSERT_TRUE(ffmpeg.chapterFile);
    EXPECT_EQ(ffmpeg.chapterFile->text,
              ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/25\nSTART=0\nEND=7500\ntitle=Chapter 02\n"
              "[CHAPTER]\nTIMEBASE=1/25\nSTART=7500\nEND=15000\ntitle=Chapter 03\n");
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
    // A medium's chapter file keeps the title's numbering: unnamed chapter 2 is "Chapter 02".
    const MediumShare named = ShareOfChapters(*ntsc, 2, 3, {"Opening", "", "Credits"}, "fra");
    EXPECT_EQ(named.chapters.names, (std::vector<std::string>{"Chapter 02", "Credits"}));
    EXPECT_EQ(named.chapters.starts, (std::vector<std::int64_t>{0, 105}));
    EXPECT_EQ(named.chapters.end, 2234 - 300);
    EXPECT_EQ(named.chapters.rate, kNtscFrameRate);
    EXPECT_EQ(named.chapters.language, "fra");
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

    // Each stream's payload without its substream header: AC-3 4 bytes, LPCM 7, subpictures 1,
    // MPEG audio none.
    StreamBytes bytes;
    CountPackStreamBytes(Pack(0xBD, {0x81, 1, 0, 1, 0x0B, 0x77, 0, 0, 30}), bytes);
    CountPackStreamBytes(Pack(0xBD, {0x81, 1, 0, 1, 9}), bytes);
    CountPackStreamBytes(Pack(0xC0, {0xFF, 0xFD, 0xB4}), bytes);
    CountPackStreamBytes(Pack(0xBD, {0xA0, 1, 0, 4, 0, 0x01, 0x80, 1, 2}), bytes);
    CountPackStreamBytes(Pack(0xBD, {0x21, 5, 6}), bytes);
    CountPackStreamBytes(Pack(0xE0, {1, 2, 3}), bytes);
    EXPECT_EQ(bytes, (StreamBytes{{0x81, 6}, {0x1C0, 3}, {0xA0, 2}, {0x21, 2}}));
    EXPECT_EQ(AudioStreamKey(DvdAudio::Mpeg2, 1), 0x1C1);
    // A PES length beyond the pack counts nothing and reads nothing outside it.
    auto broken = Pack(0xBD, {0x80, 1, 0, 1, 0x0B, 0x77, 0, 0, 30});
    broken[18] = 0xFF;
    StreamBytes none;
    CountPackStreamBytes(broken, none);
    EXPECT_TRUE(none.empty());
}

TEST(AudioRules, TheBitrateTheEncoderReallyUses)
{
    const struct {
        Encoder encoder;
        AudioCodec codec;
        int channels;
        int asked;
        int used;
    } cases[] = {
        {Encoder::HandBrake, AudioCodec::Aac, 6, 128, 192}, // at least 32 a channel
        {Encoder::HandBrake, AudioCodec::Aac, 2, 128, 128}, // in its limits and table
        {Encoder::HandBrake, AudioCodec::Aac, 2, 100, 96},  // down to its table
        {Encoder::HandBrake, AudioCodec::Aac, 2, 900, 512}, // at most 256 a channel
        {Encoder::HandBrake, AudioCodec::Ac3, 6, 128, 224}, // 224 for five full channels
        {Encoder::HandBrake, AudioCodec::Ac3, 2, 64, 80},   // 224 * 2 / 5 = 89, then down to 80
        {Encoder::HandBrake, AudioCodec::Ac3, 1, 900, 640}, //
        {Encoder::Ffmpeg, AudioCodec::Ac3, 6, 100, 96},     // ffmpeg would take the nearest, 112
        {Encoder::Ffmpeg, AudioCodec::Ac3, 2, 20, 32},      //
        {Encoder::Ffmpeg, AudioCodec::Aac, 6, 128, 128},    // any bitrate
    };
    for (const auto& c : cases) {
        int low = 0, high = 0;
        EXPECT_EQ(EncodedAudioKbps(c.encoder, c.codec, MixdownFor(c.channels), c.asked, low, high), c.used)
            << c.channels << " " << c.asked;
    }
    int low = 0, high = 0;
    const int used =
        EncodedAudioKbps(Encoder::HandBrake, AudioCodec::Aac, Mixdown::FivePointOne, 128, low, high);
    EXPECT_EQ(
        AudioRuleNote(1, Encoder::HandBrake, AudioCodec::Aac, Mixdown::FivePointOne, 128, used, low, high),
        "audio 1: HandBrake encodes AAC 5.1 at no less than 192 kbit/s; 192 budgeted");
    EXPECT_EQ(AudioRuleNote(1, Encoder::Ffmpeg, AudioCodec::Aac, Mixdown::Stereo, 96, 96, 1, 512), "");
}

TEST(StreamChoice, ListsRangesOfCodecsAndTheirRefusals)
{
    StreamChoice choice;
    std::string why;
    ASSERT_TRUE(ParseAudioChoice("1:copy,3,2:aac:96", choice, why)) << why;
    EXPECT_EQ(choice.audio,
              (std::vector<AudioChoice>{{.stream = 0, .codec = AudioCodec::Copy, .kbps = std::nullopt},
                                        {.stream = 2, .codec = std::nullopt, .kbps = std::nullopt},
                                        {.stream = 1, .codec = AudioCodec::Aac, .kbps = 96}}));
    ASSERT_TRUE(ParseAudioChoice("all", choice, why));
    EXPECT_TRUE(choice.allAudio);
    ASSERT_TRUE(ParseSubtitleChoice("2,1", choice, why));
    EXPECT_EQ(choice.subtitles, (std::vector<int>{1, 0}));
    ASSERT_TRUE(ParseSubtitleChoice("none", choice, why));
    EXPECT_TRUE(choice.subtitles.empty() && !choice.allSubtitles);
    for (const char* bad : {"", "0", "1,1", "1:mp3", "1:copy:96", "1:aac:0", "1:aac:96:x", "x", "1,", "99"}) {
        StreamChoice refused;
        EXPECT_FALSE(ParseAudioChoice(bad, refused, why)) << bad;
        EXPECT_FALSE(why.empty());
    }
    EXPECT_FALSE(ParseSubtitleChoice("1:copy", choice, why));
    EXPECT_TRUE(IsEncoderPreset("veryslow"));
    EXPECT_FALSE(IsEncoderPreset("superquick"));
    EXPECT_EQ(LanguageTag({'e', 'n'}), "eng");
    EXPECT_EQ(LanguageTag({'d', 'e'}), "ger");
    EXPECT_EQ(LanguageTag({'i', 'w'}), "heb");
    EXPECT_EQ(LanguageTag({0, 0}), "und");
}

} // namespace
} // namespace ratewise
