// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_plan.h"

#include <algorithm>
#include <array>

#include "calc/calculator.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/chapter_names.h"
#include "chapters/optimal_split.h"
#include "common/string_format.h"
#include "encode/audio_rules.h"
#include "encode/language_codes.h"
#include "encode/stream_bytes.h"
#include "encode/title_stream.h"
#include "encode/title_timing.h"
#include "ifo/stream_attributes.h"
#include "ifo/video_attributes.h"

namespace ratewise {
namespace {

TitlePlanResult Failure(std::string why, FailureKind kind)
{
    TitlePlanResult result;
    result.why = std::move(why);
    result.failure = kind;
    return result;
}

// Below this the calculator's first audio field is not a bitrate to encode at.
constexpr int kDefaultAudioKbps = 128;

AudioTrack TrackOf(const TitleSetInfo& info, int stream)
{
    AudioTrack track;
    track.stream = stream;
    const std::optional<AudioAttributes> attributes = ifoGetAudioAttributes(&info, stream);
    track.coding = static_cast<DvdAudio>(attributes ? attributes->codingMode : 7);
    track.channels = attributes ? attributes->channelCount : 2;
    track.language = attributes ? LanguageTag(attributes->language) : "und";
    track.commentary = attributes && IsCommentaryAudio(*attributes);
    return track;
}

// The audio streams to carry and what each costs: --audio's list, or the calculator's fields
// (stream 1 for the first above 0, stream 2 for the second). An encoded stream is budgeted at the
// bitrate the encoder will really use; a note says where that is not what was asked.
bool ChooseAudio(const TitleSetInfo& info, int streams, const CalculatorState& state, PlanRequest& request,
                 std::vector<std::string>& notes, std::string& why)
{
    std::vector<AudioChoice> chosen;
    const int fallbackKbps = state.audio1Kbps > 0 ? state.audio1Kbps : kDefaultAudioKbps;
    if (!request.choice.audioGiven) {
        const std::array<int, 2> fields{state.audio1Kbps, state.audio2Kbps};
        for (int k = 0; k < 2; ++k) {
            if (fields[static_cast<std::size_t>(k)] <= 0)
                continue;
            if (k >= streams) {
                why = StringPrintf("audio %d is set, but the title set has %d audio stream%s", k + 1, streams,
                                   streams == 1 ? "" : "s");
                return false;
            }
            chosen.push_back(
                {.stream = k, .codec = std::nullopt, .kbps = fields[static_cast<std::size_t>(k)]});
        }
    } else if (request.choice.allAudio) {
        for (int k = 0; k < streams; ++k)
            chosen.push_back({.stream = k, .codec = std::nullopt, .kbps = std::nullopt});
    } else {
        chosen = request.choice.audio;
    }
    request.audio.clear();
    for (const AudioChoice& choice : chosen) {
        if (choice.stream < 0 || choice.stream >= streams) {
            why =
                StringPrintf("--audio: no audio stream %d: the title set has %d", choice.stream + 1, streams);
            return false;
        }
        AudioTrack track = TrackOf(info, choice.stream);
        track.codec = choice.codec.value_or(request.audioCodec);
        if (track.codec != AudioCodec::Copy) {
            track.askedKbps = choice.kbps.value_or(fallbackKbps);
            const Mixdown mixdown = MixdownFor(track.channels);
            int low = 0, high = 0;
            track.encoderKbps =
                EncodedAudioKbps(request.encoder, track.codec, mixdown, track.askedKbps, low, high);
            track.bitsPerSecond = track.encoderKbps * 1000.0;
            if (std::string note = AudioRuleNote(choice.stream + 1, request.encoder, track.codec, mixdown,
                                                 track.askedKbps, track.encoderKbps, low, high);
                !note.empty())
                notes.push_back(std::move(note));
        }
        request.audio.push_back(track);
    }
    return true;
}

bool ChooseSubtitles(const TitleSetInfo& info, int streams, PlanRequest& request, std::string& why)
{
    std::vector<int> chosen = request.choice.subtitles;
    if (request.choice.allSubtitles) {
        chosen.clear();
        for (int k = 0; k < streams; ++k)
            chosen.push_back(k);
    }
    request.subtitles.clear();
    for (const int stream : chosen) {
        if (stream < 0 || stream >= streams) {
            why =
                StringPrintf("--subtitles: no subtitle stream %d: the title set has %d", stream + 1, streams);
            return false;
        }
        SubtitleTrack track;
        track.stream = stream;
        if (const std::optional<SubpictureAttributes> attributes =
                ifoGetSubpictureAttributes(&info, stream)) {
            track.language = LanguageTag(attributes->language);
            track.commentary = IsCommentarySubpicture(*attributes);
        }
        request.subtitles.push_back(track);
    }
    return true;
}

// Copied streams cost what the medium's packs hold of them, counted byte by byte.
bool CountCopiedStreams(const TitleToPlan& title, const MediumShare& share, PlanRequest& medium,
                        std::string& why)
{
    const bool copies = !medium.subtitles.empty() ||
                        std::any_of(medium.audio.begin(), medium.audio.end(),
                                    [](const AudioTrack& track) { return track.codec == AudioCodec::Copy; });
    if (!copies || share.seconds <= 0)
        return true;
    const std::vector<SectorRange> ranges =
        PlaybackSectors(title.cells, share.firstChapter, share.lastChapter);
    const std::optional<StreamBytes> bytes =
        title.vobs ? CountStreamBytes(*title.vobs, ranges) : std::nullopt;
    if (!bytes) {
        why = title.vobs ? "the VOB files cannot be read to measure the copied streams"
                         : "the title set has no VOB files to measure the copied streams in";
        return false;
    }
    const auto rate = [&](int key) {
        const auto found = bytes->find(key);
        return found == bytes->end() ? 0.0 : static_cast<double>(found->second) * 8.0 / share.seconds;
    };
    for (AudioTrack& track : medium.audio)
        if (track.codec == AudioCodec::Copy)
            track.bitsPerSecond = rate(AudioStreamKey(track.coding, track.stream));
    for (SubtitleTrack& track : medium.subtitles)
        track.bitsPerSecond = rate(0x20 + track.stream);
    // A stream with nothing in this medium's part (no subtitle shown there) is not mapped: the
    // encoder would find no such stream and stop.
    std::erase_if(medium.subtitles, [](const SubtitleTrack& track) { return track.bitsPerSecond <= 0; });
    std::erase_if(medium.audio, [](const AudioTrack& track) {
        return track.codec == AudioCodec::Copy && track.bitsPerSecond <= 0;
    });
    return true;
}

} // namespace

TitlePlanResult BuildTitlePlan(const TitleToPlan& title, const CalculatorState& state, PlanRequest& request)
{
    TitlePlanResult result;
    const std::optional<TitleTiming> timing = TimingOfCells(title.cells, title.pal);
    if (!timing)
        return Failure("the title has no chapters", FailureKind::BadInput);
    if (!(state.videoKbps > 0))
        return Failure("the calculator gives no video bitrate (" + state.videoBitrateText + ")",
                       FailureKind::NoResult);
    request.discTitle = title.location.title;
    if (request.encoder == Encoder::HandBrake) {
        if (request.discTitle == 0)
            return Failure(
                "HandBrakeCLI numbers titles by VIDEO_TS.IFO, and none of its titles starts with this "
                "track (use --encoder ffmpeg)",
                FailureKind::BadInput);
        request.source = title.location.handBrakeInput;
    }

    const int streams = ifoCountAudioStreams(&title.info);
    const int subpictures = ifoCountSubpictureStreams(&title.info);
    std::string why;
    if (!ChooseAudio(title.info, streams, state, request, result.notes, why))
        return Failure(why, FailureKind::Usage);
    if (!ChooseSubtitles(title.info, subpictures, request, why))
        return Failure(why, FailureKind::Usage);
    if (!request.subtitles.empty() && ContainerForOutput(request.output) == Container::Mp4)
        return Failure("MP4 cannot carry DVD subtitles (VobSub): give an .mkv output, or --subtitles none",
                       FailureKind::Usage);

    // The media: the whole title, or the optimal split's chapter ranges.
    std::vector<MediumShare> shares;
    if (state.mediumCount <= 1) {
        shares.push_back(ShareOfChapters(*timing, 1, timing->ChapterCount(), request.chapterNames,
                                         request.chapterLanguage));
        shares.back().calculatorVideoKbps = state.videoKbps;
    } else {
        const std::optional<ChapterList> chapters =
            BuildChapterListOfTrack(title.info, title.location.programChain);
        NoSplitProgress progress;
        const SplitPlan split = chapters ? ComputeSplit(*chapters, state, progress) : SplitPlan{};
        if (split.boundaries.size() != static_cast<std::size_t>(state.mediumCount) + 1 ||
            split.boundaries.back() - 1 != timing->ChapterCount())
            return Failure(StringPrintf("the title's %d chapters cannot be split over %d media",
                                        timing->ChapterCount(), state.mediumCount),
                           FailureKind::NoResult);
        for (std::size_t i = 0; i + 1 < split.boundaries.size(); ++i) {
            shares.push_back(ShareOfChapters(*timing, split.boundaries[i], split.boundaries[i + 1] - 1,
                                             request.chapterNames, request.chapterLanguage));
            shares.back().calculatorVideoKbps = split.bitrates[i];
        }
    }
    const double usable = UsableKilobits(state.mediumSizeMb, 1, state.formatMode);
    // Given names are completed ("Chapter 07" where none is given) for the encoders' own files.
    if (!request.chapterNames.empty())
        request.chapterNames =
            ChapterNames(static_cast<std::size_t>(timing->ChapterCount()), request.chapterNames);
    for (std::size_t i = 0; i < shares.size(); ++i) {
        shares[i].usableKilobits = usable;
        MediumShare& share = shares[i];
        PlanRequest medium = request;
        if (!CountCopiedStreams(title, share, medium, why))
            return Failure(why, FailureKind::BadInput);
        result.media.push_back(
            BuildMediumPlan(medium, share, static_cast<int>(i + 1), static_cast<int>(shares.size())));
        if (result.media.back().commands.empty())
            return Failure(
                StringPrintf("medium %zu: the audio and the overhead leave no room for video", i + 1),
                FailureKind::NoResult);
    }
    // A bitrate the user fixed must still fit: a plan never fills a medium past its size.
    for (const MediumPlan& plan : result.media) {
        if (request.fixedVideoKbps && PlannedBytes(plan) > plan.targetBytes)
            return Failure(
                StringPrintf("the video bitrate of %.3f kbit/s needs about %.0f bytes on medium %d, "
                             "more than its %.0f: lower the bitrate, or choose a larger medium",
                             *request.fixedVideoKbps, PlannedBytes(plan), plan.medium, plan.targetBytes),
                FailureKind::Usage);
    }
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(&title.info);
    for (const MediumPlan& plan : result.media) {
        if (!video || !video->mpeg2 || plan.videoBitsPerSecond <= kDvdMpeg2MaxVideoBitsPerSecond)
            continue;
        result.maximumNote = StringPrintf(
            "medium %d asks %.0f kbit/s of video, above the 9800 kbit/s a DVD's MPEG-2 video can hold: "
            "the encode gains nothing from it (lock a lower video bitrate, or choose a smaller medium)",
            plan.medium, plan.videoBitsPerSecond / 1000.0);
        result.notes.push_back(result.maximumNote);
        break;
    }
    return result;
}

} // namespace ratewise
