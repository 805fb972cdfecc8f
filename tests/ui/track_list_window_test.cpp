// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's title-set side driven as a user drives it: a path on the command line, files
// dropped on the window, the "Open IFO file" dialog, selections in the track list, files that are
// no title sets, and the three stream report windows.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <memory>

#include "app/main_dialog.h"
#include "app/track_list_commands.h"
#include "app/window_slide.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/named_child.h"
#include "tests/ui/window_helpers.h"
#include "tests/ui/window_test_main.h"
#include "ui/balloon_tip_widget.h"
#include "ui/framed_line_edit.h"
#include "ui/ifo_file_dialog.h"
#include "ui/info_colours.h"
#include "ui/info_dialog.h"

using namespace ratewise;
using ratewise::test_support::Drop;

namespace {

const QString kFixtures = QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/");
const QString kThreeAudio = kFixtures + QStringLiteral("pal_d1_3audio_cells/VTS_01_0.IFO");
const QString kNinetyEight = kFixtures + QStringLiteral("pal_98_titles/VTS_01_0.IFO");
const QString kSubs16 = kFixtures + QStringLiteral("ntsc_d1_wide_subs16_menu/VTS_01_0.IFO");

QStringList Entries(QListWidget* list)
{
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->text();
    return entries;
}

} // namespace

class TrackListWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void commandLinePathLoadsAfterTheTipsExist();
    void onlyTheFirstDroppedFileLoads();
    void openButtonLoadsTheChosenFileAndCancelKeepsEverything();
    void filesThatAreNoTitleSetsTurnTheTipRedAndCloseTheWindow();
    void selectingSeveralTracksSumsTheirRunningTimes();
    void reportWindowsShowTheStreamsInWhiteOnBlack();
    void noReportWindowWithoutAReadableFile();

private:
    template <typename W> W* Get(const char* name)
    {
        return test_support::NamedChild<W>(m_dialog.get(), name);
    }
    QString Text(const char* name) { return Get<QLineEdit>(name)->text(); }
    QString TrackTipText()
    {
        const BalloonTool* tool = m_dialog->TrackTip().Tool(Get<QListWidget>("trackList"));
        return tool != nullptr ? tool->text : QStringLiteral("<no tool>");
    }
    QColor TrackTipColour()
    {
        const BalloonTool* tool = m_dialog->TrackTip().Tool(Get<QListWidget>("trackList"));
        return tool != nullptr ? tool->backColor : QColor();
    }
    void WaitForSlide() { QTRY_VERIFY(!m_dialog->Slide().IsSliding()); }
    InfoDialog* ClickReport(const char* button);

    std::unique_ptr<MainDialog> m_dialog;
    QTemporaryDir m_dir;
    QString m_menu; // a disc's VIDEO_TS.IFO alone, its title set missing
};

void TrackListWindowTest::initTestCase()
{
    BalloonTip::SetTimeDivisor(20);
    QVERIFY(m_dir.isValid());
    QFile empty(m_dir.filePath(QStringLiteral("empty.ifo")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    QFile text(m_dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("VTS_01_0.IFO is the file to drop here\n");
    // A title set cut after its header: the program-chain table is gone.
    QFile whole(kThreeAudio);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    QFile cut(m_dir.filePath(QStringLiteral("VTS_09_0.IFO")));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(2048 + 100));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("lone")));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("nodisc"))); // a folder without DVD files
    m_menu = m_dir.filePath(QStringLiteral("lone/VIDEO_TS.IFO"));
    QVERIFY(QFile::copy(kFixtures + QStringLiteral("pal_98_titles/VIDEO_TS.IFO"), m_menu));
}

void TrackListWindowTest::init()
{
    m_dialog = std::make_unique<MainDialog>(QStringList{});
    m_dialog->move(50, 50);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TrackListWindowTest::cleanup()
{
    m_dialog.reset();
}

InfoDialog* TrackListWindowTest::ClickReport(const char* button)
{
    QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton);
    return m_dialog->findChild<InfoDialog*>(QStringLiteral("infoDialog"));
}

