// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the bitrate chart with a QPainter: fixed 0 to 10000 kbit/s scale, a line every ten
// minutes, one curve point per pixel column.
#include "explorer/chart_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include "explorer/chart_geometry.h"
#include "explorer/explorer_texts.h"
#include "explorer/profile_column.h"
#include "ui/dialog_units.h"
#include "ui/rgb_colour.h"

namespace ratewise {
namespace {

// Chart rectangles exclude their right and bottom edges, as the plot arithmetic expects.
ChartRect ToChartRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

// Text positions are top-left corners; QPainter places text by its baseline.
void DrawLabel(QPainter& painter, int x, int y, const std::string& text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), QString::fromStdString(text));
}

} // namespace

QFont ChartFont()
{
    QFont font = DialogFont();
    font.setPixelSize(11);
    return font;
}

void DrawChart(QPainter& painter, const QRect& chart, const ExplorerData& data)
{
    painter.save();
    const ChartRect area = ToChartRect(chart);
    const ChartRect plot = PlotRect(area);
    const int track = data.currentTrack;
    const int duration = track >= 0 && static_cast<std::size_t>(track) < data.durationSeconds.size()
                             ? data.durationSeconds[static_cast<std::size_t>(track)]
                             : 0;

    QPen gridPen(ToQColor(kGridColour), 1, Qt::CustomDashLine);
    gridPen.setDashPattern({1, 1});
    gridPen.setCosmetic(true);
    const QPen axisPen(ToQColor(data.axisColour), 2, Qt::SolidLine, Qt::FlatCap);
    painter.setFont(ChartFont());
    painter.setBackgroundMode(Qt::TransparentMode);

    // Value lines with their labels, then the ten-minute lines with theirs.
    for (const GridLine& line : ValueGridLines(area)) {
        painter.setPen(ToQColor(data.axisColour));
        DrawLabel(painter, line.labelX, line.labelY, line.label);
        painter.setPen(gridPen);
        painter.drawLine(plot.left - 2, line.position, plot.right, line.position);
    }
    for (const GridLine& line : MinuteGridLines(area, duration)) {
        painter.setPen(ToQColor(data.axisColour));
        DrawLabel(painter, line.labelX, line.labelY, line.label);
        painter.setPen(gridPen);
        painter.drawLine(line.position, plot.top - 1, line.position, plot.bottom + 1);
    }

    // The axes: down the left edge, then along the bottom.
    painter.setPen(axisPen);
    const QPoint axes[] = {{plot.left, plot.top}, {plot.left, plot.bottom}, {plot.right, plot.bottom}};
    painter.drawPolyline(axes, 3);

    painter.setPen(ToQColor(data.axisColour));
    DrawLabel(painter, area.left + kCaptionX, area.top + kCaptionY, kChartCaption);

    // The curve: one point per column, starting at the column next to the value axis.
    const std::vector<int> columns = ProfileColumns(data, plot.Width());
    if (columns.size() >= 2) {
        QPolygon curve(static_cast<int>(columns.size()));
        for (std::size_t i = 0; i < columns.size(); ++i)
            curve.setPoint(static_cast<int>(i), plot.left + static_cast<int>(i) + 1,
                           ValueY(plot, columns[i]));
        // A cosmetic pen takes the raster engine's fast one-pixel line path.
        QPen curvePen(ToQColor(data.curveColour), 1);
        curvePen.setCosmetic(true);
        painter.setPen(curvePen);
        painter.drawPolyline(curve);
    }
    painter.restore();
}

void DrawChartArea(QPainter& painter, const QRect& chart, const ExplorerData& data)
{
    painter.save();
    const QColor background = ToQColor(data.backgroundColour);
    painter.fillRect(chart, background);
    // The outline; its inside is already filled with the background.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(chart.adjusted(0, 0, -1, -1));
    painter.restore();
    DrawChart(painter, chart, data);
}

QImage RenderChart(const ExplorerData& data, QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    DrawChartArea(painter, QRect(QPoint(0, 0), image.size()), data);
    return image;
}

} // namespace ratewise
