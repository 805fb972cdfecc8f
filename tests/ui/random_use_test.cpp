// SPDX-License-Identifier: GPL-3.0-or-later
// The main window used at random for a long while: thousands of keystrokes of any text into every
// field (editing keys, undo and paste included) and clicks on every control in random order, with
// a real title set loaded and others opened on the way. After each step the window must still answer its
// event loop, show exactly what the calculator holds, and have no window left waiting for an answer.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <random>

#include "app/main_dialog.h"
#include "app/window_slide.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/named_child.h"
#include "tests/ui/window_test_main.h"
#include "ui/framed_line_edit.h"
#include "ui/up_down_widget.h"

using namespace ratewise;

namespace {

// Any text a user could type or paste: digits and signs, letters, blanks, other scripts (an
// Arabic-Indic digit, a character outside the basic plane).
const QString kCharacters =
    QStringLiteral("0123456789012345-+.,eExX aZ\t%\u00e9\u20ac\u0663") + QString::fromUcs4(U"\U0001D7D9");

const std::vector<std::pair<int, Qt::KeyboardModifiers>> kEditingKeys{
    {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier},  {Qt::Key_Home, Qt::NoModifier},
    {Qt::Key_End, Qt::NoModifier},       {Qt::Key_Left, Qt::ShiftModifier}, {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_V, Qt::ControlModifier},  {Qt::Key_X, Qt::ControlModifier},
};

} // namespace

class RandomUseTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void staysResponsiveAndConsistent();

private:
    template <typename W> W* Get(const char* name)
    {
        return test_support::NamedChild<W>(m_dialog.get(), name);
    }
    int Pick(int count) { return static_cast<int>(m_random() % static_cast<unsigned>(count)); }
    QStringList RandomKeys(int maxLength);
    void TypeInto(QLineEdit* field);
    void ClickSomething();
    void CloseOpenedWindows();
    void CheckConsistent();

    std::mt19937 m_random{20261207};
    // Answers every native dialog at once: OK to every message, no file or colour chosen, except
    // the open answers set before each click on "Open IFO file".
    std::unique_ptr<test_support::DialogRecorder> m_dialogs;
    std::unique_ptr<MainDialog> m_dialog;
    QTimer m_watchdog;
    QStringList m_blockingWindows; // platform dialogs that would have waited for a click
    int m_keystrokes = 0;
    int m_clicks = 0;
    int m_windowsOpened = 0;
    QSet<QString> m_textsSeen; // every text the fields held, to know the typing arrived
};

void RandomUseTest::init()
{
    m_dialogs = std::make_unique<test_support::DialogRecorder>();
    const QString ifo = QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/VTS_01_0.IFO");
    m_dialog = std::make_unique<MainDialog>(QStringList{ifo});
    m_dialog->move(20, 20);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    m_dialog->StartSlide(true);
    QTRY_VERIFY(!m_dialog->Slide().IsSliding());
    QCOMPARE(m_dialog->width(), m_dialog->Slide().OpenWidth());

    // A message box or file dialog run by exec() would stop the test until someone clicks; the
    // watchdog fires inside such a loop, notes the window and closes it.
    m_blockingWindows.clear();
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (qobject_cast<QMessageBox*>(modal) != nullptr || qobject_cast<QFileDialog*>(modal) != nullptr) {
            m_blockingWindows << QString::fromLatin1(modal->metaObject()->className());
            static_cast<QDialog*>(modal)->reject();
        }
    });
    m_watchdog.start(100);
}

void RandomUseTest::cleanup()
{
    m_watchdog.stop();
    m_watchdog.disconnect();
    m_dialog.reset();
    m_dialogs.reset();
}

// Characters of kCharacters, one key press each (a pair of surrogates is one character).
QStringList RandomUseTest::RandomKeys(int maxLength)
{
    QStringList keys;
    for (int i = Pick(maxLength + 1); i > 0; --i) {
        const int at = Pick(static_cast<int>(kCharacters.size()));
        keys << (kCharacters.at(at).isSurrogate() ? kCharacters.right(2) : QString(kCharacters.at(at)));
    }
    return keys;
}

void RandomUseTest::TypeInto(QLineEdit* field)
{
    if (Pick(4) == 0) {
        const auto& [key, modifiers] =
            kEditingKeys[static_cast<std::size_t>(Pick(static_cast<int>(kEditingKeys.size())))];
        if (key == Qt::Key_V)
            QApplication::clipboard()->setText(RandomKeys(20).join(QString()));
        QTest::keyClick(field, static_cast<Qt::Key>(key), modifiers);
        ++m_keystrokes;
        return;
    }
    if (Pick(2) == 0)
        field->selectAll();
    // Key events that carry their text, so that any character can be typed.
    for (const QString& key : RandomKeys(8)) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, key, Qt::NoModifier);
        ++m_keystrokes;
    }
}

