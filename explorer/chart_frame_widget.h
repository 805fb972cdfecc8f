// SPDX-License-Identifier: GPL-3.0-or-later
// The Bitrate Explorer's chart area: draws the chart off-screen and puts it on the screen in one
// piece, so a repaint never shows a half-drawn chart.
#pragma once

#include <QWidget>

#include "explorer/explorer_data.h"

namespace ratewise {

class ChartFrameWidget : public QWidget
{
    Q_OBJECT

public:
    // `explorerData` belongs to the window and outlives this widget.
    ChartFrameWidget(const ExplorerData* explorerData, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ExplorerData* m_data;
};

} // namespace ratewise
