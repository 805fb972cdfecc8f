// SPDX-License-Identifier: GPL-3.0-or-later
// The Bitrate Explorer window on a real title set: titles, track list, colour swatches, the
// clipboard picture, the layout on resizing and the minimum size; and the main window's
// "Bitrate Informations" command that opens it.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <iostream>
#include <memory>

#include "app/main_dialog.h"
#include "app/track_list_commands.h"
#include "explorer/bitrate_explorer_window.h"
#include "explorer/colour_swatch_widget.h"
#include "explorer/explorer_source.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/lone_video_manager.h"
#include "tests/ui/window_test_main.h"
#include "ui/framed_line_edit.h"

using namespace ratewise;

namespace {

const QString kFolder = QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/");
// The set's four tracks as the main window lists them; the second is under a second long and its
// map is empty.
const std::vector<std::string> kLines = {"T1: 00:00:45 .00", "T2: 00:00:00 .15", "T3: 00:00:20 .20",
                                         "T4: 00:00:02 .15"};

ExplorerData Snapshot(int focused)
{
    ExplorerRead read = ReadExplorerData((kFolder + QStringLiteral("VTS_01_0.IFO")).toStdString(), kLines,
                                         focused, std::cerr);
    if (!read.data)
        qFatal("the fixture cannot be read");
    return *read.data;
}

QImage AsRgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

bool HasColour(const QImage& image, const QColor& colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

} // namespace

class BitrateExplorerTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        m_window.reset();
        m_main.reset();
    }

    void opensWithTheLongTitleTheTracksAndDefaultColours();
    void choosingATrackRedrawsTheChartAndShortensTheTitle();
    void swatchesChangeTheirColourAndCancelKeepsIt();
    void clipboardGetsTheChartAreaOnly();
    void resizingMovesTheControlsAndStopsAtTheMinimum();
    void mainWindowOpensTheFocusedTrack();
    void mainWindowOpensNothingWithoutAFileOrTrack();

private:
    BitrateExplorerWindow* Open(ExplorerData data)
    {
        m_window = std::make_unique<BitrateExplorerWindow>(std::move(data));
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            qWarning("window not exposed");
        return m_window.get();
    }
    template <typename T> T* Child(const char* name) const
    {
        return m_window->findChild<T*>(QLatin1String(name));
    }
    ColourSwatchWidget* Swatch(const char* name) const { return Child<ColourSwatchWidget>(name); }
    // Starts the main window with `arguments` (a title set to load) and presses the button with
    // `row` of the track list focused.
    BitrateExplorerWindow* PressBitrateInformations(const QStringList& arguments, int row)
    {
        m_main = std::make_unique<MainDialog>(arguments);
        m_main->show();
        return PressAgain(row);
    }
    BitrateExplorerWindow* PressAgain(int row)
    {
        m_main->Controls().tracks->setCurrentRow(row);
        m_main->Controls().bitrateInfo->click();
        return m_main->findChild<BitrateExplorerWindow*>();
    }

    std::unique_ptr<BitrateExplorerWindow> m_window;
    std::unique_ptr<MainDialog> m_main;
};

void BitrateExplorerTest::opensWithTheLongTitleTheTracksAndDefaultColours()
{
    // Colours left in a snapshot do not carry over: every opening starts white, red, navy.
    ExplorerData data = Snapshot(2);
    data.backgroundColour = {1, 2, 3};
    data.curveColour = {4, 5, 6};
    BitrateExplorerWindow* window = Open(std::move(data));
    const int average = window->Data().averageKbps[2];
    QVERIFY(average > 0);
    QCOMPARE(window->windowTitle(),
             QStringLiteral("Bitrate Explorer  Track 3  Average Bitrate: %1 Kbps (%2 Mbps)")
                 .arg(average)
                 .arg(average / 1024.0, 0, 'f', 2));
    QVERIFY(window->isModal());

    auto* tracks = Child<QComboBox>("trackList");
    QCOMPARE(tracks->count(), 4);
    QCOMPARE(tracks->itemText(0), QStringLiteral("Track 1: 00:00:45 .00"));
    QCOMPARE(tracks->itemText(2), QStringLiteral("Track 3: 00:00:20 .20"));
    QCOMPARE(tracks->currentIndex(), 2);

    QCOMPARE(Swatch("bgSwatch")->Colour(), QColor(255, 255, 255));
    QCOMPARE(Swatch("fgSwatch")->Colour(), QColor(255, 0, 0));
    QCOMPARE(Swatch("axSwatch")->Colour(), QColor(0, 0, 128));
    QCOMPARE(Swatch("bgSwatch")->Label(), QStringLiteral("BG"));
    QCOMPARE(Child<QPushButton>("copyButton")->text(), QStringLiteral("Copy to clipboard"));
    QVERIFY(Child<QPushButton>("closeButton")->isDefault());

    // Until the first resize the controls stand where the template puts them.
    const DialogUnits units(window->font());
    QCOMPARE(Child<QWidget>("chartFrame")->geometry(), units.Rect(0, 0, 370, 180));
    // Close alone stands four units in from the right edge, clear of it at every scale.
    QCOMPARE(Child<QPushButton>("closeButton")->geometry(), units.Rect(316, 180, 50, 14));
    QVERIFY(Child<QPushButton>("closeButton")->geometry().right() < window->width() - 1);
    // The frame shows what the painter draws: the chart with a red curve on white.
    const QImage shown = AsRgb(Child<QWidget>("chartFrame")->grab().toImage());
    QCOMPARE(shown, AsRgb(window->ChartImage()));
    QVERIFY(HasColour(shown, QColor(255, 0, 0)));
    QCOMPARE(shown.pixelColor(2, 2), QColor(255, 255, 255));
    QCOMPARE(shown.pixelColor(0, 0), QColor(0, 0, 0));

    Child<QPushButton>("closeButton")->click();
    QVERIFY(!window->isVisible());
}

