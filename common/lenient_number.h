// SPDX-License-Identifier: GPL-3.0-or-later
// Lenient number parsing as the C library's atoi and atof do it: leading number, else 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace ratewise {

// Optional white space, optional sign, decimal digits up to the first other character.
// A text without a leading number gives 0. Values beyond the 32-bit range saturate at the
// int32 limits instead of overflowing.
std::int32_t LenientAtoi(std::string_view text);

// atof in the "C" locale (whatever locale the desktop program runs in): optional white space and
// sign, digits with an optional decimal point and fraction, an optional exponent; also "inf",
// "nan" and hexadecimal forms as atof has them. No leading number gives 0.
double LenientAtof(std::string_view text);

} // namespace ratewise
