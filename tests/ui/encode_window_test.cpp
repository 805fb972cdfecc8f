// SPDX-License-Identifier: GPL-3.0-or-later
// The Encode window on a DVD authored at test time (make_test_dvd.sh): opened from the
// window menu beside "Copy encode command", it runs a real encode with Enter (ffmpeg, then
// HandBrakeCLI), its progress bar climbing from 0 to 100 and the result line giving the file's
// measured fill; Escape in the middle of a later run asks, then stops the encoder and leaves no
// partial file, while the earlier files stay.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "app/main_dialog.h"
#include "encode/encode_dialog.h"
#include "tests/disc/disc_builder.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/window_test_main.h"
#include "ui/framed_line_edit.h"

using namespace ratewise;

class EncodeWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void encodesFromTheWindowAndCancels();

private:
    template <typename W> W* Child(QWidget* parent, const char* name)
    {
        return parent->findChild<W*>(QLatin1String(name));
    }
    QTemporaryDir m_root;
};

void EncodeWindowTest::initTestCase()
{
    for (const char* tool : {"ffmpeg", "ffprobe", "dvdauthor", "spumux"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP("a tool of the test disc is not installed");
    // ffmpeg's plan reads the disc through ratewise-cli stream, found on PATH.
    qputenv("PATH", QByteArray(RATEWISE_CLI_DIR ":") + qgetenv("PATH"));
    // The disc is authored once per build and shared with the other tests that read it.
    const std::optional<std::filesystem::path> dvd = test_support::TestDvd("pal");
    QVERIFY(dvd);
    QVERIFY(QFile::link(QString::fromStdString(dvd->string()), m_root.filePath(QStringLiteral("pal"))));
}

void EncodeWindowTest::encodesFromTheWindowAndCancels()
{
    test_support::DialogRecorder dialogs;
    MainDialog main({m_root.filePath(QStringLiteral("pal/VIDEO_TS/VTS_01_0.IFO"))});
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.Controls().size->setFocus();
    main.Controls().size->selectAll();
    QTest::keyClicks(main.Controls().size, QStringLiteral("3"));

    // The entry sits right after "Copy encode command"; the other entries keep their places.
    std::unique_ptr<QMenu> menu(main.CreateWindowMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    QCOMPARE(texts, (QStringList{"Minimize", "Close", "", "Copy encode command", "Encode...", "",
                                 "About Ratewise..."}));
    menu->findChild<QAction*>(QStringLiteral("encodeAction"))->trigger();
    auto* window = main.findChild<EncodeDialog*>(QStringLiteral("encodeDialog"));
    QVERIFY(window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window));

    // Tab walks the choices top to bottom, then the texts and the buttons.
    Child<QComboBox>(window, "encoderList")->setFocus();
    QStringList walked;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, (QStringList{"codecList", "audioCodecList", "speedList", "streamList", "folderEdit",
                                  "browseButton", "nameEdit", "figuresText", "resultText"}));

    const QString out = m_root.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    auto* bar = Child<QProgressBar>(window, "encodeProgress");
    QList<int> values;
    connect(bar, &QProgressBar::valueChanged, this, [&](int value) { values << value; });
    Child<QComboBox>(window, "speedList")->setCurrentText(QStringLiteral("ultrafast"));
    Child<QLineEdit>(window, "folderEdit")->setText(out);
    // A plan that copies the audio is measured on the disc on a thread of its own: the window
    // answers meanwhile, and shows the figures when they are in.
    auto* audioCodecs = Child<QComboBox>(window, "audioCodecList");
    auto* figures = Child<QPlainTextEdit>(window, "figuresText");
    audioCodecs->setCurrentText(QStringLiteral("Copy"));
    QCOMPARE(figures->toPlainText(), QStringLiteral("Measuring the copied streams on the disc..."));
    QTRY_VERIFY2(figures->toPlainText().contains(QStringLiteral("  video: ")),
                 qPrintable(figures->toPlainText()));
    QVERIFY(Child<QPushButton>(window, "startButton")->isEnabled());
    audioCodecs->setCurrentText(QStringLiteral("AAC"));
    QStringList made;
    // ffmpeg, then HandBrakeCLI where it is installed (greyed otherwise).
    for (const int encoder : {1, 0}) {
        auto* encoders = Child<QComboBox>(window, "encoderList");
        if (encoder == 0 && QStandardPaths::findExecutable(QStringLiteral("HandBrakeCLI")).isEmpty())
            continue;
        encoders->setCurrentIndex(encoder);
        const QString name = QStringLiteral("film %1.mkv").arg(encoders->currentText());
        Child<QLineEdit>(window, "nameEdit")->setText(name);
        QVERIFY2(
            Child<QPlainTextEdit>(window, "figuresText")->toPlainText().contains(QStringLiteral("  video: ")),
            qPrintable(Child<QPlainTextEdit>(window, "figuresText")->toPlainText()));
        values.clear();
        Child<QLineEdit>(window, "nameEdit")->setFocus();
        QTest::keyClick(Child<QLineEdit>(window, "nameEdit"), Qt::Key_Return);
        QVERIFY(window->Running());
        QTRY_VERIFY_WITH_TIMEOUT(!window->Running(), 180000);
        const QString result = Child<QPlainTextEdit>(window, "resultText")->toPlainText();
        QCOMPARE(Child<QLabel>(window, "stepLabel")->text(), QStringLiteral("Done"));
        QCOMPARE(bar->value(), 100);
        QVERIFY(!values.isEmpty());
        for (int i = 1; i < values.size(); ++i)
            QVERIFY2(values[i] >= values[i - 1], "the progress went back");
        QVERIFY2(std::any_of(values.begin(), values.end(), [](int v) { return v > 0 && v < 100; }),
                 "no progress between 0 and 100");
        // "Medium 1: NAME: 2.9 MB of 3 MB, 98.76 %": the fill the file really has.
        const QString file = QDir(out).filePath(name);
        QVERIFY2(result.startsWith(QStringLiteral("Medium 1: ") + name + QStringLiteral(": ")),
                 qPrintable(result));
        const QString line = result.section(QLatin1Char('\n'), 0, 0);
        const double percent = line.section(QStringLiteral(", "), -1).remove(QStringLiteral(" %")).toDouble();
        const double target = window->Plan().media.front().targetBytes;
        const double bytes = static_cast<double>(QFileInfo(file).size());
        QVERIFY(bytes <= target);
        QVERIFY2(std::abs(percent - bytes / target * 100.0) < 0.006, qPrintable(line));
        QVERIFY2(percent >= 97.0, qPrintable(line));
        QVERIFY2(result.contains(QStringLiteral("video h264 352x288, audio aac")), qPrintable(result));
        made << name;
    }

    // A second run at a slow preset, stopped once its first pass writes: Escape asks first.
    Child<QComboBox>(window, "speedList")->setCurrentText(QStringLiteral("veryslow"));
    Child<QLineEdit>(window, "nameEdit")->setText(QStringLiteral("second.mkv"));
    QVERIFY(window->StartEncode());
    QTRY_VERIFY_WITH_TIMEOUT(QDir(out).entryList(QDir::Files).size() > made.size(), 60000);
    QVERIFY(window->Running());
    dialogs.nextAnswer = true;
    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(dialogs.questions.size(), 1);
    QVERIFY(window->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!window->Running(), 20000);
    QCOMPARE(Child<QLabel>(window, "stepLabel")->text(), QStringLiteral("Cancelled"));
    made.sort();
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name), made);
    // Not running, Escape closes the window without a question.
    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(dialogs.questions.size(), 1);
    QTRY_VERIFY(main.findChild<EncodeDialog*>(QStringLiteral("encodeDialog")) == nullptr);

    // A window destroyed in the middle of a run (the program quitting) kills the encoder and
    // removes what it had written.
    window = static_cast<EncodeDialog*>(main.OpenEncodeWindow());
    QVERIFY(window != nullptr);
    Child<QComboBox>(window, "encoderList")->setCurrentIndex(1);
    Child<QComboBox>(window, "speedList")->setCurrentText(QStringLiteral("veryslow"));
    Child<QLineEdit>(window, "folderEdit")->setText(out);
    Child<QLineEdit>(window, "nameEdit")->setText(QStringLiteral("third.mkv"));
    QVERIFY(window->StartEncode());
    QTRY_VERIFY_WITH_TIMEOUT(QDir(out).entryList(QDir::Files).size() > made.size(), 60000);
    delete window;
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name), made);
}

RATEWISE_WINDOW_TEST(encode_window_test, EncodeWindowTest)
#include "encode_window_test.moc"
