// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/exact_time.h"

#include <algorithm>

#include "common/string_format.h"

namespace ratewise {

std::int64_t FrameTimeIn(std::int64_t frame, FrameRate rate, std::int64_t unitsPerSecond)
{
    if (rate.frames <= 0 || rate.seconds <= 0 || frame < 0)
        return 0;
    // Whole seconds first, then the fraction, so frame × seconds × units never has to fit whole.
    const std::int64_t scaled = frame * rate.seconds;
    const std::int64_t whole = scaled / rate.frames;
    const std::int64_t rest = scaled % rate.frames;
    return whole * unitsPerSecond + rest * unitsPerSecond / rate.frames;
}

std::string FrameClockText(std::int64_t frame, FrameRate rate, int decimals)
{
    decimals = std::clamp(decimals, 0, 9);
    std::int64_t unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    const std::int64_t time = FrameTimeIn(frame, rate, unit);
    const std::int64_t seconds = time / unit;
    std::string text =
        StringPrintf("%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                     static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    if (decimals > 0)
        text += StringPrintf(".%0*lld", decimals, static_cast<long long>(time % unit));
    return text;
}

} // namespace ratewise
