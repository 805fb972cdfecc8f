// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog units from the font's metrics, rounded the way dialog templates are laid out.
#include "ui/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace ratewise {
namespace {

// a × b / c rounded to the nearest integer, as templates scale their units.
int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

QFont DialogFont(int pointSize)
{
    const QString family = QFontDatabase::families().contains(QStringLiteral("Arial"))
                               ? QStringLiteral("Arial")
                               : QStringLiteral("Liberation Sans");
    QFont font(family, pointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, as the template engine measures it.
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = std::max(1, (letters / 26 + 1) / 2);
    // The line's height rounded up: a control one text line high then holds the whole line, where
    // the rounded-down height cut a fraction of a pixel off every label, field and button.
    m_baseY = std::max(1, static_cast<int>(std::ceil(QFontMetricsF(font).height())));
}

int DialogUnits::X(int units) const
{
    return MulDiv(units, m_baseX, 4);
}

int DialogUnits::Y(int units) const
{
    return MulDiv(units, m_baseY, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    // Both corners are mapped, as a template maps its rectangles, so neighbours never overlap.
    return QRect(QPoint(X(x), Y(y)), QPoint(X(x + width) - 1, Y(y + height) - 1));
}

int DialogUnits::ScaledPixels(int pixels) const
{
    return std::max(1, MulDiv(pixels, m_baseX, 6));
}

} // namespace ratewise
