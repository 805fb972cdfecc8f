// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Create VCD Project" command: the switch to "(S)VCD", the message when no
// title set can be read, and the dialog it opens for the real PAL 4:3 and NTSC 16:9 title sets.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "app/main_dialog.h"
#include "project/project_file_writer.h"
#include "project/vcd_project_dialog.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/lone_video_manager.h"
#include "tests/ui/named_child.h"
#include "tests/ui/window_helpers.h"
#include "tests/ui/window_test_main.h"
#include "ui/framed_line_edit.h"

using namespace ratewise;
using ratewise::test_support::Type;

namespace {

QString Fixture(const char* set)
{
    return QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/%1/VTS_01_0.IFO").arg(QLatin1String(set));
}

} // namespace

class CreateVcdProjectTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutATitleSetSwitchesToSvcdAndSaysSo();
    void unreadableFilesSayTheSame();
    void palFourThreeTitleSetOpensTheDialogForIt();
    void ntscWideTitleSetWritesANtscFilmProject();
    void calculatorBitratesReachGetFromRatewise();

private:
    void OpenMainWindow(const QStringList& arguments);
    template <typename W> W* Get(QWidget* parent, const char* name)
    {
        return test_support::NamedChild<W>(parent, name);
    }
    // Clicks the button and gives the dialog it opened, if any.
    VcdProjectDialog* ClickCreateVcdProject();

    std::unique_ptr<test_support::DialogRecorder> m_dialogs;
    std::unique_ptr<MainDialog> m_main;
};

void CreateVcdProjectTest::init()
{
    m_dialogs = std::make_unique<test_support::DialogRecorder>();
}

void CreateVcdProjectTest::cleanup()
{
    m_main.reset();
    m_dialogs.reset();
}