void TrackListWindowTest::commandLinePathLoadsAfterTheTipsExist()
{
    m_dialog = std::make_unique<MainDialog>(QStringList{kThreeAudio, QStringLiteral("ignored")});
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    WaitForSlide();
    QCOMPARE(m_dialog->width(), m_dialog->Slide().OpenWidth());
    QVERIFY(Get<QPushButton>("videoInfoButton")->isVisible());

    QListWidget* tracks = Get<QListWidget>("trackList");
    QCOMPARE(Entries(tracks),
             (QStringList{"T1: 00:00:45 .00", "T2: 00:00:00 .15", "T3: 00:00:20 .20", "T4: 00:00:02 .15"}));
    QCOMPARE(tracks->selectedItems().size(), 1);
    QCOMPARE(tracks->currentRow(), 0);
    QCOMPARE(Text("hoursEdit"), QStringLiteral("0"));
    QCOMPARE(Text("minutesEdit"), QStringLiteral("00"));
    QCOMPARE(Text("secondsEdit"), QStringLiteral("45"));
    QCOMPARE(Text("cellsEdit"), QStringLiteral("9"));
    QCOMPARE(Text("audioTracksEdit"), QStringLiteral("3"));
    QCOMPARE(Text("subtitlesEdit"), QStringLiteral("2"));
    QCOMPARE(m_dialog->State().seconds, 45);
    QVERIFY(TrackTipText().startsWith(QStringLiteral("Track Number: 1\n")));
    QVERIFY(TrackTipText().contains(QStringLiteral("Last Frame: 1125\nNumber of frames: 1126\n")));
    QCOMPARE(TrackTipColour(), QColor(0, 255, 0));
    QCOMPARE(m_dialog->TrackTip().initialDelay, 100);
    QCOMPARE(m_dialog->TrackTip().autoHideTime, 30000);

    const LoadedTitleSet loaded = m_dialog->Loaded();
    QCOMPARE(loaded.ifoPath, kThreeAudio);
    QCOMPARE(loaded.focusedTrack, 0);
    QCOMPARE(loaded.tracks.TrackCount(), 4);
}

void TrackListWindowTest::onlyTheFirstDroppedFileLoads()
{
    Drop(m_dialog.get(), {kNinetyEight, m_menu, kThreeAudio});
    QCOMPARE(m_dialog->IfoPath(), kNinetyEight);
    QListWidget* tracks = Get<QListWidget>("trackList");
    QCOMPARE(tracks->count(), 98);
    QCOMPARE(tracks->item(97)->text().left(5), QStringLiteral("T98: "));
    QCOMPARE(Text("audioTracksEdit"), QStringLiteral("1"));
    WaitForSlide();
    QCOMPARE(m_dialog->width(), m_dialog->Slide().OpenWidth());

    // A second drop replaces the list.
    Drop(m_dialog.get(), {kThreeAudio});
    QCOMPARE(tracks->count(), 4);
    QCOMPARE(tracks->currentRow(), 0);
}

void TrackListWindowTest::openButtonLoadsTheChosenFileAndCancelKeepsEverything()
{
    test_support::DialogRecorder dialogs;
    // A name typed without extension finds the title set's uppercase file on a case-sensitive
    // file system; the lowercase default comes after it, and a name that is there stays as typed.
    const QString typed = m_dir.filePath(QStringLiteral("VTS_01_0"));
    QVERIFY(QFile::copy(kSubs16, typed + QStringLiteral(".IFO")));
    dialogs.nextOpenFileName = typed;
    QTest::mouseClick(Get<QPushButton>("openIfoButton"), Qt::LeftButton);
    QCOMPARE(dialogs.openRequests.size(), std::size_t(1));
    const QStringList filters = dialogs.openRequests[0].nameFilter.split(QStringLiteral(";;"));
    QCOMPARE(filters.mid(0, 2), QStringList({"Ifo files (*.ifo)", "All Files (*.*)"}));
    // An image without an extension is listed by the last filter.
    QVERIFY(QDir::match(filters.last().section('(', 1).chopped(1), QStringLiteral("disc")));
    QCOMPARE(m_dialog->IfoPath(), typed + QStringLiteral(".IFO"));
    QCOMPARE(Get<QListWidget>("trackList")->count(), 2);
    QCOMPARE(IfoFileDialog::ResolveTypedName(m_dir.filePath(QStringLiteral("empty"))),
             m_dir.filePath(QStringLiteral("empty.ifo")));
    QCOMPARE(IfoFileDialog::ResolveTypedName(m_dir.filePath(QStringLiteral("gone"))),
             m_dir.filePath(QStringLiteral("gone.ifo")));
    QCOMPARE(IfoFileDialog::ResolveTypedName(m_dir.path()), m_dir.path());
    QCOMPARE(IfoFileDialog::ResolveTypedName(m_dir.filePath(QStringLiteral("gone.vob"))),
             m_dir.filePath(QStringLiteral("gone.vob")));

    dialogs.nextOpenFileName = kSubs16;
    QTest::mouseClick(Get<QPushButton>("openIfoButton"), Qt::LeftButton);
    QCOMPARE(m_dialog->IfoPath(), kSubs16);
    QCOMPARE(Get<QListWidget>("trackList")->count(), 2);
    QCOMPARE(Text("subtitlesEdit"), QStringLiteral("16"));

    dialogs.nextOpenFileName = std::nullopt;
    QTest::mouseClick(Get<QPushButton>("openIfoButton"), Qt::LeftButton);
    QCOMPARE(m_dialog->IfoPath(), kSubs16);
    QCOMPARE(Get<QListWidget>("trackList")->count(), 2);
}

