// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_plan.h"

#include <array>

#include "calc/calculator.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/optimal_split.h"
#include "common/string_format.h"
#include "encode/source_audio_rate.h"
#include "encode/title_stream.h"
#include "encode/title_timing.h"
#include "ifo/stream_attributes.h"

namespace ratewise {
namespace {

TitlePlanResult Failure(std::string why, bool usage)
{
    TitlePlanResult result;
    result.why = std::move(why);
    result.usage = usage;
    return result;
}

} // namespace

TitlePlanResult BuildTitlePlan(const TitleToPlan& title, const CalculatorState& state, PlanRequest& request)
{
    const std::optional<TitleTiming> timing = TimingOfCells(title.cells, title.pal);
    if (!timing)
        return Failure("the title has no chapters", false);
    if (!(state.videoKbps > 0))
        return Failure("the calculator gives no video bitrate (" + state.videoBitrateText + ")", true);
    request.discTitle = title.location.title;
    if (request.encoder == Encoder::HandBrake) {
        if (request.discTitle == 0)
            return Failure("HandBrakeCLI needs the disc's title number, and no title of VIDEO_TS.IFO starts "
                           "with this track",
                           false);
        request.source = title.location.handBrakeInput;
    }

    // Audio: stream 1 for the first audio field, stream 2 for the second, where above 0.
    request.audio.clear();
    const int streams = ifoCountAudioStreams(&title.info);
    const std::vector<SectorRange> wholeTitle = PlaybackSectors(title.cells, 1, timing->ChapterCount());
    const std::array<int, 2> fields{state.audio1Kbps, state.audio2Kbps};
    for (int k = 0; k < 2; ++k) {
        const int kbps = fields[static_cast<std::size_t>(k)];
        if (kbps <= 0)
            continue;
        if (k >= streams)
            return Failure(StringPrintf("audio %d is set, but the title set has %d audio stream%s", k + 1,
                                        streams, streams == 1 ? "" : "s"),
                           true);
        AudioTrack track;
        track.stream = k;
        const std::optional<AudioAttributes> attributes = ifoGetAudioAttributes(&title.info, k);
        track.coding = static_cast<DvdAudio>(attributes ? attributes->codingMode : 7);
        if (request.audioCodec == AudioCodec::Copy) {
            const std::optional<double> rate =
                title.vobs ? SourceAudioBitsPerSecond(*title.vobs, wholeTitle, track.coding, k)
                           : std::nullopt;
            if (!rate)
                return Failure(StringPrintf("cannot tell the bitrate of audio stream %d to copy it", k + 1),
                               false);
            track.bitsPerSecond = *rate;
        } else {
            track.encoderKbps = kbps;
            track.bitsPerSecond = kbps * 1000.0;
        }
        request.audio.push_back(track);
    }

    // The media: the whole title, or the optimal split's chapter ranges.
    std::vector<MediumShare> shares;
    if (state.mediumCount <= 1) {
        shares.push_back(ShareOfChapters(*timing, 1, timing->ChapterCount()));
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
                           true);
        for (std::size_t i = 0; i + 1 < split.boundaries.size(); ++i) {
            shares.push_back(ShareOfChapters(*timing, split.boundaries[i], split.boundaries[i + 1] - 1));
            shares.back().calculatorVideoKbps = split.bitrates[i];
        }
    }
    TitlePlanResult result;
    const double usable = UsableKilobits(state.mediumSizeMb, 1, state.formatMode);
    for (std::size_t i = 0; i < shares.size(); ++i) {
        shares[i].usableKilobits = usable;
        result.media.push_back(
            BuildMediumPlan(request, shares[i], static_cast<int>(i + 1), static_cast<int>(shares.size())));
        if (result.media.back().commands.empty())
            return Failure(
                StringPrintf("medium %zu: the audio and the overhead leave no room for video", i + 1), true);
    }
    return result;
}

} // namespace ratewise