void BitrateExplorerTest::choosingATrackRedrawsTheChartAndShortensTheTitle()
{
    BitrateExplorerWindow* window = Open(Snapshot(0));
    const QImage first = window->ChartImage();
    auto* tracks = Child<QComboBox>("trackList");
    tracks->setFocus();
    QTest::keyClick(tracks, Qt::Key_Down);
    QTest::keyClick(tracks, Qt::Key_Down);
    QCOMPARE(window->Data().currentTrack, 2);
    QCOMPARE(window->windowTitle(), QStringLiteral("Bitrate Explorer  Track 3  Average Bitrate: %1 Mbps")
                                        .arg(window->Data().averageKbps[2] / 1024.0, 0, 'f', 2));
    const QImage second = window->ChartImage();
    QVERIFY(second != first);
    QCOMPARE(AsRgb(Child<QWidget>("chartFrame")->grab().toImage()), AsRgb(second));
    // Back to the first track: the same picture as at the start.
    QTest::keyClick(tracks, Qt::Key_Up);
    QTest::keyClick(tracks, Qt::Key_Up);
    QCOMPARE(window->ChartImage(), first);
}

void BitrateExplorerTest::swatchesChangeTheirColourAndCancelKeepsIt()
{
    BitrateExplorerWindow* window = Open(Snapshot(0));
    test_support::DialogRecorder dialogs;
    std::optional<QColor>& answer = dialogs.nextColour;
    answer = QColor(0, 255, 0);

    QTest::mouseClick(Swatch("fgSwatch"), Qt::LeftButton);
    QCOMPARE(dialogs.colourStarts, std::vector<QColor>{QColor(Qt::black)});
    QCOMPARE(window->Data().curveColour, (Rgb{0, 255, 0}));
    QCOMPARE(Swatch("fgSwatch")->Colour(), QColor(0, 255, 0));
    QImage chart = window->ChartImage();
    QVERIFY(HasColour(chart, QColor(0, 255, 0)));
    QVERIFY(!HasColour(chart, QColor(255, 0, 0)));

    answer = QColor(0, 0, 255);
    QTest::mouseClick(Swatch("bgSwatch"), Qt::LeftButton);
    QCOMPARE(window->ChartImage().pixelColor(2, 2), QColor(0, 0, 255));
    answer = QColor(200, 100, 0);
    QTest::mouseClick(Swatch("axSwatch"), Qt::LeftButton);
    QCOMPARE(window->Data().axisColour, (Rgb{200, 100, 0}));
    QCOMPARE(window->Data().backgroundColour, (Rgb{0, 0, 255}));
    QCOMPARE(dialogs.colourStarts.size(), std::size_t(3));

    // Cancelling changes neither the colours nor the picture.
    const QImage before = window->ChartImage();
    answer = std::nullopt;
    for (const char* name : {"bgSwatch", "fgSwatch", "axSwatch"})
        QTest::mouseClick(Swatch(name), Qt::LeftButton);
    QCOMPARE(dialogs.colourStarts.size(), std::size_t(6));
    QCOMPARE(window->ChartImage(), before);
    QCOMPARE(Swatch("axSwatch")->Colour(), QColor(200, 100, 0));
}

void BitrateExplorerTest::clipboardGetsTheChartAreaOnly()
{
    BitrateExplorerWindow* window = Open(Snapshot(0));
    QApplication::clipboard()->clear();
    Child<QPushButton>("copyButton")->click();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), Child<QWidget>("chartFrame")->size());
    QCOMPARE(AsRgb(copied), AsRgb(window->ChartImage()));

    // After a resize the picture follows the chart area.
    window->resize(900, 600);
    Child<QPushButton>("copyButton")->click();
    QCOMPARE(QApplication::clipboard()->image().size(), Child<QWidget>("chartFrame")->size());
}

