// SPDX-License-Identifier: GPL-3.0-or-later
// The core's colours as Qt's and back.
#pragma once

#include <QColor>

#include <cstdint>

#include "common/rgb.h"

namespace ratewise {

inline QColor ToQColor(Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

inline Rgb ToRgb(const QColor& colour)
{
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

} // namespace ratewise
