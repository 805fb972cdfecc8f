// SPDX-License-Identifier: GPL-3.0-or-later
// The encode plan's shell script over what users and discs put in it. The first 34 bytes of an
// input set the plan (see Knobs); the rest is words separated by NUL bytes, which no argument can
// hold: the output name, the source path, the program the ffmpeg plan runs for `stream`, the text
// of a chapter-names file, the chapter language, --audio, --subtitles and the streams' two-letter
// language codes. The words reach the plan as `ratewise-cli plan` takes them (a names file as it
// is read, an output name with an ending the command accepts, a language code as --language
// checks it), then either BuildTitlePlan over a real title set of tests/fixtures/ifo (which has no
// VOBs, so nothing is copied) or BuildMediumPlan over a title made up from the knobs, with copied
// streams and subtitles. The printed script must run the plan's commands word for word and nothing
// else (fuzz/plan_script_check.h). Seed corpus: fuzz/seeds/plan.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculator.h"
#include "chapters/chapter_names.h"
#include "common/ascii_case.h"
#include "encode/audio_rules.h"
#include "encode/encode_plan.h"
#include "encode/language_codes.h"
#include "encode/plan_script.h"
#include "encode/shell_quote.h"
#include "encode/stream_choice.h"
#include "encode/title_plan.h"
#include "encode/title_timing.h"
#include "fuzz/plan_script_check.h"
#include "ifo/cells.h"
#include "ifo/program_chain.h"
#include "ifo/title_set_info.h"

namespace {

using namespace ratewise;

constexpr std::size_t kKnobBytes = 34;

// The knobs: byte i of the input, 0 past its end. Byte 0: bit 0 ffmpeg (else HandBrakeCLI), 1 x265,
// 2 `stream --track` (else --title), 3 a made-up title (else a fixture's), 4-5 the audio codec, 6
// NTSC, 7 the made-up title's media as the files of a season. 1: the preset. 2: the media. 3: the fixture and
// its track. 4: the made-up title's chapters. 5-6: the medium's MB. 7-8: the audio fields. 9: SVCD. 10: the
// video field, in 16 kbit/s. 11: the disc's title. 12-13: what `stream` is told. 14: the output's ending.
// 15-21: chapter lengths. 22-30: the audio streams (count; coding, channels, commentary, copy). 31: their
// first number and the subtitles' commentary. 32: copied bitrates. 33: the subtitle streams.
struct Knobs {
    std::string_view bytes;
    int operator[](std::size_t i) const
    {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
    }
    bool Bit(std::size_t i, int bit) const { return ((*this)[i] >> bit & 1) != 0; }
};

enum Word { Output, Source, StreamProgram, NamesText, ChapterLanguage, Audio, Subtitles, Languages };

std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    for (std::size_t begin = 0; words.size() <= Languages;) {
        const std::size_t end = std::min(text.find('\0', begin), text.size());
        words.emplace_back(begin < text.size() ? text.substr(begin, end - begin) : std::string_view());
        begin = end + 1;
    }
    return words;
}

std::vector<std::unique_ptr<TitleSetInfo>> g_titleSets;

void Fault(const std::string& why, const std::string& script)
{
    std::fprintf(stderr, "plan script: %s\n--- script ---\n%s--- end ---\n", why.c_str(), script.c_str());
    std::abort();
}

void Check(const std::string& script, const std::vector<MediumPlan>& media)
{
    std::vector<fuzzing::ScriptMedium> expected;
    for (const MediumPlan& plan : media)
        expected.push_back(fuzzing::ScriptMediumOf(plan));
    if (const std::string why = fuzzing::CheckPlanScript(script, expected); !why.empty())
        Fault(why, script);
}

// The output name as `plan -o` takes it: ending in .mkv, .mp4 or .m4v, whatever comes before.
std::string OutputName(std::string word, int knob)
{
    static const char* const kEndings[] = {".mkv", ".mp4", ".m4v", ".MKV"};
    const std::size_t dot = word.rfind('.');
    const std::string ending = dot == std::string::npos ? std::string() : AsciiLowered(word.substr(dot));
    if (ending != ".mkv" && ending != ".mp4" && ending != ".m4v")
        word += kEndings[knob % 4];
    return word;
}

