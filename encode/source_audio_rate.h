// SPDX-License-Identifier: GPL-3.0-or-later
// The bitrate an audio stream of the disc carries, read from its first frame headers in the
// title's packs: what a plan that copies the stream must leave room for. The title set's
// attributes do not record it.
#pragma once

#include <optional>
#include <span>

#include "encode/encode_plan.h"
#include "encode/title_stream.h"
#include "ifo/byte_source.h"

namespace ratewise {

// AC-3 from its frame-size code, MPEG-1 Layer II from its bitrate index, LPCM from its sample
// rate, word size and channels. Nothing for other codings or when no frame header turns up in
// the first packs of the ranges.
std::optional<double> SourceAudioBitsPerSecond(ByteSource& vobs, std::span<const SectorRange> ranges,
                                               DvdAudio coding, int stream);

// The same from one pack's bytes (2048); exposed for tests.
std::optional<double> AudioBitsPerSecondInPack(std::span<const std::uint8_t> pack, DvdAudio coding,
                                               int stream);

} // namespace ratewise
