// SPDX-License-Identifier: GPL-3.0-or-later
// The Bitrate Explorer window, laid out from its template's dialog units until the first resize
// and by pixel offsets from the window's edges after it.
#include "explorer/bitrate_explorer_window.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>

#include "explorer/chart_frame_widget.h"
#include "explorer/chart_painter.h"
#include "explorer/colour_swatch_widget.h"
#include "explorer/explorer_texts.h"
#include "ui/native_dialogs.h"
#include "ui/rgb_colour.h"

namespace ratewise {
namespace {

QPushButton* Button(QWidget* parent, const char* text, const char* name, const QRect& where)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setGeometry(where);
    return button;
}

} // namespace

BitrateExplorerWindow::BitrateExplorerWindow(ExplorerData explorerData, QWidget* parent)
    : QDialog(parent), m_data(std::move(explorerData)), m_units(DialogFont())
{
    setObjectName(QStringLiteral("bitrateExplorer"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFont(DialogFont());
    resize(m_units.X(370), m_units.Y(195));

    m_chart = new ChartFrameWidget(&m_data, this);
    m_chart->setObjectName(QStringLiteral("chartFrame"));
    m_chart->setGeometry(m_units.Rect(0, 0, 370, 180));

    m_tracks = new QComboBox(this);
    m_tracks->setObjectName(QStringLiteral("trackList"));
    m_tracks->setGeometry(
        QRect(QPoint(0, m_units.Y(180)), QSize(m_units.X(125), m_tracks->sizeHint().height())));

    const struct {
        const char* label;
        const char* name;
        QPoint labelOrigin;
        QRect where;
    } swatches[] = {
        {"BG", "bgSwatch", {1, 3}, m_units.Rect(129, 182, 18, 13)},
        {"FG", "fgSwatch", {2, 3}, m_units.Rect(151, 182, 18, 13)},
        {"AX", "axSwatch", {2, 3}, m_units.Rect(173, 181, 18, 13)},
    };
    for (std::size_t i = 0; i < m_swatches.size(); ++i) {
        auto* swatch =
            new ColourSwatchWidget(QString::fromLatin1(swatches[i].label), swatches[i].labelOrigin, this);
        swatch->setObjectName(QLatin1String(swatches[i].name));
        swatch->setGeometry(swatches[i].where);
        m_swatches[i] = swatch;
    }
    m_copy = Button(this, "Copy to clipboard", "copyButton", m_units.Rect(249, 181, 62, 14));
    // The template's Close at (320, 180) touches the right edge; four units in, it keeps a margin
    // at every scale and still clears "Copy to clipboard".
    m_close = Button(this, "Close", "closeButton", m_units.Rect(316, 180, 50, 14));
    m_close->setDefault(true);

    // The list: every track in order, the shown one selected.
    {
        const QSignalBlocker blocker(m_tracks);
        for (int i = 0; i < m_data.trackCount; ++i) {
            const std::string& line = m_data.trackNames[static_cast<std::size_t>(i)];
            m_tracks->addItem(QString::fromStdString(ExplorerTrackItem(line)));
        }
        m_tracks->setCurrentIndex(m_data.currentTrack);
    }
    setWindowTitle(QString::fromStdString(LongExplorerTitle(m_data)));
    KeepMinimumOuterSize();
    m_data.backgroundColour = kDefaultBackgroundColour;
    m_data.curveColour = kDefaultCurveColour;
    m_data.axisColour = kDefaultAxisColour;
    ShowColours();

    connect(m_tracks, &QComboBox::currentIndexChanged, this, &BitrateExplorerWindow::ChooseTrack);
    connect(m_swatches[Background], &ColourSwatchWidget::Clicked, this, [this] { ChooseColour(Background); });
    connect(m_swatches[Curve], &ColourSwatchWidget::Clicked, this, [this] { ChooseColour(Curve); });
    connect(m_swatches[Axis], &ColourSwatchWidget::Clicked, this, [this] { ChooseColour(Axis); });
    connect(m_copy, &QPushButton::clicked, this, &BitrateExplorerWindow::CopyToClipboard);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

QImage BitrateExplorerWindow::ChartImage() const
{
    return RenderChart(m_data, m_chart->size());
}

void BitrateExplorerWindow::ChooseTrack(int index)
{
    if (index < 0 || index >= m_data.trackCount)
        return;
    m_data.currentTrack = index;
    update();
    m_chart->update();
    setWindowTitle(QString::fromStdString(ShortExplorerTitle(m_data)));
}

void BitrateExplorerWindow::ChooseColour(Swatch swatch)
{
    const std::optional<QColor> chosen = CurrentNativeDialogs().AskColour(this, Qt::black);
    if (!chosen)
        return;
    Rgb& target = swatch == Background ? m_data.backgroundColour
                  : swatch == Curve    ? m_data.curveColour
                                       : m_data.axisColour;
    target = ToRgb(*chosen);
    ShowColours();
    m_chart->update();
}

void BitrateExplorerWindow::ShowColours()
{
    m_swatches[Background]->SetColour(ToQColor(m_data.backgroundColour));
    m_swatches[Curve]->SetColour(ToQColor(m_data.curveColour));
    m_swatches[Axis]->SetColour(ToQColor(m_data.axisColour));
}

void BitrateExplorerWindow::CopyToClipboard()
{
    // The clipboard keeps its own copy; the window holds on to nothing.
    QGuiApplication::clipboard()->setImage(ChartImage());
}

void BitrateExplorerWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The template's positions hold until the size really changes.
    if (event->oldSize().isValid() && event->oldSize() != event->size())
        LayOut(event->size().width(), event->size().height());
}

void BitrateExplorerWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    KeepMinimumOuterSize();
}

void BitrateExplorerWindow::KeepMinimumOuterSize()
{
    // The limit is on the outer size; Qt limits the client area, so take the frame off.
    const QSize frame = frameGeometry().size() - size();
    setMinimumSize(kMinimumWidth - frame.width(), kMinimumHeight - frame.height());
}

void BitrateExplorerWindow::LayOut(int width, int height)
{
    // Pixel offsets from the window's edges, scaled with the font as the template's units are.
    const auto px = [this](int pixels) { return m_units.ScaledPixels(pixels); };
    const int row = height - px(25);
    const int rowHeight = px(22);
    m_close->setGeometry(width - px(65), row, px(60), rowHeight);
    m_chart->setGeometry(0, 0, width, height - px(30));
    m_tracks->setGeometry(px(5), row, px(140), rowHeight);
    m_swatches[Background]->setGeometry(px(150), row, rowHeight, rowHeight);
    m_swatches[Curve]->setGeometry(px(175), row, rowHeight, rowHeight);
    m_swatches[Axis]->setGeometry(px(200), row, rowHeight, rowHeight);
    m_copy->setGeometry(px(225), row, px(95), rowHeight);
}

} // namespace ratewise