void TrackListWindowTest::filesThatAreNoTitleSetsTurnTheTipRedAndCloseTheWindow()
{
    const QStringList bad{m_menu,
                          m_dir.filePath(QStringLiteral("notes.txt")),
                          m_dir.filePath(QStringLiteral("empty.ifo")),
                          m_dir.filePath(QStringLiteral("nodisc")),
                          m_dir.filePath(QStringLiteral("VTS_09_0.IFO")),
                          m_dir.filePath(QStringLiteral("gone.ifo"))};
    QStringList reasons;
    for (const QString& path : bad) {
        Drop(m_dialog.get(), {kThreeAudio});
        // The caption names what is loaded; the tip, the disc's title the track plays.
        QCOMPARE(m_dialog->windowTitle(), QString::fromLatin1(MainDialog::kTitle) +
                                              QStringLiteral(" - pal_d1_3audio_cells/VTS_01_0.IFO"));
        QVERIFY(TrackTipText().endsWith(QStringLiteral("\nDisc title: 1")));
        WaitForSlide();
        QCOMPARE(m_dialog->width(), m_dialog->Slide().OpenWidth());

        Drop(m_dialog.get(), {path});
        QCOMPARE(m_dialog->IfoPath(), path);
        QCOMPARE(Entries(Get<QListWidget>("trackList")), (QStringList{"None.", "Drag IFO here"}));
        // "Invalid ifo Loaded", and the reason on the line below it.
        const QStringList lines = TrackTipText().split(QLatin1Char('\n'));
        QVERIFY2(lines.size() == 2, qPrintable(path));
        QCOMPARE(lines[0], QStringLiteral("Invalid ifo Loaded"));
        reasons << lines[1];
        QCOMPARE(m_dialog->windowTitle(), QString::fromLatin1(MainDialog::kTitle));
        QCOMPARE(TrackTipColour(), QColor(255, 0, 0));
        QCOMPARE(Text("cellsEdit"), QStringLiteral("0"));
        QCOMPARE(Text("audioTracksEdit"), QStringLiteral("0"));
        QCOMPARE(Text("subtitlesEdit"), QStringLiteral("0"));
        WaitForSlide();
        QCOMPARE(m_dialog->width(), m_dialog->Slide().ClosedWidth());
        QVERIFY(!Get<QPushButton>("videoInfoButton")->isVisible());
        QCOMPARE(m_dialog->Loaded().focusedTrack, -1);
    }
    // A missing file, a text file and a damaged set each say their own reason.
    reasons.removeDuplicates();
    QVERIFY2(reasons.size() >= 4, qPrintable(reasons.join(QLatin1Char('|'))));
    // The duration the last good load chose stays; choosing "None." changes no duration.
    QCOMPARE(Text("secondsEdit"), QStringLiteral("45"));
    Get<QListWidget>("trackList")->setCurrentRow(0);
    QCOMPARE(Text("secondsEdit"), QStringLiteral("45"));
    QVERIFY(TrackTipText().startsWith(QStringLiteral("Invalid ifo Loaded\n")));
}

