// SPDX-License-Identifier: GPL-3.0-or-later
// A colour as three 8-bit channels, for the calculator's field frames and the explorer's chart;
// the windows turn it into their toolkit's colour (ui/rgb_colour.h).
#pragma once

#include <cstdint>

namespace ratewise {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

} // namespace ratewise
