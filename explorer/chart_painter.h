// SPDX-License-Identifier: GPL-3.0-or-later
// The one painter of the bitrate chart. The window, the clipboard copy and the file export all
// draw through it, so the three pictures are the same.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>

#include "explorer/explorer_data.h"

class QPainter;

namespace ratewise {

// The small font of the axis labels and the caption.
QFont ChartFont();

// Grid lines with their labels, the axes, the caption and the current track's curve over the
// chart area `chart`, in the data's colours. Leaves the painter's pen, brush and font as it found
// them.
void DrawChart(QPainter& painter, const QRect& chart, const ExplorerData& data);

// The whole chart area: background, black outline, then DrawChart.
void DrawChartArea(QPainter& painter, const QRect& chart, const ExplorerData& data);

// The chart area drawn off-screen into an image of `size`, ready to be shown in one piece.
QImage RenderChart(const ExplorerData& data, QSize size);

} // namespace ratewise
