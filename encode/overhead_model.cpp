// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/overhead_model.h"

#include "common/ascii_case.h"

namespace ratewise {

Container ContainerForOutput(std::string_view outputPath)
{
    const std::size_t dot = outputPath.rfind('.');
    if (dot == std::string_view::npos)
        return Container::Matroska;
    const std::string extension = AsciiLowered(outputPath.substr(dot + 1));
    return extension == "mp4" || extension == "m4v" ? Container::Mp4 : Container::Matroska;
}

std::string_view ContainerName(Container container)
{
    return container == Container::Mp4 ? "MP4" : "Matroska";
}

ContainerOverhead OverheadOf(Container container, VideoCodec codec)
{
    // Measured with tools/measure-fill on the authored discs: file size minus the video and
    // audio packets, for titles of 30 and 60 s, HandBrakeCLI and ffmpeg, PAL and NTSC, fitted as a
    // fixed part plus a part per second, then rounded up past the largest fit. Matroska: 490-550
    // bytes/s, 1.1-2.0 KB fixed with x264 and 3.9-4.1 KB with x265. MP4's sample tables grow with
    // every frame and more with x265's reordering: x264 570-870 bytes/s + 1.4-2.5 KB, x265
    // 790-1140 bytes/s + 3.9-5.1 KB (the most per second at NTSC's 30000/1001).
    const bool x265 = codec == VideoCodec::X265;
    if (container == Container::Mp4)
        return x265 ? ContainerOverhead{5120, 1200} : ContainerOverhead{3072, 900};
    return x265 ? ContainerOverhead{4096, 600} : ContainerOverhead{2048, 600};
}

double EncoderToleranceMargin(VideoCodec codec)
{
    // On the same grid, two-pass x264 gave between 2.4 % less and 0.2 % more video than asked,
    // x265 between 1.4 % less and 0.1 % more (mostly less: short titles at low rates). The margin
    // covers the worst overshoot several times over; a larger one would only cost fill.
    return codec == VideoCodec::X264 ? 0.005 : 0.01;
}

double FurtherStreamsBytesPerSecond(Container container, int audioStreams, int subtitleStreams)
{
    // The film disc (5.1 and a stereo commentary, two subtitle streams) spent 157-166 bytes/s
    // more in Matroska than the model's one audio stream; MP4's tables stayed inside the model.
    // Rounded up past both, per stream.
    const int furtherAudio = audioStreams > 1 ? audioStreams - 1 : 0;
    const double perAudio = container == Container::Mp4 ? 150 : 200;
    return furtherAudio * perAudio + subtitleStreams * 20.0;
}

} // namespace ratewise