void CreateVcdProjectTest::OpenMainWindow(const QStringList& arguments)
{
    m_main = std::make_unique<MainDialog>(arguments);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

VcdProjectDialog* CreateVcdProjectTest::ClickCreateVcdProject()
{
    // A closed dialog lingers until its deferred deletion; only a new one counts.
    const QList<VcdProjectDialog*> before = m_main->findChildren<VcdProjectDialog*>();
    // The button lies in the part of the window that slides open; a click reaches it either way.
    Get<QPushButton>(m_main.get(), "createVcdButton")->click();
    for (VcdProjectDialog* dialog : m_main->findChildren<VcdProjectDialog*>()) {
        if (!before.contains(dialog))
            return dialog;
    }
    return nullptr;
}

void CreateVcdProjectTest::withoutATitleSetSwitchesToSvcdAndSaysSo()
{
    OpenMainWindow({});
    Type(Get<FramedLineEdit>(m_main.get(), "audio1Edit"), QStringLiteral("200"));
    Type(Get<FramedLineEdit>(m_main.get(), "audio2Edit"), QStringLiteral("100"));
    QVERIFY(ClickCreateVcdProject() == nullptr);
    QCOMPARE(m_dialogs->messages, QStringList{QStringLiteral("No ifo file loaded")});
    // The switch stays, with both audio bitrates snapped down to the Layer II list.
    QVERIFY(Get<QRadioButton>(m_main.get(), "svcdRadio")->isChecked());
    QVERIFY(!Get<QRadioButton>(m_main.get(), "aviDvdRadio")->isChecked());
    QCOMPARE(m_main->State().formatMode, FormatMode::Svcd);
    QCOMPARE(Get<FramedLineEdit>(m_main.get(), "audio1Edit")->text(), QStringLiteral("192"));
    QCOMPARE(Get<FramedLineEdit>(m_main.get(), "audio2Edit")->text(), QStringLiteral("96"));
}

void CreateVcdProjectTest::unreadableFilesSayTheSame()
{
    QTemporaryDir dir;
    const QString gone = dir.filePath(QStringLiteral("VTS_01_0.IFO"));
    QFile::copy(Fixture("pal_d1_3audio_cells"), gone);
    // A video manager without its title set loads nothing; a file removed after loading cannot be
    // read.
    const QString manager = test_support::LoneVideoManager();
    for (const QString& path : {manager, gone}) {
        m_dialogs->messages.clear();
        OpenMainWindow({path});
        QFile::remove(gone);
        QVERIFY(ClickCreateVcdProject() == nullptr);
        QCOMPARE(m_dialogs->messages, QStringList{QStringLiteral("No ifo file loaded")});
        QVERIFY(Get<QRadioButton>(m_main.get(), "svcdRadio")->isChecked());
    }
}

void CreateVcdProjectTest::palFourThreeTitleSetOpensTheDialogForIt()
{
    OpenMainWindow({Fixture("pal_d1_3audio_cells")});
    VcdProjectDialog* dialog = ClickCreateVcdProject();
    QVERIFY(dialog != nullptr);
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isModal());
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(dialog->Settings().isPal);
    QCOMPARE(dialog->Settings().sourceAspect, 0);
    QCOMPARE(Get<QLineEdit>(dialog, "sourceAspectEdit")->text(), QStringLiteral("4:3"));
    QVERIFY(!Get<QComboBox>(dialog, "conversionCombo")->isEnabled());
    const auto full = std::optional<AspectPicture>(AspectPicture::Full);
    QVERIFY(dialog->ShownPictures() == (std::array{full, full, full, full}));
    QCOMPARE(Get<QLineEdit>(dialog, "videoEdit")->text(), QStringLiteral("1150"));
    QCOMPARE(Get<QComboBox>(dialog, "audioCombo")->currentText(), QStringLiteral("224"));

    // Standard values for a 4:3 PAL source: the PAL template with the source marked 4:3.
    QTemporaryDir dir;
    Type(Get<QLineEdit>(dialog, "destinationEdit"), dir.filePath(QStringLiteral("pal")));
    QPointer<VcdProjectDialog> guard(dialog);
    QTest::mouseClick(Get<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    QTRY_VERIFY(guard.isNull()); // closed and deleted
    QFile written(dir.filePath(QStringLiteral("pal.tpr")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    VcdProjectSettings expected;
    const std::vector<std::uint8_t> bytes = ProjectFileWriter::Build(expected);
    QCOMPARE(written.readAll(),
             QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

void CreateVcdProjectTest::ntscWideTitleSetWritesANtscFilmProject()
{
    OpenMainWindow({Fixture("ntsc_d1_wide_subs16_menu")});
    VcdProjectDialog* dialog = ClickCreateVcdProject();
    QVERIFY(dialog != nullptr);
    QVERIFY(!dialog->Settings().isPal);
    QCOMPARE(dialog->Settings().sourceAspect, 3);
    QCOMPARE(Get<QLineEdit>(dialog, "sourceAspectEdit")->text(), QStringLiteral("16:9"));
    QCOMPARE(Get<QComboBox>(dialog, "conversionCombo")->currentText(),
             QStringLiteral("Convert to 4:3 (add borders)"));
    using enum AspectPicture;
    QVERIFY(dialog->ShownPictures() ==
            (std::array<std::optional<AspectPicture>, 4>{Squeezed, Letterboxed, Letterboxed, Letterboxed}));

    QTemporaryDir dir;
    Type(Get<QLineEdit>(dialog, "destinationEdit"), dir.filePath(QStringLiteral("ntsc")));
    QTest::mouseClick(Get<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    QFile written(dir.filePath(QStringLiteral("ntsc.tpr")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    VcdProjectSettings expected;
    expected.isPal = false;
    expected.sourceAspect = 3;
    expected.conversion = kConvertAddBorders;
    const std::vector<std::uint8_t> built = ProjectFileWriter::Build(expected);
    QCOMPARE(bytes,
             QByteArray(reinterpret_cast<const char*>(built.data()), static_cast<qsizetype>(built.size())));
    QVERIFY(bytes.contains("$$VCD_NTSCFilm"));
    QVERIFY(bytes.contains("MPEGVideoConfig_ImageArrangeType_FullScreen_KeepAspectRatio"));
}

void CreateVcdProjectTest::calculatorBitratesReachGetFromRatewise()
{
    OpenMainWindow({Fixture("pal_d1_3audio_cells")});
    // A locked video bitrate with a fraction is truncated; the audio 160 is taken as it is.
    Type(Get<FramedLineEdit>(m_main.get(), "audio1Edit"), QStringLiteral("160"));
    QTest::mouseClick(Get<QPushButton>(m_main.get(), "lockButton"), Qt::LeftButton);
    Type(Get<FramedLineEdit>(m_main.get(), "videoEdit"), QStringLiteral("2000.7"));
    VcdProjectDialog* dialog = ClickCreateVcdProject();
    QVERIFY(dialog != nullptr);
    QTest::mouseClick(Get<QPushButton>(dialog, "getFromRatewiseButton"), Qt::LeftButton);
    QCOMPARE(Get<QLineEdit>(dialog, "videoEdit")->text(), QStringLiteral("2000"));
    QCOMPARE(Get<QComboBox>(dialog, "audioCombo")->currentText(), QStringLiteral("160"));
    QVERIFY(m_dialogs->messages.isEmpty());
    dialog->close();

    // Media too small for the audio alone: a negative bitrate, shown and refused.
    QTest::mouseClick(Get<QPushButton>(m_main.get(), "lockButton"), Qt::LeftButton);
    Type(Get<FramedLineEdit>(m_main.get(), "sizeEdit"), QStringLiteral("50"));
    dialog = ClickCreateVcdProject();
    QVERIFY(dialog != nullptr);
    const int calcVideo = static_cast<int>(m_main->State().videoKbps);
    QVERIFY(calcVideo < 0);
    QTest::mouseClick(Get<QPushButton>(dialog, "getFromRatewiseButton"), Qt::LeftButton);
    QCOMPARE(Get<QLineEdit>(dialog, "videoEdit")->text(), QString::number(calcVideo));
    QCOMPARE(m_dialogs->messages,
             QStringList{QStringLiteral("Please enter an integer between 0 and 10000.")});
}

RATEWISE_WINDOW_TEST(create_vcd_project_test, CreateVcdProjectTest)
#include "create_vcd_project_test.moc"
