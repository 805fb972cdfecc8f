// SPDX-License-Identifier: GPL-3.0-or-later
// The Create VCD Project dialog driven as a user drives it: the pictures for each source and
// conversion, the warning list, the two value buttons, the video field's range, Browse, OK and
// Cancel.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "project/project_file_writer.h"
#include "project/vcd_project_dialog.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/named_child.h"
#include "tests/ui/window_helpers.h"
#include "tests/ui/window_test_main.h"
#include "ui/app_resources.h"

using namespace ratewise;

namespace {

const QString kBeta = QStringLiteral("  This wizard is being beta-tested...");
const QString kAudioLine = QStringLiteral("  Audio Bitrate for a standard VCD should be 224 Kbit/sec.");
const QString kVideoLine = QStringLiteral("  Video Bitrate for a standard VCD should be 1150 Kbit/sec.");
const QString kTotalLine = QStringLiteral("  Total bitrate exceeds 1374 Kbits/sec.");
const QString kKeepFlagLine =
    QStringLiteral("  AR byte set to 16:9: some players could show a deformed image.");
const QString kDeformedLine = QStringLiteral("  Deformed image: 16:9 TV required for correct displaying");

VcdProjectOpening Opening(bool isPal, int sourceAspect, int calcAudio = 128, int calcVideo = 668)
{
    VcdProjectOpening opening;
    opening.isPal = isPal;
    opening.sourceAspect = sourceAspect;
    opening.calcAudioKbps = calcAudio;
    opening.calcVideoKbps = calcVideo;
    return opening;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Bytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace

class VcdProjectDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensForA4x3SourceWithFullPicturesAndTheStandardValues();
    void eachConversionOfA16x9SourceShowsItsPicturesAndLines();
    void warningsFollowTheBitrates();
    void getFromRatewiseTakesTheCalculatorsBitrates();
    void standardVcdRestoresTheStandardValues();
    void videoFieldRefusesValuesOutsideItsRange();
    void negativeCalculatorBitrateIsShownThenRefused();
    void browseAsksForATprFileWithoutOverwritePrompt();
    void okWritesWhatTheProjectWriterBuilds();
    void failedWriteKeepsTheDialogAndItsSettings();
    void cancelWritesNothing();

private:
    void Open(const VcdProjectOpening& opening);
    template <typename W> W* Get(const char* name)
    {
        return test_support::NamedChild<W>(m_dialog.get(), name);
    }
    QStringList Warnings();
    // The picture each group shows, named as the controls are: "Full", "Letterboxed" or
    // "Squeezed"; checks that exactly one shows and that it holds its bitmap.
    QStringList Pictures();
    void Type(const char* field, const QString& text);
    void Choose(const char* list, const QString& text);
    void Click(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }

    std::unique_ptr<test_support::DialogRecorder> m_dialogs;
    std::unique_ptr<VcdProjectDialog> m_dialog;
    std::unique_ptr<QTemporaryDir> m_tempDir; // fresh for each case
    QDir m_dir;
};

void VcdProjectDialogTest::init()
{
    m_dialogs = std::make_unique<test_support::DialogRecorder>();
    m_tempDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tempDir->isValid());
    m_dir = QDir(m_tempDir->path());
}

void VcdProjectDialogTest::cleanup()
{
    m_dialog.reset();
    m_dialogs.reset();
    m_tempDir.reset();
}

