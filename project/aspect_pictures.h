// SPDX-License-Identifier: GPL-3.0-or-later
// Which sample picture each of the dialog's four groups shows for a source and conversion.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace ratewise {

enum class AspectPicture {
    Letterboxed, // 16:9 at natural proportions with bands above and below (bitmap 145)
    Squeezed,    // 16:9 squeezed to fill a 4:3 frame (bitmap 147)
    Full,        // a picture filling the 4:3 frame (bitmap 146)
};

struct AspectView {
    std::string sourceAspectText;  // "4:3" or "16:9"
    bool conversionEnabled = true; // a 4:3 source has nothing to convert
    int conversion = -1;           // the conversion after the refresh; -1 for a 4:3 source
    // Source, Source Displayed, Target, Target Displayed; nothing when the pictures stay as
    // they are (a 16:9 source without a valid conversion).
    std::optional<std::array<AspectPicture, 4>> pictures;
};

AspectView AspectPictures(int sourceAspect, int conversion);

} // namespace ratewise
