// SPDX-License-Identifier: GPL-3.0-or-later
// The window menu's "Copy encode command": the HandBrakeCLI plan of the focused track on the
// clipboard; without a title set, or without room for video, a message and the clipboard as it was.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <memory>

#include "app/main_dialog.h"
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
    QVERIFY(m_dialog->findChild<QMessageBox*>(QStringLiteral("encodeCommandMessage")) == nullptr);
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

QTEST_MAIN(EncodeCommandTest)
#include "encode_command_test.moc"
