// SPDX-License-Identifier: GPL-3.0-or-later
// Painting of the chart area.
#include "explorer/chart_frame_widget.h"

#include <QPainter>

#include "explorer/chart_painter.h"

namespace ratewise {

ChartFrameWidget::ChartFrameWidget(const ExplorerData* explorerData, QWidget* parent)
    : QWidget(parent), m_data(explorerData)
{
    // The chart covers every pixel, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartFrameWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, RenderChart(*m_data, size()));
}

} // namespace ratewise