void RandomUseTest::ClickSomething()
{
    static const char* const kButtons[] = {
        "lockButton",         "openIfoButton",  "videoInfoButton",   "audioInfoButton",
        "chaptersInfoButton", "subsInfoButton", "bitrateInfoButton", "createVcdButton",
        "createSvcdButton",   "aboutButton",    "aviDvdRadio",       "svcdRadio",
    };
    ++m_clicks;
    switch (Pick(5)) {
    case 0: {
        UpDownWidget* upDown = Get<UpDownWidget>("countUpDown");
        QTest::mouseClick(Pick(2) == 0 ? upDown->UpButton() : upDown->DownButton(), Qt::LeftButton);
        break;
    }
    case 1: {
        // The medium list from the keyboard, as a user steps through it.
        QComboBox* preset = Get<QComboBox>("presetCombo");
        preset->setFocus();
        QTest::keyClick(preset, Pick(2) == 0 ? Qt::Key_Down : Qt::Key_Up);
        break;
    }
    case 2: {
        QListWidget* tracks = Get<QListWidget>("trackList");
        if (tracks->count() > 0) {
            QListWidgetItem* item = tracks->item(Pick(tracks->count()));
            QTest::mouseClick(tracks->viewport(), Qt::LeftButton, Qt::NoModifier,
                              tracks->visualItemRect(item).center());
        }
        break;
    }
    default: {
        const char* name = kButtons[Pick(std::size(kButtons))];
        if (qstrcmp(name, "openIfoButton") == 0) {
            // The file dialog's seam answers: cancel, a real title set, a video manager or a
            // file that is not there.
            const QString sets = QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/");
            const std::optional<QString> answers[] = {
                std::nullopt,
                sets + QStringLiteral("pal_d1_3audio_cells/VTS_01_0.IFO"),
                sets + QStringLiteral("ntsc_d1_wide_subs16_menu/VTS_01_0.IFO"),
                sets + QStringLiteral("pal_98_titles/VTS_01_0.IFO"),
                sets + QStringLiteral("pal_98_titles/VIDEO_TS.IFO"),
                sets + QStringLiteral("missing/VTS_01_0.IFO"),
            };
            m_dialogs->nextOpenFileName = answers[Pick(std::size(answers))];
        }
        QAbstractButton* button = Get<QAbstractButton>(name);
        if (button->isVisible())
            QTest::mouseClick(button, Qt::LeftButton);
        break;
    }
    }
}

// A window a click opened (About, Chapters, project dialog) is closed again, as the user would.
void RandomUseTest::CloseOpenedWindows()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(window);
        if (dialog == nullptr || dialog == m_dialog.get() || !dialog->isVisible())
            continue;
        ++m_windowsOpened;
        dialog->reject();
    }
}

void RandomUseTest::CheckConsistent()
{
    const CalculatorState& state = m_dialog->State();
    const std::pair<const char*, const std::string*> fields[] = {
        {"hoursEdit", &state.hoursText},        {"minutesEdit", &state.minutesText},
        {"secondsEdit", &state.secondsText},    {"sizeEdit", &state.mediumSizeText},
        {"audio1Edit", &state.audio1Text},      {"audio2Edit", &state.audio2Text},
        {"videoEdit", &state.videoBitrateText},
    };
    for (const auto& [name, text] : fields) {
        QCOMPARE(Get<QLineEdit>(name)->text(), QString::fromStdString(*text));
        m_textsSeen.insert(Get<QLineEdit>(name)->text());
    }
    QVERIFY(state.mediumCount >= 1 && state.mediumCount <= 9);
    QCOMPARE(Get<QLineEdit>("countEdit")->text(), QString::number(state.mediumCount));
    QCOMPARE(Get<QPushButton>("lockButton")->isChecked(), state.locked);
    QCOMPARE(Get<QRadioButton>("svcdRadio")->isChecked(), state.formatMode == FormatMode::Svcd);
    QCOMPARE(Get<QRadioButton>("aviDvdRadio")->isChecked(), state.formatMode == FormatMode::AviDvd);
    QVERIFY(!Get<QProgressBar>("progressBar")->isVisible());
    QVERIFY(m_dialog->isVisible());
}

void RandomUseTest::staysResponsiveAndConsistent()
{
    const char* const fieldNames[] = {"hoursEdit",  "minutesEdit", "secondsEdit", "sizeEdit",
                                      "audio1Edit", "audio2Edit",  "videoEdit"};
    for (int step = 0; step < 2500; ++step) {
        if (Pick(3) == 0)
            ClickSomething();
        else
            TypeInto(Get<QLineEdit>(fieldNames[Pick(std::size(fieldNames))]));

        // The event loop still runs: a queued call arrives.
        bool answered = false;
        QTimer::singleShot(0, this, [&answered] { answered = true; });
        QCoreApplication::processEvents();
        QVERIFY2(answered, qPrintable(QStringLiteral("step %1").arg(step)));
        CloseOpenedWindows();
        QCoreApplication::processEvents();
        CheckConsistent();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("inconsistent after step %1").arg(step)));
    }
    QVERIFY2(m_blockingWindows.isEmpty(), qPrintable(m_blockingWindows.join(QStringLiteral(", "))));
    qInfo("%d keystrokes, %d clicks, %d windows opened and closed, %lld different field texts", m_keystrokes,
          m_clicks, m_windowsOpened, static_cast<long long>(m_textsSeen.size()));
    QVERIFY(m_keystrokes >= 5000);
    QVERIFY(m_textsSeen.size() >= 1000);
    QVERIFY(m_clicks >= 500);
    // The buttons did open their windows, so the closing above was put to the test.
    QVERIFY(m_windowsOpened > 0);
    m_dialog->grab();
}

RATEWISE_WINDOW_TEST(random_use_test, RandomUseTest)
#include "random_use_test.moc"
