// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/plan_commands.h"

#include <cmath>

#include "common/string_format.h"
#include "encode/audio_rules.h"
#include "encode/stream_bytes.h"

namespace ratewise {
namespace {

// ffmpeg's MPEG-PS demuxer numbers a DVD's streams by their ids (see AudioStreamKey).
std::string StreamSelector(int key)
{
    return StringPrintf("0:i:0x%X", key);
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
    // A keyframe where each chapter starts, so that cutting at chapters afterwards (mkvmerge
    // --split chapters:) lands on them: half a frame early, so the chapter's own frame is the one.
    std::string keyframes;
    const FrameRate rate = plan.share.chapters.rate;
    const double halfFrame = 0.5 * static_cast<double>(rate.seconds) / static_cast<double>(rate.frames);
    for (std::size_t i = 1; i < plan.share.chapterStarts.size(); ++i)
        keyframes +=
            (keyframes.empty() ? "" : ",") + StringPrintf("%.6f", plan.share.chapterStarts[i] - halfFrame);
    if (!keyframes.empty())
        args.insert(args.end(), {"-force_key_frames", keyframes});
    args.insert(args.end(), {"-b:v", std::to_string(static_cast<long long>(plan.videoBitsPerSecond))});
    if (request.codec == VideoCodec::X264)
        args.insert(args.end(), {"-pass", std::to_string(pass), "-passlogfile", passLog});
    else
        args.insert(args.end(),
                    {"-x265-params", StringPrintf("log-level=error:pass=%d:stats=", pass) + passLog});
    return args;
}

} // namespace

std::string FfmetadataChapters(const MediumShare& share)
{
    return ChapterFormText(share.chapters, ChapterForm::FfMetadata);
}

void AddFfmpegCommands(const PlanRequest& request, MediumPlan& plan)
{
    const std::vector<std::string> feed = StreamFeed(request, plan.share);
    const std::string passLog = plan.output + ".passlog";
    std::vector<std::string> input{"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y"};
    // Subtitle streams appear with their first picture, often long after the start: the reader
    // looks further before it fixes the streams it maps.
    if (!plan.subtitles.empty())
        input.insert(input.end(), {"-analyzeduration", "100M", "-probesize", "400M"});
    input.insert(input.end(), {"-f", "mpeg", "-i", "-"});

    std::vector<std::string> first = input;
    const std::vector<std::string> firstVideo = VideoOptions(request, plan, 1, passLog);
    first.insert(first.end(), firstVideo.begin(), firstVideo.end());
    first.insert(first.end(), {"-an", "-f", "null", "/dev/null"});
    plan.commands.push_back({.feed = feed, .command = std::move(first)});

    std::vector<std::string> second = input;
    if (!plan.share.chapters.starts.empty()) {
        plan.chapterFile = TextFile{plan.output + ".ffmeta", FfmetadataChapters(plan.share)};
        second.insert(second.end(), {"-f", "ffmetadata", "-i", plan.chapterFile->path});
    }
    const std::vector<std::string> secondVideo = VideoOptions(request, plan, 2, passLog);
    second.insert(second.end(), secondVideo.begin(), secondVideo.end());
    for (std::size_t i = 0; i < plan.audio.size(); ++i) {
        const AudioTrack& track = plan.audio[i];
        const std::string n = std::to_string(i);
        second.insert(second.end(), {"-map", StreamSelector(AudioStreamKey(track.coding, track.stream))});
        if (track.codec == AudioCodec::Copy)
            second.insert(second.end(), {"-c:a:" + n, "copy"});
        else
            second.insert(second.end(),
                          {"-c:a:" + n, track.codec == AudioCodec::Aac ? "aac" : "ac3", "-ac:a:" + n,
                           std::to_string(MixdownChannels(MixdownFor(track.channels))), "-b:a:" + n,
                           std::to_string(track.encoderKbps) + "k"});
        second.insert(second.end(), {"-metadata:s:a:" + n, "language=" + track.language});
        if (track.commentary)
            second.insert(second.end(), {"-disposition:a:" + n, "comment"});
    }
    for (std::size_t i = 0; i < plan.subtitles.size(); ++i) {
        const SubtitleTrack& track = plan.subtitles[i];
        const std::string n = std::to_string(i);
        second.insert(second.end(), {"-map", StreamSelector(0x20 + track.stream), "-c:s:" + n, "copy",
                                     "-metadata:s:s:" + n, "language=" + track.language});
        if (track.commentary)
            second.insert(second.end(), {"-disposition:s:" + n, "comment"});
    }
    // The chapters' names stay: only the global tags are dropped.
    if (plan.chapterFile)
        second.insert(second.end(), {"-map_metadata:g", "-1", "-map_chapters", "1"});
    second.push_back(plan.output);
    plan.commands.push_back({.feed = feed, .command = std::move(second)});

    if (request.codec == VideoCodec::X264)
        plan.leftovers = {passLog + "-0.log", passLog + "-0.log.mbtree"};
    else
        plan.leftovers = {passLog, passLog + ".cutree"};
    if (plan.chapterFile)
        plan.leftovers.push_back(plan.chapterFile->path);
}

} // namespace ratewise
