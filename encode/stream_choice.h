// SPDX-License-Identifier: GPL-3.0-or-later
// What `plan --audio` and `--subtitles` take: which streams an encode carries, and how.
#pragma once

#include <string>
#include <string_view>

#include "encode/encode_plan.h"

namespace ratewise {

// "all", or stream numbers from 1, comma-separated, each optionally "N:codec" or "N:codec:kbps"
// (codec aac, ac3 or copy): "1,3", "1:copy,2:aac:96". Fills the audio half of `choice`; false,
// with `why` set, when the text is not such a list or names a stream twice.
bool ParseAudioChoice(std::string_view text, StreamChoice& choice, std::string& why);

// "all", "none", or stream numbers from 1: "1,2".
bool ParseSubtitleChoice(std::string_view text, StreamChoice& choice, std::string& why);

// The video encoder presets x264 and x265 both take, fastest first.
bool IsEncoderPreset(std::string_view name);
std::string EncoderPresetList(); // "ultrafast, superfast, ..., placebo"

} // namespace ratewise
