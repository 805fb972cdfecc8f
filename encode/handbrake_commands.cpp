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
    // A part of the title is given by its frames, not its chapters: HandBrake cuts chapters at
    // their first sector, which leaves the end of a chapter's sound to the next part; by frames
    // it cuts where the pictures and their sound meet, so the parts join again.
    const MediumShare& share = plan.share;
    if (share.firstChapter != 1)
        args.insert(args.end(), {"--start-at", "frames:" + std::to_string(share.startFrame)});
    // The last part stops too: the VOBs may hold a frame past the title's playback time.
    if (share.firstChapter != 1 || share.lastChapter != share.chapterCount)
        args.insert(args.end(), {"--stop-at", "frames:" + std::to_string(share.chapters.end)});
    // Chapter names reach HandBrake through a names file, which counts its rows from the title's
    // first chapter whatever part is encoded.
    if (!request.chapterNames.empty()) {
        TimedChapters names;
        names.names = request.chapterNames;
        names.starts.assign(request.chapterNames.size(), 0);
        plan.chapterFile = TextFile{plan.output + ".chapters.csv", ChapterFormText(names, ChapterForm::Csv)};
        plan.leftovers.push_back(plan.chapterFile->path);
    }
    args.insert(args.end(), {plan.chapterFile ? "--markers=" + plan.chapterFile->path : "--markers", "-f",
                             plan.container == Container::Mp4 ? "av_mp4" : "av_mkv", "-e",
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
    plan.commands.push_back({.feed = {}, .command = std::move(args)});
}

} // namespace ratewise
