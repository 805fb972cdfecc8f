// SPDX-License-Identifier: GPL-3.0-or-later
// Video attributes of the title VOBs (header bytes 0x200 and 0x201) and the values derived from
// them: coding, standard and PAL flag, aspect, display mode, resolution, letterboxing. The track
// list takes its frame rate from the PAL flag; the project command reads the aspect code.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/dvd_time.h"
#include "ifo/title_set_info.h"

namespace ratewise {

struct VideoAttributes {
    std::uint8_t b0 = 0;
    std::uint8_t b1 = 0;
    bool mpeg2 = false;       // coding bits (b0 7-6) nonzero; MPEG-1 otherwise
    int standard = 0;         // b0 bits 5-4: 0 NTSC (525/60), nonzero PAL (625/50)
    bool pal = false;         // standard bits nonzero
    int aspectCode = 0;       // b0 bits 3-2
    int displayModeCode = 0;  // b0 bits 1-0
    int pictureSize = 0;      // b1 bits 3-2
    int resolutionIndex = 0;  // standard x 4 + picture size, 0 to 15
    bool letterboxed = false; // b1 bit 1
    int FrameRate() const { return TimeCodeFramesPerSecond(pal); }
};

VideoAttributes DecodeVideoAttributes(std::uint8_t b0, std::uint8_t b1);

// The attributes in info's header; nothing for a missing info.
std::optional<VideoAttributes> ifoGetVideoAttributes(const TitleSetInfo* info);

// "4:3", "square pixels", "4:3", "16:9" for codes 0 to 3.
std::string_view AspectName(int aspectCode);
// "pan-scan & letterboxed", "pan-scan", "letterboxed", "not specified" for codes 0 to 3.
std::string_view DisplayModeName(int displayModeCode);
// "720x480" ... "352x288" for indexes 0 to 7. Indexes 8 to 15 come from a reserved standard
// code and name no resolution: the empty text.
std::string_view ResolutionName(int resolutionIndex);

} // namespace ratewise