void BitrateExplorerTest::resizingMovesTheControlsAndStopsAtTheMinimum()
{
    BitrateExplorerWindow* window = Open(Snapshot(0));
    const DialogUnits units(window->font());
    const auto px = [&](int pixels) { return units.ScaledPixels(pixels); };

    window->resize(800, 500);
    QCOMPARE(Child<QWidget>("chartFrame")->geometry(), QRect(0, 0, 800, 500 - px(30)));
    QCOMPARE(Child<QPushButton>("closeButton")->geometry(),
             QRect(800 - px(65), 500 - px(25), px(60), px(22)));
    QCOMPARE(Child<QComboBox>("trackList")->pos(), QPoint(px(5), 500 - px(25)));
    QCOMPARE(Swatch("bgSwatch")->geometry(), QRect(px(150), 500 - px(25), px(22), px(22)));
    QCOMPARE(Swatch("axSwatch")->geometry(), QRect(px(200), 500 - px(25), px(22), px(22)));
    QCOMPARE(Child<QPushButton>("copyButton")->geometry(), QRect(px(225), 500 - px(25), px(95), px(22)));

    // Far too small: the outer size stops at 400 x 250, the controls stay above the bottom.
    window->resize(100, 100);
    QCOMPARE(window->frameGeometry().size(),
             QSize(BitrateExplorerWindow::kMinimumWidth, BitrateExplorerWindow::kMinimumHeight));
    QCOMPARE(Child<QPushButton>("closeButton")->y(), window->height() - px(25));
    QCOMPARE(Child<QWidget>("chartFrame")->height(), window->height() - px(30));
    const QSize frame = window->frameGeometry().size() - window->size();
    window->resize(QSize(401, 251) - frame);
    QCOMPARE(window->frameGeometry().size(), QSize(401, 251));
}

void BitrateExplorerTest::mainWindowOpensTheFocusedTrack()
{
    BitrateExplorerWindow* window = PressBitrateInformations({kFolder + QStringLiteral("VTS_01_0.IFO")}, 2);
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QVERIFY(window->isModal());
    QCOMPARE(window->Data().currentTrack, 2);
    // The names are the main window's list entries; the explorer's list spells out "Track".
    QListWidget* list = m_main->Controls().tracks;
    QCOMPARE(static_cast<int>(window->Data().trackNames.size()), list->count());
    QCOMPARE(QString::fromStdString(window->Data().trackNames[2]), list->item(2)->text());
    auto* items = window->findChild<QComboBox*>(QStringLiteral("trackList"));
    QCOMPARE(items->itemText(2),
             QString(list->item(2)->text()).replace(QLatin1Char('T'), QStringLiteral("Track ")));
    QVERIFY(items->itemText(2).startsWith(QStringLiteral("Track 3: ")));
    // The same averages the loaded track list reports.
    QCOMPARE(window->Data().averageKbps[2], m_main->TrackCommands().Tracks().AverageKbps(2));
    QCOMPARE(window->Data().durationSeconds[2], m_main->TrackCommands().Tracks().RunningSeconds(2));
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("Bitrate Explorer  Track 3  Average Bitrate: ")));
    // The snapshot is taken afresh at each press and goes with the window.
    window->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    QTRY_VERIFY(m_main->findChild<BitrateExplorerWindow*>() == nullptr);
    window = PressAgain(0);
    QVERIFY(window != nullptr);
    QCOMPARE(window->Data().currentTrack, 0);
}

void BitrateExplorerTest::mainWindowOpensNothingWithoutAFileOrTrack()
{
    // Nothing loaded.
    QVERIFY(PressBitrateInformations({}, 0) == nullptr);
    QVERIFY(m_main->isEnabled());
    // No focused entry.
    QVERIFY(PressBitrateInformations({kFolder + QStringLiteral("VTS_01_0.IFO")}, -1) == nullptr);
    // A file that is no title set after a good one: its load empties the list, and the time map
    // the good one left behind is not shown.
    QVERIFY(PressBitrateInformations({kFolder + QStringLiteral("VTS_01_0.IFO")}, 0) != nullptr);
    m_main->findChild<BitrateExplorerWindow*>()->close();
    QTRY_VERIFY(m_main->findChild<BitrateExplorerWindow*>() == nullptr);
    m_main->TrackCommands().LoadIfo(test_support::LoneVideoManager());
    QVERIFY(PressAgain(0) == nullptr);
    // Not a title set, or no such file, from the start.
    QVERIFY(PressBitrateInformations({test_support::LoneVideoManager()}, 0) == nullptr);
    QVERIFY(PressBitrateInformations({kFolder + QStringLiteral("missing.IFO")}, 0) == nullptr);
    // The window stays usable: the calculator still answers.
    QCOMPARE(m_main->Controls().video->text(), QStringLiteral("668.444"));
}

RATEWISE_WINDOW_TEST(bitrate_explorer_test, BitrateExplorerTest)
#include "bitrate_explorer_test.moc"
