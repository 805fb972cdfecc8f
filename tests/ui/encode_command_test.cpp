// SPDX-License-Identifier: GPL-3.0-or-later
// The window menu's "Copy encode command": the HandBrakeCLI plan of the focused track on the
// clipboard; without a title set, or without room for video, a message and the clipboard as it was.
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

#include "app/main_dialog.h"
#include "tests/ui/window_test_main.h"
#include "ui/balloon_tip_widget.h"
#include "ui/framed_line_edit.h"

using namespace ratewise;

namespace {

const QString kFolder = QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells");

} // namespace

class EncodeCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { m_dialog.reset(); }
    void copiesTheFocusedTracksHandBrakePlan();
    void explainsWhenThereIsNoPlan();
    void plansEverySelectedTrackAtTheCalculatorsBitrate();

private:
    void Open(const QStringList& arguments)
    {
        m_dialog = std::make_unique<MainDialog>(arguments, nullptr);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    // Chooses the entry from the window's menu, as a user does.
    void Choose()
    {
        QMenu* menu = m_dialog->CreateWindowMenu();
        QAction* entry = menu->findChild<QAction*>(QStringLiteral("encodeCommandAction"));
        QVERIFY(entry != nullptr);
        QCOMPARE(entry->text(), QStringLiteral("Copy encode command"));
        entry->trigger();
        delete menu;
    }
    std::unique_ptr<MainDialog> m_dialog;
};

void EncodeCommandTest::copiesTheFocusedTracksHandBrakePlan()
{
    Open({kFolder + QStringLiteral("/VTS_01_0.IFO")});
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Choose();
    const QString script = QGuiApplication::clipboard()->text();
    QVERIFY2(script.startsWith(QStringLiteral("#!/bin/sh\n")), qPrintable(script));
    QVERIFY2(script.contains(QStringLiteral("HandBrakeCLI -i ") + kFolder +
                             QStringLiteral(" -t 1 --markers -f av_mkv")),
             qPrintable(script));
    // Audio 1 is 5.1: HandBrake encodes AAC 5.1 at no less than 192 kbit/s, so that is what the
    // plan gives it and budgets, not the calculator's 128.
    QVERIFY(script.contains(QStringLiteral(
        "--two-pass --turbo -a 1 -E av_aac -B 192 -6 5point1 -o pal_d1_3audio_cells-1.mkv\n")));
    // The calculator's figure for the track as the window shows it.
    QVERIFY(
        script.contains(QStringLiteral("calculator video bitrate: ") + m_dialog->Controls().video->text()));
    // The short track fills 700 MB only far above what its MPEG-2 source holds: copied, with a warning.
    auto* box = m_dialog->findChild<QMessageBox*>(QStringLiteral("encodeCommandMessage"));
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("above the 9800 kbit/s")), qPrintable(box->text()));
    delete box;

    // A locked bitrate is the bitrate asked: 1000 kbit/s of 1024 bits is HandBrake's 1024.
    m_dialog->Controls().video->selectAll();
    QTest::keyClicks(m_dialog->Controls().video, QStringLiteral("1000"));
    QTest::mouseClick(m_dialog->Controls().lock, Qt::LeftButton);
    QVERIFY(m_dialog->State().locked);
    Choose();
    const QString locked = QGuiApplication::clipboard()->text();
    QVERIFY2(locked.contains(QStringLiteral(" -b 1024 ")), qPrintable(locked));
    QVERIFY(m_dialog->findChild<QMessageBox*>(QStringLiteral("encodeCommandMessage")) == nullptr);
}

void EncodeCommandTest::plansEverySelectedTrackAtTheCalculatorsBitrate()
{
    Open({QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/pal_98_titles/VTS_01_0.IFO")});
    auto* list = m_dialog->Controls().tracks;
    // The tip of a track that plays another title's cells says so.
    list->setCurrentRow(7);
    const BalloonTool* tool = m_dialog->TrackTip().Tool(list);
    QVERIFY(tool != nullptr);
    QVERIFY2(tool->text.endsWith(QStringLiteral("\nDisc title: 8 (same as title 1)")),
             qPrintable(tool->text));
    list->setCurrentRow(0);
    list->setCurrentRow(1, QItemSelectionModel::Select);
    QCOMPARE(m_dialog->Loaded().selectedTracks, (std::vector<int>{0, 1}));
    Choose();
    const QString script = QGuiApplication::clipboard()->text();
    // One bitrate for both, that fills the medium with the two files' exact times, their own
    // overhead and margins.
    QCOMPARE(script.count(QStringLiteral("HandBrakeCLI ")), 2);
    const QRegularExpression rate(QStringLiteral(" -b (\\d+) "));
    QStringList rates;
    for (auto match = rate.globalMatch(script); match.hasNext();)
        rates << match.next().captured(1);
    QCOMPARE(rates.size(), 2);
    QCOMPARE(rates[0], rates[1]);
    const double calculator = m_dialog->State().videoKbps * 1024.0 / 1000.0;
    // Below it: these tracks last fractions of a second, which the calculator counts in whole ones.
    QVERIFY2(rates[0].toDouble() < calculator, qPrintable(rates[0]));
    QVERIFY(script.contains(QStringLiteral(" -t 1 ")) && script.contains(QStringLiteral(" -t 2 ")));
    delete m_dialog->findChild<QMessageBox*>(QStringLiteral("encodeCommandMessage"));

    // Two tracks over two media: a track on each.
    m_dialog->Controls().count->setText(QStringLiteral("2"));
    Choose();
    const QString two = QGuiApplication::clipboard()->text();
    QVERIFY2(two.contains(QStringLiteral("# track 1\n# Medium 1 of 2:")) &&
                 two.contains(QStringLiteral("# track 2\n# Medium 2 of 2:")),
             qPrintable(two));
    delete m_dialog->findChild<QMessageBox*>(QStringLiteral("encodeCommandMessage"));
    // Locked, they cannot be spread: one message, the clipboard as it was.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(m_dialog->Controls().lock, Qt::LeftButton);
    Choose();
    auto* box = m_dialog->findChild<QMessageBox*>(QStringLiteral("encodeCommandMessage"));
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("splits 2 tracks over 2 media")), qPrintable(box->text()));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

void EncodeCommandTest::explainsWhenThereIsNoPlan()
{
    Open({});
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Choose();
    auto* box = m_dialog->findChild<QMessageBox*>(QStringLiteral("encodeCommandMessage"));
    QVERIFY(box != nullptr);
    QCOMPARE(box->text(), QStringLiteral("No ifo file loaded"));
    box->close();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    m_dialog.reset();

    // A medium of 0 MB leaves no room for the track's video.
    Open({kFolder + QStringLiteral("/VTS_01_0.IFO")});
    m_dialog->Controls().size->selectAll();
    QTest::keyClicks(m_dialog->Controls().size, QStringLiteral("0"));
    Choose();
    box = m_dialog->findChild<QMessageBox*>(QStringLiteral("encodeCommandMessage"));
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("calculator gives no video bitrate")),
             qPrintable(box->text()));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

RATEWISE_WINDOW_TEST(encode_command_test, EncodeCommandTest)
#include "encode_command_test.moc"