// The request as RunPlan makes it from the options; false where the command would refuse them.
bool RequestOf(const Knobs& knobs, const std::vector<std::string>& words, PlanRequest& request)
{
    static const char* const kPresets[] = {"ultrafast", "superfast", "veryfast", "faster",   "fast",
                                           "medium",    "slow",      "slower",   "veryslow", "placebo"};
    request.encoder = knobs.Bit(0, 0) ? Encoder::Ffmpeg : Encoder::HandBrake;
    request.codec = knobs.Bit(0, 1) ? VideoCodec::X265 : VideoCodec::X264;
    request.audioCodec = static_cast<AudioCodec>((knobs[0] >> 4 & 3) % 3);
    request.encoderPreset = knobs[1] % 11 == 0 ? "" : kPresets[knobs[1] % 11 - 1];
    request.byTitle = !knobs.Bit(0, 2);
    request.number = knobs[12] % 99 + 1;
    request.titleSet = knobs[13] % 99 + 1;
    request.output = OutputName(words[Output], knobs[14]);
    // Paths and programs come from arguments, which hold no NUL; an empty one is not given.
    request.source = words[Source].empty() ? "/dev/sr0" : words[Source];
    request.streamProgram = words[StreamProgram].empty() ? "ratewise-cli" : words[StreamProgram];
    std::string why;
    if (!words[NamesText].empty()) {
        const std::optional<std::vector<std::string>> names = ParseChapterNames(words[NamesText], why);
        if (!names)
            return false;
        request.chapterNames = *names;
    }
    request.chapterLanguage = IsLanguageCode(words[ChapterLanguage]) ? words[ChapterLanguage] : "und";
    if (!words[Audio].empty() && !ParseAudioChoice(words[Audio], request.choice, why))
        return false;
    if (!words[Subtitles].empty() && !ParseSubtitleChoice(words[Subtitles], request.choice, why))
        return false;
    return true;
}

// A title of a fixture set, planned as `plan` plans it with the calculator's fields from the
// knobs.
void PlanFixtureTitle(const Knobs& knobs, PlanRequest& request)
{
    const TitleSetInfo& info = *g_titleSets[static_cast<std::size_t>(knobs[3] % 3)];
    const int programChain = knobs[3] / 3 % ifoGetPGCCount(&info);
    const std::optional<std::vector<CellEntry>> cells = ifoGetCells(&info, programChain);
    if (!cells)
        return;
    const TitleLocation location{request.titleSet, programChain, knobs[11] % 100, request.source};
    CalculatorState state;
    state.mediumCount = knobs[2] % 9 + 1;
    state.mediumSizeMb = knobs[5] | knobs[6] << 8;
    state.audio1Kbps = knobs[7] * 2;
    state.audio2Kbps = knobs[8] * 2;
    state.formatMode = knobs.Bit(9, 0) ? FormatMode::Svcd : FormatMode::AviDvd;
    state.videoKbps = knobs[10] * 16.0;
    const TitlePlanResult result =
        BuildTitlePlan({info, location, *cells, !knobs.Bit(0, 6), nullptr}, state, request);
    if (!result.media.empty())
        Check(PlanScript(request, result.media), result.media);
}