void VcdProjectDialogTest::Open(const VcdProjectOpening& opening)
{
    m_dialog = std::make_unique<VcdProjectDialog>(opening);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

QStringList VcdProjectDialogTest::Warnings()
{
    QStringList lines;
    QListWidget* list = Get<QListWidget>("warningList");
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QStringList VcdProjectDialogTest::Pictures()
{
    const struct {
        const char* kind;
        QString path;
    } kinds[] = {{"Letterboxed", LetterboxedPicturePath()},
                 {"Squeezed", SqueezedPicturePath()},
                 {"Full", FullPicturePath()}};
    QStringList shown;
    for (const char* group : {"source", "sourceDisplayed", "target", "targetDisplayed"}) {
        QStringList inGroup;
        for (const auto& kind : kinds) {
            const QString name =
                QStringLiteral("%1%2Picture").arg(QLatin1String(group), QLatin1String(kind.kind));
            QLabel* picture = m_dialog->findChild<QLabel*>(name);
            if (picture == nullptr || !picture->isVisible())
                continue;
            inGroup << QLatin1String(kind.kind);
            if (picture->pixmap().toImage() != QImage(kind.path))
                inGroup << QStringLiteral("(wrong bitmap)");
        }
        shown << inGroup.join(QLatin1Char('+'));
    }
    return shown;
}

void VcdProjectDialogTest::Type(const char* field, const QString& text)
{
    test_support::Type(Get<QLineEdit>(field), text);
}

void VcdProjectDialogTest::Choose(const char* list, const QString& text)
{
    QComboBox* combo = Get<QComboBox>(list);
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
}

void VcdProjectDialogTest::opensForA4x3SourceWithFullPicturesAndTheStandardValues()
{
    Open(Opening(true, 0));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Create VCD Project"));
    // A screen at twice the density gets every picture at twice the pixels, not blown up.
    for (const QString& path : {LetterboxedPicturePath(), SqueezedPicturePath(), FullPicturePath()})
        QCOMPARE(PicturePixmap(path, 2.0).size(), QSize(160, 120));
    QVERIFY(m_dialog->isModal());
    QCOMPARE(Get<QLineEdit>("sourceAspectEdit")->text(), QStringLiteral("4:3"));
    QVERIFY(Get<QLineEdit>("sourceAspectEdit")->isReadOnly());
    QComboBox* conversion = Get<QComboBox>("conversionCombo");
    QVERIFY(!conversion->isEnabled());
    QCOMPARE(conversion->currentIndex(), -1);
    QCOMPARE(conversion->count(), 4);
    QCOMPARE(conversion->itemText(3), QStringLiteral("Leave 16:9 (Change AR bit to 4:3)"));
    QCOMPARE(Pictures(), (QStringList{"Full", "Full", "Full", "Full"}));
    QCOMPARE(Warnings(), (QStringList{"Warnings:", kBeta, "Target media: Standard VCD"}));

    QCOMPARE(Get<QLineEdit>("videoEdit")->text(), QStringLiteral("1150"));
    QComboBox* audio = Get<QComboBox>("audioCombo");
    QCOMPARE(audio->currentText(), QStringLiteral("224"));
    QCOMPARE(audio->count(), 10);
    QCOMPARE(audio->itemText(0), QStringLiteral("64"));
    QCOMPARE(audio->itemText(9), QStringLiteral("384"));
    QComboBox* quality = Get<QComboBox>("qualityCombo");
    QCOMPARE(quality->currentText(), QStringLiteral("Normal"));
    QCOMPARE(quality->itemText(5), QStringLiteral("Motion estimate (fast)"));
    QVERIFY(Get<QLineEdit>("destinationEdit")->text().isEmpty());
    QVERIFY(Get<QPushButton>("okButton")->isDefault());

    const VcdProjectSettings& settings = m_dialog->Settings();
    QCOMPARE(settings.conversion, -1);
    QCOMPARE(settings.audioKbps, 224);
    QCOMPARE(settings.videoKbps, 1150u);
    QCOMPARE(settings.quality, 2);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void VcdProjectDialogTest::eachConversionOfA16x9SourceShowsItsPicturesAndLines()
{
    Open(Opening(false, 3));
    QCOMPARE(Get<QLineEdit>("sourceAspectEdit")->text(), QStringLiteral("16:9"));
    QComboBox* conversion = Get<QComboBox>("conversionCombo");
    QVERIFY(conversion->isEnabled());
    QCOMPARE(conversion->currentText(), QStringLiteral("Convert to 4:3 (add borders)"));
    QCOMPARE(Pictures(), (QStringList{"Squeezed", "Letterboxed", "Letterboxed", "Letterboxed"}));

    Choose("conversionCombo", QStringLiteral("Convert to 4:3 (crop)"));
    QCOMPARE(Pictures(), (QStringList{"Squeezed", "Letterboxed", "Full", "Full"}));
    QCOMPARE(Warnings().size(), 3);

    Choose("conversionCombo", QStringLiteral("Leave 16:9 (Don't Change AR bit)"));
    QCOMPARE(Pictures(), (QStringList{"Squeezed", "Letterboxed", "Squeezed", "Letterboxed"}));
    QCOMPARE(Warnings(), (QStringList{"Warnings:", kBeta, kKeepFlagLine, "Target media: Standard VCD"}));
    QVERIFY(m_dialog->Settings().keep16x9Flag);

    // The deformed-image line replaces the AR-byte line, and the flag goes with it.
    Choose("conversionCombo", QStringLiteral("Leave 16:9 (Change AR bit to 4:3)"));
    QCOMPARE(Pictures(), (QStringList{"Squeezed", "Letterboxed", "Squeezed", "Squeezed"}));
    QCOMPARE(Warnings(), (QStringList{"Warnings:", kBeta, kDeformedLine, "Target media: Standard VCD"}));
    QVERIFY(!m_dialog->Settings().keep16x9Flag);
    QCOMPARE(m_dialog->Settings().conversion, 3);
}

void VcdProjectDialogTest::warningsFollowTheBitrates()
{
    Open(Opening(true, 0));
    Choose("audioCombo", QStringLiteral("256"));
    QCOMPARE(m_dialog->Settings().audioKbps, 256);
    QCOMPARE(Warnings(), (QStringList{"Warnings:", kBeta, kAudioLine, kTotalLine, "Target media: XVCD"}));
    Choose("audioCombo", QStringLiteral("192"));
    QCOMPARE(Warnings(), (QStringList{"Warnings:", kBeta, kAudioLine, "Target media: CVCD"}));
    Choose("audioCombo", QStringLiteral("224"));
    Type("videoEdit", QStringLiteral("1151"));
    QCOMPARE(m_dialog->Settings().videoKbps, 1151u);
    QCOMPARE(Warnings(), (QStringList{"Warnings:", kBeta, kVideoLine, kTotalLine, "Target media: XVCD"}));
    // The quality has no say in the list.
    Choose("qualityCombo", QStringLiteral("Highest (very slow)"));
    QCOMPARE(Warnings().size(), 5);
    QCOMPARE(m_dialog->Settings().quality, 4);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void VcdProjectDialogTest::getFromRatewiseTakesTheCalculatorsBitrates()
{
    const struct {
        int calcAudio;
        const char* chosen;
    } cases[] = {{200, "224"}, {50, "64"}, {500, "384"}};
    for (const auto& c : cases) {
        Open(Opening(true, 3, c.calcAudio, 2000));
        // What the user typed as the destination survives the button.
        Type("destinationEdit", QStringLiteral("movie"));
        Click("getFromRatewiseButton");
        QCOMPARE(Get<QComboBox>("audioCombo")->currentText(), QLatin1String(c.chosen));
        QCOMPARE(m_dialog->Settings().audioKbps, QByteArray(c.chosen).toInt());
        QCOMPARE(Get<QLineEdit>("videoEdit")->text(), QStringLiteral("2000"));
        QCOMPARE(m_dialog->Settings().videoKbps, 2000u);
        QCOMPARE(Get<QLineEdit>("destinationEdit")->text(), QStringLiteral("movie"));
        QCOMPARE(Warnings().last(), QStringLiteral("Target media: XVCD"));
    }
    QVERIFY(m_dialogs->messages.isEmpty());
}

void VcdProjectDialogTest::standardVcdRestoresTheStandardValues()
{
    Open(Opening(true, 0, 384, 9000));
    Click("getFromRatewiseButton");
    QCOMPARE(Warnings().size(), 6);
    Type("destinationEdit", QStringLiteral("kept"));
    Click("standardVcdButton");
    QCOMPARE(Get<QLineEdit>("videoEdit")->text(), QStringLiteral("1150"));
    QCOMPARE(Get<QComboBox>("audioCombo")->currentText(), QStringLiteral("224"));
    QCOMPARE(m_dialog->AudioIndex(), 6);
    QCOMPARE(m_dialog->Settings().audioKbps, 224);
    QCOMPARE(m_dialog->Settings().videoKbps, 1150u);
    QCOMPARE(Get<QLineEdit>("destinationEdit")->text(), QStringLiteral("kept"));
    QCOMPARE(Warnings(), (QStringList{"Warnings:", kBeta, "Target media: Standard VCD"}));
}

void VcdProjectDialogTest::videoFieldRefusesValuesOutsideItsRange()
{
    Open(Opening(true, 0));
    const QString message = QStringLiteral("Please enter an integer between 0 and 10000.");
    Type("videoEdit", QStringLiteral("10000"));
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_dialog->Settings().videoKbps, 10000u);

    // The fifth key makes 10001: refused with the message, the accepted 1000 stays.
    Type("videoEdit", QStringLiteral("10001"));
    QCOMPARE(m_dialogs->messages, QStringList{message});
    QCOMPARE(m_dialog->Settings().videoKbps, 1000u);
    QCOMPARE(Warnings(), (QStringList{"Warnings:", kBeta, kVideoLine, "Target media: CVCD"}));

    // OK refuses too and writes nothing, whatever the destination.
    Type("destinationEdit", m_dir.filePath(QStringLiteral("refused")));
    Click("okButton");
    QCOMPARE(m_dialogs->messages, (QStringList{message, message}));
    QVERIFY(m_dialog->isVisible());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("refused.tpr"))));

    // Not a number, a sign or a blank field are refused alike.
    m_dialogs->messages.clear();
    for (const QString& text : {QStringLiteral("12a"), QStringLiteral("-1"), QString()})
        Get<QLineEdit>("videoEdit")->setText(text);
    QCOMPARE(m_dialogs->messages.size(), 3);
    QCOMPARE(m_dialog->Settings().videoKbps, 1000u);
    Get<QLineEdit>("videoEdit")->setText(QStringLiteral(" 0 "));
    QCOMPARE(m_dialog->Settings().videoKbps, 0u);
    QCOMPARE(m_dialogs->messages.size(), 3);
}

