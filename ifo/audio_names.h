// SPDX-License-Identifier: GPL-3.0-or-later
// Names of audio codings and the MPEG stream codes of an audio stream, for the audio report.
#pragma once

#include <string>
#include <string_view>

namespace ratewise {

// "AC3", "???", "MPEG1", "MPEG2ext", "LPCM", "SDDS", "DTS" and the empty text for modes 0 to 7
// (mode & 7).
std::string_view audioCodingName(int mode);

// The stream codes of audio stream n (counting from 0) of coding mode & 7: the stream prefix and
// the sub-stream base + n ("0xBD 0x81"), or prefix + n alone for codings without sub-streams
// ("0xC0").
std::string audioStreamCode(int mode, int n);

} // namespace ratewise
