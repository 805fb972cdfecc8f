// SPDX-License-Identifier: GPL-3.0-or-later
// How many bytes each elementary stream of a title holds: what a copied audio or subtitle stream
// adds to the output, counted in the packs the title plays rather than guessed from one frame
// header (a variable stream, or one whose frames differ, would be budgeted wrong).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>

#include "encode/encode_plan.h"
#include "encode/title_stream.h"
#include "ifo/byte_source.h"

namespace ratewise {

// Streams are keyed as ffmpeg's MPEG-PS reader numbers them: 0x1C0 + n for MPEG audio, the
// private stream's substream id for the rest (0x80 + n AC-3, 0x88 + n DTS, 0xA0 + n LPCM,
// 0x20 + n subpictures).
using StreamBytes = std::map<int, std::uint64_t>;

// The key of audio stream `stream` (from 0) of the coding; subpicture stream n is 0x20 + n.
int AudioStreamKey(DvdAudio coding, int stream);

// The payload bytes of every stream in the ranges' packs, without the PES and substream headers.
// Nothing when the VOBs cannot be read there.
std::optional<StreamBytes> CountStreamBytes(ByteSource& vobs, std::span<const SectorRange> ranges);

// The same for one pack (2048 bytes), added to `bytes`; exposed for tests.
void CountPackStreamBytes(std::span<const std::uint8_t> pack, StreamBytes& bytes);

} // namespace ratewise