// A title made up from the knobs: up to 99 chapters, up to 8 audio streams of any coding, some
// copied, and subtitles, with the languages of the last word.
void PlanMadeUpTitle(const Knobs& knobs, const std::string& languages, PlanRequest& request)
{
    const bool pal = !knobs.Bit(0, 6);
    TitleTiming timing;
    timing.pal = pal;
    const int chapters = knobs[4] % 99 + 1;
    std::int64_t frames = 0;
    for (int c = 0; c <= chapters; ++c) {
        timing.chapterStartFrames.push_back(frames);
        frames += 1 + (knobs[15 + static_cast<std::size_t>(c % 7)] << (c % 5));
    }
    const auto language = [&](std::size_t i) {
        const auto byte = [&](std::size_t k) {
            return static_cast<std::uint8_t>(k < languages.size() ? languages[k] : 'e');
        };
        return LanguageTag({byte(2 * i), byte(2 * i + 1)});
    };
    static const DvdAudio kCodings[] = {DvdAudio::Ac3, DvdAudio::Mpeg1, DvdAudio::Mpeg2, DvdAudio::Lpcm,
                                        DvdAudio::Dts, DvdAudio::Other, DvdAudio::Ac3,   DvdAudio::Ac3};
    const int audioCount = knobs[22] % 9;
    for (int i = 0; i < audioCount; ++i) {
        const int knob = knobs[23 + static_cast<std::size_t>(i)];
        AudioTrack track;
        track.stream = (i + knobs[31]) % 8;
        track.coding = kCodings[knob & 7];
        track.channels = (knob >> 3 & 7) + 1;
        track.commentary = (knob >> 6 & 1) != 0;
        track.codec = knob >> 7 ? AudioCodec::Copy : request.audioCodec;
        track.language = language(static_cast<std::size_t>(i));
        if (track.codec == AudioCodec::Copy) {
            track.bitsPerSecond = 1000.0 * (knobs[32] + 1);
        } else {
            int low = 0, high = 0;
            track.askedKbps = knobs[7] * 2 + 1;
            track.encoderKbps = EncodedAudioKbps(request.encoder, track.codec, MixdownFor(track.channels),
                                                 track.askedKbps, low, high);
            track.bitsPerSecond = track.encoderKbps * 1000.0;
        }
        request.audio.push_back(track);
    }
    // MP4 carries no DVD subtitles: the plan refuses them there.
    const int subtitleCount = ContainerForOutput(request.output) == Container::Mp4 ? 0 : knobs[33] % 9;
    for (int i = 0; i < subtitleCount; ++i)
        request.subtitles.push_back({i, language(static_cast<std::size_t>(audioCount + i)),
                                     knobs.Bit(31, i % 8), 800.0 * (knobs[32] + i + 1)});

    const int mediumCount = std::min(knobs[2] % 9 + 1, chapters);
    const double usable =
        UsableKilobits(knobs[5] | knobs[6] << 8, 1, knobs.Bit(9, 0) ? FormatMode::Svcd : FormatMode::AviDvd);
    if (!request.chapterNames.empty())
        request.chapterNames = ChapterNames(static_cast<std::size_t>(chapters), request.chapterNames);
    std::vector<MediumPlan> media;
    for (int m = 0; m < mediumCount; ++m) {
        MediumShare share =
            ShareOfChapters(timing, 1 + m * chapters / mediumCount, (m + 1) * chapters / mediumCount,
                            request.chapterNames, request.chapterLanguage);
        share.usableKilobits = usable;
        share.calculatorVideoKbps = knobs[10] * 16.0;
        media.push_back(BuildMediumPlan(request, share, m + 1, mediumCount));
        // The command refuses a plan that leaves no room for video.
        if (media.back().commands.empty())
            return;
        // A season's files each name their title and its source in a comment line of their own.
        if (knobs[0] & 0x80)
            media.back().sourceTitle = "title " + std::to_string(m + 1) + " of " + ShellQuote(request.source);
    }
    Check(PlanScript(request, media), media);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    for (const char* set : {"pal_d1_3audio_cells", "ntsc_d1_wide_subs16_menu", "pal_98_titles"}) {
        g_titleSets.push_back(ifoOpen(std::string(RATEWISE_FIXTURES_DIR "/ifo/") + set + "/VTS_01_0.IFO"));
        if (!g_titleSets.back() || ifoGetPGCCount(g_titleSets.back().get()) < 1)
            std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const Knobs knobs{input.substr(0, std::min(size, kKnobBytes))};
    const std::vector<std::string> words = Words(size > kKnobBytes ? input.substr(kKnobBytes) : "");
    PlanRequest request;
    if (!RequestOf(knobs, words, request))
        return 0;
    if (knobs.Bit(0, 3))
        PlanMadeUpTitle(knobs, words[Languages], request);
    else
        PlanFixtureTitle(knobs, request);
    return 0;
}
