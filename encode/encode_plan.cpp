// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of a medium's plan; the encoder commands come from handbrake_commands.cpp and
// ffmpeg_commands.cpp.
#include "encode/encode_plan.h"

#include <cmath>

#include "encode/plan_commands.h"

namespace ratewise {

std::string_view EncoderName(Encoder encoder)
{
    return encoder == Encoder::HandBrake ? "handbrake" : "ffmpeg";
}

std::string_view VideoCodecName(VideoCodec codec)
{
    return codec == VideoCodec::X264 ? "x264" : "x265";
}

std::string_view AudioCodecName(AudioCodec codec)
{
    switch (codec) {
    case AudioCodec::Aac:
        return "aac";
    case AudioCodec::Ac3:
        return "ac3";
    case AudioCodec::Copy:
        break;
    }
    return "copy";
}

std::string MediumOutputPath(const std::string& output, int medium, int count)
{
    if (count <= 1)
        return output;
    const std::size_t slash = output.rfind('/');
    const std::size_t dot = output.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && dot > 0 && (slash == std::string::npos || dot > slash + 1);
    const std::string suffix = "-" + std::to_string(medium);
    if (!hasExtension)
        return output + suffix;
    return output.substr(0, dot) + suffix + output.substr(dot);
}

double PlannedBytes(const MediumPlan& plan)
{
    const double seconds = plan.share.seconds;
    return plan.videoBitsPerSecond * (1.0 + plan.toleranceMargin) * seconds / 8.0 +
           plan.audioBitsPerSecond * seconds / 8.0 + plan.overheadBytes + plan.audioMarginBytes;
}

MediumPlan BuildMediumPlan(const PlanRequest& request, const MediumShare& share, int medium, int mediumCount)
{
    MediumPlan plan;
    plan.medium = medium;
    plan.mediumCount = mediumCount;
    plan.share = share;
    plan.output = MediumOutputPath(request.output, medium, mediumCount);
    plan.container = ContainerForOutput(plan.output);

    // The calculator's kilobit is 1024 bits; encoders count bits. A part of a byte is no room.
    plan.targetBytes = std::floor(share.usableKilobits * 1024.0 / 8.0);
    plan.audio = request.audio;
    plan.subtitles = request.subtitles;
    for (const AudioTrack& track : plan.audio)
        plan.audioBitsPerSecond += track.bitsPerSecond;
    for (const SubtitleTrack& track : plan.subtitles)
        plan.audioBitsPerSecond += track.bitsPerSecond;
    plan.overhead = OverheadOf(plan.container, request.codec);
    plan.overhead.bytesPerSecond += FurtherStreamsBytesPerSecond(
        plan.container, static_cast<int>(plan.audio.size()), static_cast<int>(plan.subtitles.size()));
    plan.overheadBytes = plan.overhead.fixedBytes + plan.overhead.bytesPerSecond * share.seconds;
    for (const AudioTrack& track : plan.audio)
        if (track.codec == AudioCodec::Aac)
            plan.audioMarginBytes +=
                std::ceil(track.bitsPerSecond * kAacToleranceMargin * share.seconds / 8.0);
    plan.toleranceMargin = EncoderToleranceMargin(request.codec);
    if (share.seconds <= 0)
        return plan;
    const double video =
        request.fixedVideoKbps
            ? *request.fixedVideoKbps * 1024.0
            : ((plan.targetBytes - plan.overheadBytes - plan.audioMarginBytes) * 8.0 / share.seconds -
               plan.audioBitsPerSecond) *
                  (1.0 - plan.toleranceMargin);
    // HandBrakeCLI takes whole kbit/s; ffmpeg whole bit/s. Both round down, never up.
    plan.videoBitsPerSecond =
        request.encoder == Encoder::HandBrake ? std::floor(video / 1000.0) * 1000.0 : std::floor(video);
    if (!(plan.videoBitsPerSecond > 0))
        return plan;
    if (request.encoder == Encoder::HandBrake)
        AddHandBrakeCommands(request, plan);
    else
        AddFfmpegCommands(request, plan);
    return plan;
}

} // namespace ratewise