void VcdProjectDialogTest::negativeCalculatorBitrateIsShownThenRefused()
{
    const QString message = QStringLiteral("Please enter an integer between 0 and 10000.");
    Open(Opening(true, 0, 384, -259));
    Type("destinationEdit", m_dir.filePath(QStringLiteral("negative")));
    Click("getFromRatewiseButton");
    QCOMPARE(Get<QLineEdit>("videoEdit")->text(), QStringLiteral("-259"));
    QCOMPARE(m_dialogs->messages, QStringList{message});
    // The audio was taken; the video keeps the last accepted value.
    QCOMPARE(m_dialog->Settings().audioKbps, 384);
    QCOMPARE(m_dialog->Settings().videoKbps, 1150u);

    Click("okButton");
    QCOMPARE(m_dialogs->messages, (QStringList{message, message}));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("negative.tpr"))));
    QCOMPARE(Get<QLineEdit>("videoEdit")->text(), QStringLiteral("-259"));

    Click("standardVcdButton");
    Click("okButton");
    QCOMPARE(m_dialogs->messages.size(), 2);
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("negative.tpr"))));
}

void VcdProjectDialogTest::browseAsksForATprFileWithoutOverwritePrompt()
{
    Open(Opening(true, 0));
    Type("destinationEdit", QStringLiteral("typed"));
    Click("browseButton");
    QCOMPARE(m_dialogs->saveRequests.size(), std::size_t{1});
    QCOMPARE(m_dialogs->saveRequests[0].nameFilter, QStringLiteral("Tpr files (*.tpr);;All Files (*.*)"));
    QCOMPARE(m_dialogs->saveRequests[0].defaultSuffix, QStringLiteral("tpr"));
    QVERIFY(!m_dialogs->saveRequests[0].confirmOverwrite);
    // Cancelled: the typed name stays.
    QCOMPARE(Get<QLineEdit>("destinationEdit")->text(), QStringLiteral("typed"));

    m_dialogs->nextSaveFileName = QStringLiteral("/videos/holiday.tpr");
    Click("browseButton");
    QCOMPARE(Get<QLineEdit>("destinationEdit")->text(), QStringLiteral("/videos/holiday.tpr"));
    QCOMPARE(m_dialog->Settings().destination, std::string("/videos/holiday.tpr"));
}

