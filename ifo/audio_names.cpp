// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/audio_names.h"

#include <array>

#include "common/string_format.h"

namespace ratewise {

namespace {

// Mode 5 names SDDS and mode 6 DTS: real DTS streams carry coding mode 6.
constexpr std::array<std::string_view, 8> kCodingNames{"AC3",  "???",  "MPEG1", "MPEG2ext",
                                                       "LPCM", "SDDS", "DTS",   ""};

struct StreamCode {
    int prefix;
    int subStreamBase; // -1: the coding has no sub-streams
};

// DTS and SDDS share the 0x88 sub-stream base.
constexpr std::array<StreamCode, 8> kStreamCodes{{
    {0xBD, 0x80},
    {0x00, -1},
    {0xC0, -1},
    {0xC8, -1},
    {0xBD, 0xA0},
    {0xBD, 0x88},
    {0xBD, 0x88},
    {0x00, -1},
}};

} // namespace

std::string_view audioCodingName(int mode)
{
    return kCodingNames[static_cast<std::size_t>(mode & 7)];
}

std::string audioStreamCode(int mode, int n)
{
    const StreamCode code = kStreamCodes[static_cast<std::size_t>(mode & 7)];
    if (code.subStreamBase < 0)
        return StringPrintf("0x%02X", static_cast<unsigned>(code.prefix + n));
    return StringPrintf("0x%02X 0x%02X", static_cast<unsigned>(code.prefix),
                        static_cast<unsigned>(code.subStreamBase + n));
}

} // namespace ratewise
