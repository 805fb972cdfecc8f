// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/plan_commands.h"

#include <cmath>

#include "encode/audio_rules.h"

namespace ratewise {
namespace {

std::string HandBrakeAudioEncoder(AudioCodec codec, DvdAudio coding)
{
    if (codec == AudioCodec::Aac)
        return "av_aac";
    if (codec == AudioCodec::Ac3)
        return "ac3";
    switch (coding) {
    case DvdAudio::Ac3:
        return "copy:ac3";
    case DvdAudio::Mpeg1:
    case DvdAudio::Mpeg2:
        return "copy:mp2";
    case DvdAudio::Dts:
        return "copy:dts";
    default:
        break;
    }
    return "copy";
}

std::string Joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ",") + item;
    return text;
}

} // namespace

void AddHandBrakeCommands(const PlanRequest& request, MediumPlan& plan)
{
    std::vector<std::string> args{"HandBrakeCLI", "-i", request.source, "-t",
                                  std::to_string(request.discTitle)};
    if (plan.share.firstChapter != 1 || plan.share.lastChapter != plan.share.chapterCount) {
        args.push_back("-c");
        args.push_back(std::to_string(plan.share.firstChapter) + "-" +
                       std::to_string(plan.share.lastChapter));
    }
    args.insert(args.end(), {"--markers", "-f", plan.container == Container::Mp4 ? "av_mp4" : "av_mkv", "-e",
                             std::string(VideoCodecName(request.codec))});
    if (!request.encoderPreset.empty())
        args.insert(args.end(), {"--encoder-preset", request.encoderPreset});
    args.insert(args.end(), {"-b", std::to_string(static_cast<long long>(plan.videoBitsPerSecond / 1000.0)),
                             "--two-pass", "--turbo"});
    if (plan.audio.empty()) {
        args.push_back("-a");
        args.push_back("none");
    } else {
        // Every list names each track, so no track gets HandBrake's own choice of mixdown or
        // bitrate: its choice is what the plan budgeted, given explicitly. Copied tracks take no
        // bitrate or mixdown; their places hold what HandBrake ignores for them.
        std::vector<std::string> tracks, encoders, bitrates, mixdowns;
        for (const AudioTrack& track : plan.audio) {
            tracks.push_back(std::to_string(track.stream + 1));
            encoders.push_back(HandBrakeAudioEncoder(track.codec, track.coding));
            bitrates.push_back(std::to_string(track.codec == AudioCodec::Copy ? 0 : track.encoderKbps));
            mixdowns.push_back(track.codec == AudioCodec::Copy ? "none"
                                                               : MixdownName(MixdownFor(track.channels)));
        }
        args.insert(args.end(), {"-a", Joined(tracks), "-E", Joined(encoders), "-B", Joined(bitrates), "-6",
                                 Joined(mixdowns)});
    }
    if (!plan.subtitles.empty()) {
        std::vector<std::string> tracks;
        for (const SubtitleTrack& track : plan.subtitles)
            tracks.push_back(std::to_string(track.stream + 1));
        args.insert(args.end(), {"-s", Joined(tracks)});
    }
    args.insert(args.end(), {"-o", plan.output});
    plan.commands.push_back({{}, std::move(args)});
}

} // namespace ratewise
