// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/plan_commands.h"

#include <cmath>

#include "common/string_format.h"

namespace ratewise {
namespace {

// ffmpeg's MPEG-PS demuxer numbers a DVD's audio streams by their stream ids: private stream 1
// substreams 0x80 (AC-3), 0x88 (DTS), 0xA0 (LPCM), MPEG audio 0x1C0.
std::string AudioStreamSelector(const AudioTrack& track)
{
    int base = 0x80;
    switch (track.coding) {
    case DvdAudio::Mpeg1:
    case DvdAudio::Mpeg2:
        base = 0x1C0;
        break;
    case DvdAudio::Lpcm:
        base = 0xA0;
        break;
    case DvdAudio::Dts:
        base = 0x88;
        break;
    default:
        break;
    }
    return StringPrintf("0:i:0x%X", base + track.stream);
}

std::vector<std::string> StreamFeed(const PlanRequest& request, const MediumShare& share)
{
    std::vector<std::string> feed{request.streamProgram, "stream", request.source};
    if (request.byTitle)
        feed.insert(feed.end(), {"--title", std::to_string(request.number)});
    else
        feed.insert(feed.end(), {"--title-set", std::to_string(request.titleSet), "--track",
                                 std::to_string(request.number)});
    if (share.firstChapter != 1 || share.lastChapter != share.chapterCount)
        feed.insert(feed.end(), {"--chapters", std::to_string(share.firstChapter) + "-" +
                                                   std::to_string(share.lastChapter)});
    return feed;
}

std::vector<std::string> VideoOptions(const PlanRequest& request, const MediumPlan& plan, int pass,
                                      const std::string& passLog)
{
    // Both passes must see the same frames: with the container's own frame-rate mode, MP4 would
    // repeat frames in pass 2 that the null muxer of pass 1 never saw, and the rate control of
    // pass 2 would give up.
    std::vector<std::string> args{"-map",      "0:v:0",
                                  "-fps_mode", "passthrough",
                                  "-c:v",      request.codec == VideoCodec::X264 ? "libx264" : "libx265"};
    if (!request.encoderPreset.empty())
        args.insert(args.end(), {"-preset", request.encoderPreset});
    args.insert(args.end(), {"-b:v", std::to_string(static_cast<long long>(plan.videoBitsPerSecond))});
    if (request.codec == VideoCodec::X264)
        args.insert(args.end(), {"-pass", std::to_string(pass), "-passlogfile", passLog});
    else
        args.insert(args.end(),
                    {"-x265-params", StringPrintf("log-level=error:pass=%d:stats=", pass) + passLog});
    return args;
}

std::string Milliseconds(double seconds)
{
    return std::to_string(static_cast<long long>(std::llround(seconds * 1000.0)));
}

} // namespace

std::string FfmetadataChapters(const MediumShare& share)
{
    std::string text = ";FFMETADATA1\n";
    const std::size_t count = share.chapterStarts.size();
    for (std::size_t i = 0; i < count; ++i) {
        const double end = i + 1 < count ? share.chapterStarts[i + 1] : share.seconds;
        text += "[CHAPTER]\nTIMEBASE=1/1000\nSTART=" + Milliseconds(share.chapterStarts[i]) +
                "\nEND=" + Milliseconds(end) + "\ntitle=Chapter " +
                std::to_string(share.firstChapter + static_cast<int>(i)) + "\n";
    }
    return text;
}

void AddFfmpegCommands(const PlanRequest& request, MediumPlan& plan)
{
    const std::vector<std::string> feed = StreamFeed(request, plan.share);
    const std::string passLog = plan.output + ".passlog";
    const std::vector<std::string> input{"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error",
                                         "-y",     "-f",       "mpeg",         "-i",        "-"};

    std::vector<std::string> first = input;
    const std::vector<std::string> firstVideo = VideoOptions(request, plan, 1, passLog);
    first.insert(first.end(), firstVideo.begin(), firstVideo.end());
    first.insert(first.end(), {"-an", "-f", "null", "/dev/null"});
    plan.commands.push_back({feed, std::move(first)});

    std::vector<std::string> second = input;
    if (plan.share.chapterStarts.size() > 0) {
        plan.chapterFile = TextFile{plan.output + ".ffmeta", FfmetadataChapters(plan.share)};
        second.insert(second.end(), {"-f", "ffmetadata", "-i", plan.chapterFile->path});
    }
    const std::vector<std::string> secondVideo = VideoOptions(request, plan, 2, passLog);
    second.insert(second.end(), secondVideo.begin(), secondVideo.end());
    for (std::size_t i = 0; i < request.audio.size(); ++i) {
        const AudioTrack& track = request.audio[i];
        second.insert(second.end(), {"-map", AudioStreamSelector(track)});
        if (request.audioCodec == AudioCodec::Copy) {
            second.insert(second.end(), {"-c:a:" + std::to_string(i), "copy"});
        } else {
            second.insert(second.end(),
                          {"-c:a:" + std::to_string(i), request.audioCodec == AudioCodec::Aac ? "aac" : "ac3",
                           "-b:a:" + std::to_string(i), std::to_string(track.encoderKbps) + "k"});
        }
    }
    if (plan.chapterFile)
        second.insert(second.end(), {"-map_metadata", "-1", "-map_chapters", "1"});
    second.push_back(plan.output);
    plan.commands.push_back({feed, std::move(second)});

    if (request.codec == VideoCodec::X264)
        plan.leftovers = {passLog + "-0.log", passLog + "-0.log.mbtree"};
    else
        plan.leftovers = {passLog, passLog + ".cutree"};
    if (plan.chapterFile)
        plan.leftovers.push_back(plan.chapterFile->path);
}

} // namespace ratewise
