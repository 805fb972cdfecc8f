// SPDX-License-Identifier: GPL-3.0-or-later
// What an encode spends beyond its video and audio bits, so that a plan's output lands under its
// target: the container's own bytes (headers, index, per-frame framing) and a margin for the
// encoder's two-pass rate control, which misses the asked bitrate by a little either way.
#pragma once

#include <string>
#include <string_view>

namespace ratewise {

enum class Container { Matroska, Mp4 };

// Matroska for ".mkv" (and anything unknown), MP4 for ".mp4" and ".m4v" (any case).
Container ContainerForOutput(std::string_view outputPath);
std::string_view ContainerName(Container container); // "Matroska", "MP4"

struct ContainerOverhead {
    double fixedBytes = 0;     // headers, track entries, chapters, index base
    double bytesPerSecond = 0; // cluster/block or sample-table framing, grows with the length
};

enum class VideoCodec { X264, X265 };

// Measured on the authored test discs (tools/measure-fill): see the README's table.
ContainerOverhead OverheadOf(Container container, VideoCodec codec);

// The share of the video bits held back for the codec's two-pass rate control, which lands a
// little over the asked bitrate at worst by less than this on the measured grid.
double EncoderToleranceMargin(VideoCodec codec);

// The framing the container spends per second on streams beyond the first audio stream (the
// model above was fitted with one): each further audio stream's frames, each subtitle stream.
double FurtherStreamsBytesPerSecond(Container container, int audioStreams, int subtitleStreams);

// The share of an encoded AAC stream's bits held back: its rate control lands a little over the
// asked bitrate (HandBrake's AAC 5.1 at 192 kbit/s gave 0.85 % more on the film disc). AC-3 is
// constant: none.
inline constexpr double kAacToleranceMargin = 0.012;

} // namespace ratewise
