// SPDX-License-Identifier: GPL-3.0-or-later
// The About box, its chime, and the pictures and sound built into the program.
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

#include "tests/ui/dialog_recorder.h"
#include "tests/ui/window_test_main.h"
#include "ui/about_dialog.h"
#include "ui/app_resources.h"
#include "ui/dialog_units.h"
#include "ui/sound_player.h"

using namespace ratewise;

namespace {

quint32 LittleEndian(const QByteArray& bytes, int offset, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + i));
    return value;
}

} // namespace

class AboutDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void showsNameVersionAndGreetings();
    void chimesOnceWhenItOpens();
    void okEnterAndEscapeCloseIt();
    void theChimeIsAShortPcmWave();
    void iconAndAspectPicturesAreBuiltIn();
    void playingWithoutAnOutputDeviceSaysNothing();
};

void AboutDialogTest::showsNameVersionAndGreetings()
{
    AboutDialog box;
    QCOMPARE(box.windowTitle(), QStringLiteral("About Ratewise"));
    QVERIFY(box.isModal());
    QCOMPARE(box.font().family(), DialogFont().family());
    const DialogUnits units(box.font());
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QCOMPARE(box.size(), QSize(units.X(164), units.Y(157)));

    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("nameLabel"))->text(), QStringLiteral("Ratewise"));
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("versionLabel"))->text(), QStringLiteral("Version 0.45"));
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("greetingsLabel"))->text(),
             QStringLiteral("Greetings to:"));
    QVERIFY(!box.findChild<QLabel*>(QStringLiteral("iconLabel"))->pixmap().isNull());
    // Seven greeting lines, ten units apart, from 65 units down.
    for (int i = 1; i <= 7; ++i) {
        const QLabel* line = box.findChild<QLabel*>(QStringLiteral("creditLabel%1").arg(i));
        QVERIFY(line != nullptr);
        QCOMPARE(line->y(), units.Y(65 + 10 * (i - 1)));
    }
    auto* ok = box.findChild<QPushButton*>(QStringLiteral("okButton"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->geometry(), units.Rect(55, 136, 50, 14));
}

void AboutDialogTest::chimesOnceWhenItOpens()
{
    test_support::DialogRecorder dialogs;
    AboutDialog box;
    QVERIFY(dialogs.sounds.empty());
    box.show();
    QCOMPARE(dialogs.sounds, std::vector<QUrl>{AboutChimeUrl()});
    box.hide();
    box.show();
    QCOMPARE(dialogs.sounds.size(), std::size_t(1));
}

void AboutDialogTest::okEnterAndEscapeCloseIt()
{
    AboutDialog byOk(nullptr);
    byOk.show();
    QTest::mouseClick(byOk.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QVERIFY(!byOk.isVisible());
    QCOMPARE(byOk.result(), int(QDialog::Accepted));

    AboutDialog byEnter(nullptr);
    byEnter.show();
    QTest::keyClick(&byEnter, Qt::Key_Return);
    QVERIFY(!byEnter.isVisible());

    AboutDialog byEscape(nullptr);
    byEscape.show();
    QTest::keyClick(&byEscape, Qt::Key_Escape);
    QVERIFY(!byEscape.isVisible());
    QCOMPARE(byEscape.result(), int(QDialog::Rejected));
}

void AboutDialogTest::theChimeIsAShortPcmWave()
{
    QFile file(QStringLiteral(":/ratewise/about_chime.wav"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray wave = file.readAll();
    QVERIFY(wave.size() > 44);
    QCOMPARE(wave.left(4), QByteArray("RIFF"));
    QCOMPARE(LittleEndian(wave, 4, 4), quint32(wave.size() - 8));
    QCOMPARE(wave.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(LittleEndian(wave, 20, 2), 1u);     // PCM
    QCOMPARE(LittleEndian(wave, 22, 2), 1u);     // mono
    QCOMPARE(LittleEndian(wave, 24, 4), 22050u); // samples per second
    QCOMPARE(LittleEndian(wave, 34, 2), 16u);    // bits per sample
    QCOMPARE(wave.mid(36, 4), QByteArray("data"));
    const double seconds = LittleEndian(wave, 40, 4) / (22050.0 * 2);
    QVERIFY(seconds > 0.5 && seconds < 3.0);
}

void AboutDialogTest::iconAndAspectPicturesAreBuiltIn()
{
    const QIcon icon = ApplicationIcon();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    QVERIFY(QFile::exists(QStringLiteral(":/ratewise/ratewise.svg")));

    const QImage letterboxed(LetterboxedPicturePath());
    const QImage full(FullPicturePath());
    const QImage squeezed(SqueezedPicturePath());
    for (const QImage* picture : {&letterboxed, &full, &squeezed})
        QCOMPARE(picture->size(), QSize(80, 60));
    // Bars above and below only in the letterboxed picture.
    QCOMPARE(letterboxed.pixelColor(40, 1), QColor(Qt::black));
    QCOMPARE(letterboxed.pixelColor(40, 58), QColor(Qt::black));
    QVERIFY(full.pixelColor(40, 1) != QColor(Qt::black));
    QVERIFY(squeezed.pixelColor(40, 1) != QColor(Qt::black));
    QVERIFY(full != squeezed);
}

void AboutDialogTest::playingWithoutAnOutputDeviceSaysNothing()
{
    // The tests run without sound hardware: the player must neither fail nor complain.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    EffectSoundPlayer player;
    player.Play(AboutChimeUrl());
    player.Play(AboutChimeUrl());
    QTest::qWait(50);
}

RATEWISE_WINDOW_TEST(about_dialog_test, AboutDialogTest)
#include "about_dialog_test.moc"