void VcdProjectDialogTest::okWritesWhatTheProjectWriterBuilds()
{
    Open(Opening(false, 3));
    Choose("conversionCombo", QStringLiteral("Leave 16:9 (Don't Change AR bit)"));
    Choose("audioCombo", QStringLiteral("192"));
    Type("videoEdit", QStringLiteral("110"));
    Choose("qualityCombo", QStringLiteral("Motion estimate (fast)"));
    const QString typed = m_dir.filePath(QStringLiteral("movie.TPR"));
    Type("destinationEdit", typed);
    Click("okButton");

    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(!m_dialog->isVisible());
    // The name gains ".tpr": the check is case-sensitive.
    QCOMPARE(Get<QLineEdit>("destinationEdit")->text(), typed + QStringLiteral(".tpr"));

    VcdProjectSettings expected;
    expected.isPal = false;
    expected.sourceAspect = 3;
    expected.conversion = kLeaveWideKeepFlag;
    expected.keep16x9Flag = true;
    expected.audioKbps = 192;
    expected.videoKbps = 110;
    expected.quality = kQualityMotionEstimate;
    const QByteArray written = ReadFile(typed + QStringLiteral(".tpr"));
    QVERIFY(!written.isEmpty());
    QCOMPARE(written, Bytes(ProjectFileWriter::Build(expected)));
    // 110 kbit/s is 110000 bit/s: B0 AD 01 00, its 0xAD kept.
    QVERIFY(written.contains(QByteArray("\x04\xB0\xAD\x01\x00", 5)));
}

