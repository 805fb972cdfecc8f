// SPDX-License-Identifier: GPL-3.0-or-later
// The Bitrate Explorer window: the chart of one track's bitrate over its running time, the track
// list, three colour swatches, "Copy to clipboard" and "Close". It works on its own snapshot of
// the loaded title set; nothing flows back to the main window.
#pragma once

#include <QColor>
#include <QDialog>

#include <array>
#include <optional>

#include "explorer/explorer_data.h"
#include "ui/dialog_units.h"

class QComboBox;
class QPushButton;

namespace ratewise {

class ChartFrameWidget;
class ColourSwatchWidget;

class BitrateExplorerWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Bitrate Explorer";
    // The smallest outer size the window can be given.
    static constexpr int kMinimumWidth = 400;
    static constexpr int kMinimumHeight = 250;

    explicit BitrateExplorerWindow(ExplorerData explorerData, QWidget* parent = nullptr);

    const ExplorerData& Data() const { return m_data; }
    // The chart area as an image, the swatches and buttons not included.
    QImage ChartImage() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum Swatch { Background, Curve, Axis };

    void ChooseTrack(int index);
    void ChooseColour(Swatch swatch);
    void CopyToClipboard();
    void LayOut(int width, int height);
    void KeepMinimumOuterSize();
    void ShowColours();

    ExplorerData m_data;
    DialogUnits m_units;
    ChartFrameWidget* m_chart;
    QComboBox* m_tracks;
    std::array<ColourSwatchWidget*, 3> m_swatches{};
    QPushButton* m_copy;
    QPushButton* m_close;
};

} // namespace ratewise
