// SPDX-License-Identifier: GPL-3.0-or-later
// Discs dropped on the main window: a disc with one title set loads at once; with several, the
// chooser lists them, the set of the longest title preselected, and keyboard or mouse picks one
// (Escape leaves the window as it was). The caption then names the disc and the set, and the track
// tip the disc's title the track plays.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "app/main_dialog.h"
#include "app/track_list_commands.h"
#include "disc/title_set_chooser_dialog.h"
#include "tests/ui/named_child.h"
#include "tests/ui/window_helpers.h"
#include "tests/ui/window_test_main.h"
#include "ui/balloon_tip_widget.h"

using namespace ratewise;
using ratewise::test_support::Drop;

namespace {

const QString kFixtures = QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/");

QStringList Entries(QListWidget* list)
{
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->text();
    return entries;
}

} // namespace

class TitleSetChooserTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_dialog.reset(); }

    void aDiscWithOneTitleSetLoadsWithoutAChooser();
    void keyboardPicksASetAndEscapeKeepsTheWindow();
    void doubleClickPicksASet();
    void aLongPathKeepsTheChooserOnTheScreen();
    void theCaptionAndTheTipNameTheDiscAndItsTitles();

private:
    QListWidget* Tracks() { return test_support::NamedChild<QListWidget>(m_dialog.get(), "trackList"); }
    TitleSetChooserDialog* Chooser() { return m_dialog->findChild<TitleSetChooserDialog*>(); }

    std::unique_ptr<MainDialog> m_dialog;
    QTemporaryDir m_dir;
    QString m_twoSets;
};

void TitleSetChooserTest::initTestCase()
{
    // Two title sets: the disc's titles 1 and 2 (45 s, the longest, and 0.6 s) in set 1, titles 3
    // and 4 in set 2, a copy of the NTSC set with its two titles.
    QVERIFY(m_dir.isValid());
    const QString videoTs = m_dir.filePath(QStringLiteral("disc/video_ts"));
    QVERIFY(QDir().mkpath(videoTs));
    QFile manager(kFixtures + QStringLiteral("pal_d1_3audio_cells/VIDEO_TS.IFO"));
    QVERIFY(manager.open(QIODevice::ReadOnly));
    QByteArray bytes = manager.readAll();
    bytes[0x3F] = 2; // two title sets
    const int table = 2048 * static_cast<unsigned char>(bytes[0xC7]);
    for (int title : {2, 3}) {
        bytes[table + 8 + 12 * title + 6] = 2;               // in set 2
        bytes[table + 8 + 12 * title + 7] = char(title - 1); // as its title 1 or 2
    }
    QFile written(videoTs + QStringLiteral("/VIDEO_TS.IFO"));
    QVERIFY(written.open(QIODevice::WriteOnly));
    written.write(bytes);
    written.close();
    QVERIFY(QFile::copy(kFixtures + QStringLiteral("pal_d1_3audio_cells/VTS_01_0.IFO"),
                        videoTs + QStringLiteral("/vts_01_0.ifo")));
    QVERIFY(QFile::copy(kFixtures + QStringLiteral("ntsc_d1_wide_subs16_menu/VTS_01_0.IFO"),
                        videoTs + QStringLiteral("/VTS_02_0.IFO")));
    m_twoSets = m_dir.filePath(QStringLiteral("disc"));
}

