// SPDX-License-Identifier: GPL-3.0-or-later
// The property list of the two Video CD project templates.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "project/component_stream.h"

namespace ratewise {

// The four values in which the PAL and the NTSC film templates differ.
struct VcdTemplateVariant {
    std::string_view text;        // Job.MPEG.Text
    std::int32_t height = 0;      // Job.MPEG.Video.Height
    std::int32_t frameRate = 0;   // MPEG-1 frame rate code: 3 = 25 Hz, 1 = 23.976 Hz
    std::int32_t aspectRatio = 0; // MPEG-1 pel aspect code: 8 = CCIR 601 625 lines, 12 = 525 lines
};

inline constexpr VcdTemplateVariant kPalVcdVariant{"$$VCD_PAL", 288, 3, 8};
inline constexpr VcdTemplateVariant kNtscFilmVcdVariant{"$$VCD_NTSCFilm", 240, 1, 12};

// The encoder job's class name and its properties, in stream order.
inline constexpr std::string_view kEncodeJobClassName = "TMPEGEncodeJobFile";
std::vector<ComponentProperty> VcdTemplateProperties(const VcdTemplateVariant& variant);

} // namespace ratewise
