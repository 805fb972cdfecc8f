// SPDX-License-Identifier: GPL-3.0-or-later
// The audio bitrates the encoders really use. HandBrakeCLI raises or lowers an asked bitrate to
// its limits for the codec and mixdown without failing (AAC 5.1 takes at least 192 kbit/s), and
// ffmpeg's AC-3 encoder takes only the bitrates of its table. A plan budgets what comes out, so
// the medium is never overfilled by audio it did not count.
#pragma once

#include <string>

#include "encode/encode_plan.h"

namespace ratewise {

// The channel layout an encoded stream is given: the source's, at most 5.1.
enum class Mixdown { Mono, Stereo, FivePointOne };

Mixdown MixdownFor(int sourceChannels);
const char* MixdownName(Mixdown mixdown);  // HandBrakeCLI's names: "mono", "stereo", "5point1"
const char* MixdownLabel(Mixdown mixdown); // "mono", "stereo", "5.1"
int MixdownChannels(Mixdown mixdown);      // 1, 2, 6

// The kbit/s (of 1000 bits) the encoder uses when asked for `asked` kbit/s of `codec` (AAC or
// AC-3) in `mixdown` at 48 kHz; `low` and `high` get the encoder's limits.
int EncodedAudioKbps(Encoder encoder, AudioCodec codec, Mixdown mixdown, int asked, int& low, int& high);

// The note that says how and why the budgeted bitrate differs from the asked one ("audio 1:
// HandBrake encodes AAC 5.1 at no less than 192 kbit/s; 192 budgeted"); empty when they agree.
std::string AudioRuleNote(int audioNumber, Encoder encoder, AudioCodec codec, Mixdown mixdown, int asked,
                          int budgeted, int low, int high);

} // namespace ratewise