void TitleSetChooserTest::init()
{
    m_dialog = std::make_unique<MainDialog>(QStringList{}, nullptr);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TitleSetChooserTest::aDiscWithOneTitleSetLoadsWithoutAChooser()
{
    Drop(m_dialog.get(), {kFixtures + QStringLiteral("pal_98_titles")});
    QVERIFY(Chooser() == nullptr);
    QCOMPARE(Tracks()->count(), 98);
    Drop(m_dialog.get(), {kFixtures + QStringLiteral("pal_d1_3audio_cells/VIDEO_TS.IFO")});
    QCOMPARE(Tracks()->count(), 4);
    QVERIFY(m_dialog->Loaded().load != nullptr);
}

void TitleSetChooserTest::keyboardPicksASetAndEscapeKeepsTheWindow()
{
    Drop(m_dialog.get(), {m_twoSets});
    TitleSetChooserDialog* chooser = Chooser();
    QVERIFY(chooser != nullptr);
    QTRY_VERIFY(chooser->isVisible());
    auto* sets = test_support::NamedChild<QListWidget>(chooser, "titleSetList");
    QCOMPARE(sets->count(), 2);
    QCOMPARE(sets->currentRow(), 0); // set 1 holds the longest title
    QVERIFY(sets->item(1)->text().startsWith(
        QStringLiteral("Title set 2: VTS_02_0.IFO, 2 tracks, 3 audio streams, 16 subpicture streams\n"
                       "    Title 3: 00:00:31 .15, title set 2, track 1, 5 chapters, 1 angle\n")));
    QCOMPARE(Entries(Tracks()), (QStringList{"None.", "Drag IFO here"})); // nothing loads yet

    QTest::keyClick(sets, Qt::Key_Down);
    QTest::keyClick(sets, Qt::Key_Return);
    QTRY_VERIFY(Chooser() == nullptr);
    QCOMPARE(Entries(Tracks()), (QStringList{"T1: 00:00:31 .15", "T2: 00:00:12 .09"}));
    QCOMPARE(m_dialog->IfoPath(), m_twoSets);

    // Escape: the list and the path stay as they were.
    Drop(m_dialog.get(), {m_twoSets + QStringLiteral("/video_ts")});
    QTRY_VERIFY(Chooser() != nullptr && Chooser()->isVisible());
    QTest::keyClick(test_support::NamedChild<QListWidget>(Chooser(), "titleSetList"), Qt::Key_Escape);
    QTRY_VERIFY(Chooser() == nullptr);
    QCOMPARE(Tracks()->count(), 2);
    QCOMPARE(m_dialog->IfoPath(), m_twoSets);
}

void TitleSetChooserTest::doubleClickPicksASet()
{
    Drop(m_dialog.get(), {m_twoSets});
    QTRY_VERIFY(Chooser() != nullptr && Chooser()->isVisible());
    auto* sets = test_support::NamedChild<QListWidget>(Chooser(), "titleSetList");
    const QPoint first = sets->visualItemRect(sets->item(0)).center();
    QTest::mouseClick(sets->viewport(), Qt::LeftButton, Qt::NoModifier, first);
    QTest::mouseDClick(sets->viewport(), Qt::LeftButton, Qt::NoModifier, first);
    QTRY_VERIFY(Chooser() == nullptr);
    QCOMPARE(Tracks()->count(), 4);
    QCOMPARE(test_support::NamedChild<QLineEdit>(m_dialog.get(), "subtitlesEdit")->text(),
             QStringLiteral("2"));
}

void TitleSetChooserTest::aLongPathKeepsTheChooserOnTheScreen()
{
    QString deep = m_dir.filePath(QStringLiteral("long"));
    // About 230 characters: a dropped path is cut at 255.
    for (int k = 0; k < 3; ++k)
        deep += QLatin1Char('/') + QString(60, QChar(u'a' + k));
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QFile::link(m_twoSets, deep + QStringLiteral("/disc")));
    Drop(m_dialog.get(), {deep + QStringLiteral("/disc")});
    QTRY_VERIFY(Chooser() != nullptr && Chooser()->isVisible());
    QVERIFY(Chooser()->frameGeometry().width() <= Chooser()->screen()->availableGeometry().width());
    auto* source = test_support::NamedChild<QLabel>(Chooser(), "titleSetSource");
    QVERIFY(source->text().endsWith(QStringLiteral(" holds these title sets:")));
    QCOMPARE(source->toolTip(), deep + QStringLiteral("/disc"));
    // With RATEWISE_SHOTS_DIR set, as the text-fit check does, a picture of it.
    if (const QString shots = qEnvironmentVariable("RATEWISE_SHOTS_DIR"); !shots.isEmpty())
        QVERIFY(QDir().mkpath(shots) &&
                Chooser()->grab().save(shots + QStringLiteral("/chooser-long-path.png")));
    Chooser()->reject();
}

void TitleSetChooserTest::theCaptionAndTheTipNameTheDiscAndItsTitles()
{
    const auto tipText = [this] {
        const BalloonTool* tool = m_dialog->TrackTip().Tool(Tracks());
        return tool != nullptr ? tool->text : QString();
    };
    // The folder, its manager file, and an image of it with a volume label (its names in capitals,
    // as images have them); set 2 holds the disc's titles 3 and 4.
    QList<std::pair<QString, QString>> discs{
        {m_twoSets, QStringLiteral("disc")},
        {m_twoSets + QStringLiteral("/video_ts/VIDEO_TS.IFO"), QStringLiteral("disc")}};
    const QString image = m_dir.filePath(QStringLiteral("two sets.iso")),
                  from = m_twoSets + QStringLiteral("/video_ts/");
    const bool imaged = QProcess::execute(QStringLiteral("genisoimage"),
                                          {"-quiet", "-udf", "-V", "TWO_SETS", "-graft-points", "-o", image,
                                           "VIDEO_TS/VIDEO_TS.IFO=" + from + "VIDEO_TS.IFO",
                                           "VIDEO_TS/VTS_01_0.IFO=" + from + "vts_01_0.ifo",
                                           "VIDEO_TS/VTS_02_0.IFO=" + from + "VTS_02_0.IFO"}) == 0;
    if (imaged)
        discs.append({image, QStringLiteral("TWO_SETS")});
    for (const auto& [disc, name] : discs) {
        Drop(m_dialog.get(), {disc});
        QTRY_VERIFY(Chooser() != nullptr && Chooser()->isVisible());
        auto* sets = test_support::NamedChild<QListWidget>(Chooser(), "titleSetList");
        QTest::keyClick(sets, Qt::Key_Down);
        QTest::keyClick(sets, Qt::Key_Return);
        QTRY_VERIFY(Chooser() == nullptr);
        QCOMPARE(m_dialog->windowTitle(),
                 QString::fromLatin1(MainDialog::kTitle) + QStringLiteral(" - %1, title set 2").arg(name));
        QVERIFY2(tipText().endsWith(QStringLiteral("\nDisc title: 3")), qPrintable(tipText()));
        Tracks()->setCurrentRow(1);
        QVERIFY2(tipText().endsWith(QStringLiteral("\nDisc title: 4")), qPrintable(tipText()));
    }
    if (!imaged)
        QSKIP("the image needs genisoimage");
}

RATEWISE_WINDOW_TEST(title_set_chooser_test, TitleSetChooserTest)
#include "title_set_chooser_test.moc"