void VcdProjectDialogTest::failedWriteKeepsTheDialogAndItsSettings()
{
    Open(Opening(true, 3));
    Choose("conversionCombo", QStringLiteral("Convert to 4:3 (crop)"));
    Choose("audioCombo", QStringLiteral("160"));
    Click("okButton");
    QCOMPARE(m_dialogs->messages, QStringList{QStringLiteral("Please specify a file name")});
    QVERIFY(m_dialog->isVisible());

    // A folder where the file should go: nothing is written and the folder stays.
    const QString folder = m_dir.filePath(QStringLiteral("taken.tpr"));
    QVERIFY(QDir().mkdir(folder));
    Type("destinationEdit", folder);
    Click("okButton");
    QCOMPARE(m_dialogs->messages.last(), QStringLiteral("Error creating file"));
    QVERIFY(m_dialog->isVisible());
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(m_dir.entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
             QStringList{QStringLiteral("taken.tpr")});
    QCOMPARE(Get<QComboBox>("conversionCombo")->currentText(), QStringLiteral("Convert to 4:3 (crop)"));
    QCOMPARE(Get<QComboBox>("audioCombo")->currentText(), QStringLiteral("160"));
    QCOMPARE(Get<QLineEdit>("destinationEdit")->text(), folder);

    // Once the destination is free the same settings are written.
    Type("destinationEdit", m_dir.filePath(QStringLiteral("free")));
    Click("okButton");
    QCOMPARE(m_dialogs->messages.size(), 2);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    VcdProjectSettings expected;
    expected.sourceAspect = 3;
    expected.conversion = kConvertCrop;
    expected.audioKbps = 160;
    QCOMPARE(ReadFile(m_dir.filePath(QStringLiteral("free.tpr"))), Bytes(ProjectFileWriter::Build(expected)));
}

void VcdProjectDialogTest::cancelWritesNothing()
{
    Open(Opening(true, 0));
    Type("destinationEdit", m_dir.filePath(QStringLiteral("cancelled")));
    Click("cancelButton");
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(!m_dialog->isVisible());
    QVERIFY(m_dir.isEmpty(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden));
    QVERIFY(m_dialogs->messages.isEmpty());
}

RATEWISE_WINDOW_TEST(vcd_project_dialog_test, VcdProjectDialogTest)
#include "vcd_project_dialog_test.moc"