void TrackListWindowTest::selectingSeveralTracksSumsTheirRunningTimes()
{
    Drop(m_dialog.get(), {kThreeAudio});
    QListWidget* tracks = Get<QListWidget>("trackList");
    const QRect third = tracks->visualItemRect(tracks->item(2));
    QTest::mouseClick(tracks->viewport(), Qt::LeftButton, Qt::ControlModifier, third.center());
    QCOMPARE(tracks->selectedItems().size(), 2);
    // 45 s and 20.8 s: frames are not counted.
    QCOMPARE(Text("hoursEdit"), QStringLiteral("0"));
    QCOMPARE(Text("minutesEdit"), QStringLiteral("01"));
    QCOMPARE(Text("secondsEdit"), QStringLiteral("05"));
    QCOMPARE(Text("cellsEdit"), QStringLiteral("3")); // of the highest selected track
    QCOMPARE(m_dialog->State().minutes, 1);
    QCOMPARE(Get<FramedLineEdit>("videoEdit")->text(),
             QString::fromStdString(m_dialog->State().videoBitrateText));
    // The report follows the focused entry.
    QVERIFY(TrackTipText().startsWith(QStringLiteral("Track Number: 3\n")));
    QCOMPARE(m_dialog->Loaded().focusedTrack, 2);

    // All four by keyboard: 45 + 0 + 20 + 2 seconds.
    tracks->setFocus();
    QTest::keyClick(tracks, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(tracks->selectedItems().size(), 4);
    QCOMPARE(Text("minutesEdit"), QStringLiteral("01"));
    QCOMPARE(Text("secondsEdit"), QStringLiteral("07"));
    QCOMPARE(Text("cellsEdit"), QStringLiteral("1"));

    // Nothing selected: the duration stays, the cells show 0.
    tracks->clearSelection();
    QCOMPARE(Text("secondsEdit"), QStringLiteral("07"));
    QCOMPARE(Text("cellsEdit"), QStringLiteral("0"));
    QCOMPARE(Text("audioTracksEdit"), QStringLiteral("3"));
}

void TrackListWindowTest::reportWindowsShowTheStreamsInWhiteOnBlack()
{
    Drop(m_dialog.get(), {kThreeAudio});
    WaitForSlide();

    InfoDialog* video = ClickReport("videoInfoButton");
    QVERIFY(video != nullptr);
    QVERIFY(video->isVisible());
    QVERIFY(video->isModal());
    QCOMPARE(video->windowTitle(), QStringLiteral("Video Stream Informations"));
    QPlainTextEdit* text = video->findChild<QPlainTextEdit*>(QStringLiteral("infoText"));
    QCOMPARE(text->toPlainText(),
             QStringLiteral("Compression : MPEG-2\nSystem : PAL 625/50\nAspect Ratio : 4:3\n"
                            "Display Mode : not specified\nVideo Resolution : 720x576\n"
                            "Letterboxed : no\n\n"));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QTextCharFormat format = text->document()->firstBlock().begin().fragment().charFormat();
    QCOMPARE(format.foreground().color(), InfoColours::Text());
    QCOMPARE(format.background().color(), InfoColours::TextBackground());
    // The text can be selected and copied.
    text->setFocus();
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), text->toPlainText());
    QTest::mouseClick(video->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QTRY_VERIFY(m_dialog->findChild<InfoDialog*>(QStringLiteral("infoDialog")) == nullptr);

    InfoDialog* audio = ClickReport("audioInfoButton");
    QVERIFY(audio != nullptr);
    QCOMPARE(audio->windowTitle(), QStringLiteral("Audio Streams Informations"));
    QCOMPARE(
        audio->TextEdit()->toPlainText(),
        QStringLiteral("1: English\n    6 channels AC3 0xBD 0x80\n2: Deutsch\n    2 channels MPEG1 0xC1\n"
                       "3: Francais\n    2 channels LPCM 0xBD 0xA2\n\n\n\n\n"));
    QTest::keyClick(audio, Qt::Key_Escape);
    QTRY_VERIFY(m_dialog->findChild<InfoDialog*>(QStringLiteral("infoDialog")) == nullptr);

    // A failed load opens no report; the stream counts stay those of the last good load.
    Drop(m_dialog.get(), {kSubs16});
    Drop(m_dialog.get(), {m_dir.filePath(QStringLiteral("notes.txt"))});
    m_dialog->StartSlide(true);
    WaitForSlide();
    QVERIFY(ClickReport("subsInfoButton") == nullptr);
    QCOMPARE(m_dialog->TrackCommands().Tracks().subpictureStreamCount, 16);
    Drop(m_dialog.get(), {kThreeAudio});
    InfoDialog* subs = ClickReport("subsInfoButton");
    QVERIFY(subs != nullptr);
    QCOMPARE(subs->windowTitle(), QStringLiteral("Subs Informations"));
    QCOMPARE(subs->TextEdit()->toPlainText(),
             QStringLiteral(" 1 English\n 2 Deutsch\n") + QString(13, QLatin1Char('\n')));
    subs->close();
}

void TrackListWindowTest::noReportWindowWithoutAReadableFile()
{
    m_dialog->StartSlide(true);
    WaitForSlide();
    for (const char* button : {"videoInfoButton", "audioInfoButton", "subsInfoButton"})
        QVERIFY(ClickReport(button) == nullptr);
    Drop(m_dialog.get(), {m_menu});
    m_dialog->StartSlide(true);
    WaitForSlide();
    QVERIFY(ClickReport("videoInfoButton") == nullptr);
}

RATEWISE_WINDOW_TEST(track_list_window_test, TrackListWindowTest)
#include "track_list_window_test.moc"
