// SPDX-License-Identifier: GPL-3.0-or-later
// Places controls the way a dialog template does: positions and sizes are given in dialog units,
// which follow the dialog font's average character width (4 units) and height (8 units).
#pragma once

#include <QFont>
#include <QRect>

namespace ratewise {

// Arial at 8 points where it is installed, else Liberation Sans, its metric twin.
QFont DialogFont(int pointSize = 8);

class DialogUnits
{
public:
    explicit DialogUnits(const QFont& font);

    // Pixels per 4 horizontal and per 8 vertical dialog units.
    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;

    // A pixel distance that was chosen for a 6-pixel-wide average character, scaled to this font.
    int ScaledPixels(int pixels) const;

private:
    int m_baseX;
    int m_baseY;
};

} // namespace ratewise
