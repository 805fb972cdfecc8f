// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user drives it: typing, the presets, the up-down, Lock, the format
// buttons, the tips, the slide, the menu, the About box, drops and the keyboard.
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <random>

#include "app/main_dialog.h"
#include "app/window_slide.h"
#include "calc/tip_texts.h"
#include "common/lenient_number.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/named_child.h"
#include "tests/ui/window_helpers.h"
#include "tests/ui/window_test_main.h"
#include "ui/app_resources.h"
#include "ui/framed_line_edit.h"
#include "ui/mnemonic.h"
#include "ui/up_down_widget.h"

using namespace ratewise;
using ratewise::test_support::RestPointerOn;
using ratewise::test_support::Type;

namespace {

const QColor kValid(0, 128, 0);
const QColor kInvalid(255, 0, 0);
const QColor kOutput(0, 0, 128);
const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

QString ToolText(BalloonTip& tip, QWidget* control)
{
    const BalloonTool* tool = tip.Tool(control);
    return tool != nullptr ? tool->text : QStringLiteral("<no tool>");
}

QColor ToolColour(BalloonTip& tip, QWidget* control)
{
    const BalloonTool* tool = tip.Tool(control);
    return tool != nullptr ? tool->backColor : QColor();
}

} // namespace

class MainDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BalloonTip::SetTimeDivisor(20); }
    void init();
    void cleanup();

    void startsWithTheStartValues();
    void typingIntoEachFieldRecalculates();
    void presetsRewriteTheSize();
    void theUpDownStepsAndTheCountIsClamped();
    void lockRunsTheReverseComputation();
    void svcdSnapsBothAudioBitrates();
    void framesAreDrawnInTheStateColours();
    void onlyTheWindowsOwnRepaintRecalculates();
    void tipsFollowEveryRequest();
    void restingOnTheVideoFieldShowsTheSuggestion();
    void mediumReportHasTwoPages();
    void slidesBetweenTheTwoWidths();
    void aboutBoxOpensFromButtonAndMenu();
    void tabVisitsTheFieldsInOrder();
    void keysReachTheWindowMenuAndItsEntries();
    void altLettersReachTheControlsAndTheTextsStay();
    void keepsTheFirstDroppedPathAndTheArgument();
    void escapeAndEnterClose();
    void noInputSequenceBreaksIt();

private:
    template <typename W> W* Get(const char* name)
    {
        return test_support::NamedChild<W>(m_dialog.get(), name);
    }
    FramedLineEdit* Field(const char* name) { return Get<FramedLineEdit>(name); }
    const CalculatorState& State() const { return m_dialog->State(); }
    QColor FramePixel(const char* name);

    std::unique_ptr<test_support::DialogRecorder> m_dialogs;
    std::unique_ptr<MainDialog> m_dialog;
};

void MainDialogTest::init()
{
    m_dialogs = std::make_unique<test_support::DialogRecorder>();
    m_dialog = std::make_unique<MainDialog>(QStringList{});
    m_dialog->move(50, 50);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void MainDialogTest::cleanup()
{
    m_dialog.reset();
    m_dialogs.reset();
}

QColor MainDialogTest::FramePixel(const char* name)
{
    const QImage image = Field(name)->grab().toImage();
    return image.pixelColor(1, image.height() / 2);
}

void MainDialogTest::startsWithTheStartValues()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Ratewise 0.45"));
    QCOMPARE(Field("hoursEdit")->text(), QStringLiteral("2"));
    QCOMPARE(Field("minutesEdit")->text(), QStringLiteral("00"));
    QCOMPARE(Field("secondsEdit")->text(), QStringLiteral("00"));
    QCOMPARE(Get<QComboBox>("presetCombo")->currentText(), QStringLiteral("80min CD"));
    QCOMPARE(Get<QComboBox>("presetCombo")->count(), 8);
    QCOMPARE(Field("sizeEdit")->text(), QStringLiteral("700"));
    QCOMPARE(Get<QLineEdit>("countEdit")->text(), QStringLiteral("1"));
    QVERIFY(Get<QLineEdit>("countEdit")->isReadOnly());
    QCOMPARE(Field("audio1Edit")->text(), QStringLiteral("128"));
    QCOMPARE(Field("audio2Edit")->text(), QStringLiteral("0"));
    QVERIFY(Get<QRadioButton>("aviDvdRadio")->isChecked());
    QVERIFY(!Get<QRadioButton>("svcdRadio")->isChecked());
    QCOMPARE(Field("videoEdit")->text(), QStringLiteral("668.444"));
    QVERIFY(!Get<QPushButton>("lockButton")->isChecked());

    QListWidget* tracks = Get<QListWidget>("trackList");
    QCOMPARE(tracks->count(), 2);
    QCOMPARE(tracks->item(0)->text(), QStringLiteral("None."));
    QCOMPARE(tracks->item(1)->text(), QStringLiteral("Drag IFO here"));
    for (const char* counter : {"cellsEdit", "audioTracksEdit", "subtitlesEdit"})
        QCOMPARE(Get<QLineEdit>(counter)->text(), QStringLiteral("0"));

    // Closed: the right-hand groups are out of sight, the project button for SVCD does nothing.
    QCOMPARE(m_dialog->width(), m_dialog->Slide().ClosedWidth());
    QVERIFY(!Get<QPushButton>("videoInfoButton")->isVisible());
    QVERIFY(!Get<QPushButton>("aboutButton")->isVisible());
    QVERIFY(!Get<QPushButton>("createSvcdButton")->isEnabled());
    QVERIFY(Get<QPushButton>("createVcdButton")->isEnabled());
    QVERIFY(!Get<QProgressBar>("progressBar")->isVisible());
    QVERIFY(m_dialog->IfoPath().isEmpty());

    QCOMPARE(ToolText(m_dialog->TrackTip(), tracks), QStringLiteral("No ifo loaded"));
    QCOMPARE(ToolColour(m_dialog->TrackTip(), tracks), kRed);
}

void MainDialogTest::typingIntoEachFieldRecalculates()
{
    FramedLineEdit* video = Field("videoEdit");
    Type(Field("hoursEdit"), QStringLiteral("101"));
    QCOMPARE(video->text(), QStringLiteral("error"));
    QCOMPARE(State().fieldStates.hours, FieldState::Invalid);
    Type(Field("hoursEdit"), QStringLiteral("1"));
    QCOMPARE(video->text(), QStringLiteral("1464.889"));
    // What the user typed stays as typed.
    Type(Field("minutesEdit"), QStringLiteral("5"));
    QCOMPARE(Field("minutesEdit")->text(), QStringLiteral("5"));
    Type(Field("minutesEdit"), QStringLiteral("60"));
    QCOMPARE(video->text(), QStringLiteral("error"));
    Type(Field("minutesEdit"), QStringLiteral("30"));
    Type(Field("secondsEdit"), QStringLiteral("60"));
    QCOMPARE(State().fieldStates.seconds, FieldState::Invalid);
    Type(Field("secondsEdit"), QStringLiteral("00"));
    QCOMPARE(video->text(), QStringLiteral("933.926"));

    Type(Field("sizeEdit"), QStringLiteral("650"));
    QCOMPARE(Get<QComboBox>("presetCombo")->currentText(), QStringLiteral("74min CD"));
    Type(Field("sizeEdit"), QStringLiteral("4480"));
    QCOMPARE(Get<QComboBox>("presetCombo")->currentText(), QStringLiteral("DVD-R/RW"));
    Type(Field("sizeEdit"), QStringLiteral("123"));
    QCOMPARE(Get<QComboBox>("presetCombo")->currentText(), QStringLiteral("Custom"));
    Type(Field("sizeEdit"), QStringLiteral("700"));

    Type(Field("audio1Edit"), QStringLiteral("-1"));
    QCOMPARE(State().fieldStates.audio1, FieldState::Invalid);
    QCOMPARE(video->text(), QStringLiteral("error"));
    Type(Field("audio1Edit"), QStringLiteral("224"));
    Type(Field("audio2Edit"), QStringLiteral("224"));
    QCOMPARE(State().audio2Kbps, 224);
    QCOMPARE(video->text(), QStringLiteral("613.926"));

    // The video field itself runs the reverse way once.
    Type(video, QStringLiteral("1000"));
    QCOMPARE(Field("hoursEdit")->text(), QStringLiteral("1"));
    QCOMPARE(State().fieldStates.video, FieldState::Output);
    QCOMPARE(video->text(), QStringLiteral("1000"));
    Type(Field("audio2Edit"), QStringLiteral("0"));
    QCOMPARE(State().fieldStates.video, FieldState::Valid);
}

void MainDialogTest::presetsRewriteTheSize()
{
    QComboBox* preset = Get<QComboBox>("presetCombo");
    preset->setFocus();
    QTest::keyClick(preset, Qt::Key_Down);
    QCOMPARE(preset->currentText(), QStringLiteral("90min CD"));
    QCOMPARE(Field("sizeEdit")->text(), QStringLiteral("790"));
    QTest::keyClick(preset, Qt::Key_End);
    QCOMPARE(Field("sizeEdit")->text(), QStringLiteral("4480"));
    QCOMPARE(ToolText(m_dialog->MediumTip(), Field("sizeEdit")).left(25),
             QStringLiteral("CD Size 4587520 Kbytes \r\n"));
    Type(Field("audio1Edit"), QStringLiteral("192"));
    QCOMPARE(Field("videoEdit")->text(), QStringLiteral("4905.244"));

    // "Custom" keeps the size and writes it as a plain number.
    Type(Field("sizeEdit"), QStringLiteral("0701"));
    QCOMPARE(preset->currentIndex(), 0);
    emit preset->activated(0);
    QCOMPARE(Field("sizeEdit")->text(), QStringLiteral("701"));
}

void MainDialogTest::theUpDownStepsAndTheCountIsClamped()
{
    UpDownWidget* upDown = Get<UpDownWidget>("countUpDown");
    QLineEdit* count = Get<QLineEdit>("countEdit");
    QTest::mouseClick(upDown->UpButton(), Qt::LeftButton);
    QCOMPARE(count->text(), QStringLiteral("2"));
    QCOMPARE(Field("videoEdit")->text(), QStringLiteral("1464.889"));
    for (int i = 0; i < 7; ++i)
        QTest::mouseClick(upDown->UpButton(), Qt::LeftButton);
    QCOMPARE(count->text(), QStringLiteral("9"));
    // 10 is written and clamped back at once.
    QTest::mouseClick(upDown->UpButton(), Qt::LeftButton);
    QCOMPARE(count->text(), QStringLiteral("9"));
    QCOMPARE(State().mediumCount, 9);

    // The arrow keys in the count field step it too.
    count->setFocus();
    QTest::keyClick(count, Qt::Key_Down);
    QCOMPARE(count->text(), QStringLiteral("8"));
    for (int i = 0; i < 7; ++i)
        QTest::mouseClick(upDown->DownButton(), Qt::LeftButton);
    QCOMPARE(count->text(), QStringLiteral("1"));
    QTest::mouseClick(upDown->DownButton(), Qt::LeftButton);
    QCOMPARE(count->text(), QStringLiteral("1"));
    QCOMPARE(State().mediumCount, 1);
    QCOMPARE(Field("videoEdit")->text(), QStringLiteral("668.444"));
}

void MainDialogTest::lockRunsTheReverseComputation()
{
    QPushButton* lock = Get<QPushButton>("lockButton");
    QTest::mouseClick(lock, Qt::LeftButton);
    QVERIFY(lock->isChecked());
    QVERIFY(State().locked);
    // The click alone computes nothing.
    QCOMPARE(Field("videoEdit")->text(), QStringLiteral("668.444"));

    Type(Field("videoEdit"), QStringLiteral("1000"));
    QCOMPARE(Field("hoursEdit")->text(), QStringLiteral("1"));
    QCOMPARE(Field("minutesEdit")->text(), QStringLiteral("24"));
    QCOMPARE(Field("secondsEdit")->text(), QStringLiteral("43"));
    QCOMPARE(State().fieldStates.video, FieldState::Output);

    // A duration typed while locked is replaced at once, without an Invalid frame.
    Type(Field("minutesEdit"), QStringLiteral("75"));
    QCOMPARE(Field("minutesEdit")->text(), QStringLiteral("24"));
    QCOMPARE(State().fieldStates.minutes, FieldState::Valid);
    // So is a change of medium: the duration follows the locked bitrate.
    Type(Field("audio1Edit"), QStringLiteral("224"));
    QCOMPARE(Field("videoEdit")->text(), QStringLiteral("1000"));
    QCOMPARE(Field("minutesEdit")->text(), QStringLiteral("18"));

    QTest::mouseClick(lock, Qt::LeftButton);
    QVERIFY(!lock->isChecked());
    Type(Field("hoursEdit"), QStringLiteral("2"));
    QCOMPARE(State().fieldStates.video, FieldState::Valid);
}

void MainDialogTest::svcdSnapsBothAudioBitrates()
{
    Type(Field("audio1Edit"), QStringLiteral("100"));
    Type(Field("audio2Edit"), QStringLiteral("100"));
    QTest::mouseClick(Get<QRadioButton>("svcdRadio"), Qt::LeftButton);
    QVERIFY(Get<QRadioButton>("svcdRadio")->isChecked());
    QCOMPARE(Field("audio1Edit")->text(), QStringLiteral("96"));
    QCOMPARE(Field("audio2Edit")->text(), QStringLiteral("96"));
    QCOMPARE(State().formatMode, FormatMode::Svcd);
    // 2:00:00 on 700 MB in Mode 2 sectors with 192 Kbps of audio.
    QCOMPARE(Field("videoEdit")->text(), QStringLiteral("707.904"));
    QVERIFY(ToolText(m_dialog->BitrateTip(), Field("videoEdit"))
                .startsWith(QStringLiteral("(S)VCD mode selected.")));

    QTest::mouseClick(Get<QRadioButton>("aviDvdRadio"), Qt::LeftButton);
    QCOMPARE(State().formatMode, FormatMode::AviDvd);
    QCOMPARE(Field("audio1Edit")->text(), QStringLiteral("96"));
    QVERIFY(ToolText(m_dialog->BitrateTip(), Field("videoEdit"))
                .startsWith(QStringLiteral("Avi/DVD mode selected.")));
}

void MainDialogTest::framesAreDrawnInTheStateColours()
{
    // The whole window as it paints itself.
    const QImage window = m_dialog->grab().toImage();
    for (const char* name :
         {"hoursEdit", "minutesEdit", "secondsEdit", "sizeEdit", "audio1Edit", "audio2Edit", "videoEdit"}) {
        const QRect field = Field(name)->geometry();
        QCOMPARE(window.pixelColor(field.left() + 1, field.center().y()), kValid);
    }

    Type(Field("hoursEdit"), QStringLiteral("101"));
    QCOMPARE(FramePixel("hoursEdit"), kInvalid);
    QCOMPARE(FramePixel("videoEdit"), kInvalid);
    QCOMPARE(FramePixel("minutesEdit"), kValid);
    Type(Field("hoursEdit"), QStringLiteral("2"));

    Type(Field("videoEdit"), QStringLiteral("900"));
    QCOMPARE(FramePixel("videoEdit"), kOutput);
    // The frame runs round the whole field.
    const QImage field = Field("videoEdit")->grab().toImage();
    QCOMPARE(field.pixelColor(field.width() / 2, 0), kOutput);
    QCOMPARE(field.pixelColor(field.width() - 1, field.height() / 2), kOutput);
    QCOMPARE(field.pixelColor(field.width() / 2, field.height() - 2), kOutput);
}

void MainDialogTest::onlyTheWindowsOwnRepaintRecalculates()
{
    // Typing and the caret do not repaint the window: the typed bitrate and its duration stay.
    Type(Field("videoEdit"), QStringLiteral("900"));
    QTest::qWait(50);
    QCOMPARE(Field("videoEdit")->text(), QStringLiteral("900"));
    QCOMPARE(State().fieldStates.video, FieldState::Output);

    // A repaint of the window recalculates: unlocked, that is the forward way again.
    m_dialog->repaint();
    QCOMPARE(State().fieldStates.video, FieldState::Valid);
    QVERIFY(Field("videoEdit")->text().startsWith(QStringLiteral("900.")));
    QCOMPARE(Field("videoEdit")->text(), QString::fromStdString(State().videoBitrateText));
    QCOMPARE(FramePixel("videoEdit"), kValid);
}

void MainDialogTest::tipsFollowEveryRequest()
{
    QWidget* video = Field("videoEdit");
    QWidget* size = Field("sizeEdit");
    BalloonTip& bitrateTip = m_dialog->BitrateTip();
    BalloonTip& mediumTip = m_dialog->MediumTip();

    QCOMPARE(ToolText(bitrateTip, video), QString::fromStdString(BitrateSuggestion(State()).text));
    QVERIFY(ToolText(bitrateTip, video).contains(QStringLiteral(" Avg Bitrate: 668\n Max Bitrate: 9872")));
    QCOMPARE(ToolColour(bitrateTip, video), kGreen);
    QCOMPARE(bitrateTip.Tool(video)->maxWidth, 2000);
    QCOMPARE(bitrateTip.initialDelay, 100);
    QCOMPARE(bitrateTip.autoHideTime, 30000);
    QCOMPARE(bitrateTip.Tools().size(), std::size_t(1));
    QCOMPARE(ToolText(mediumTip, size),
             QStringLiteral("CD Size 716800 Kbytes \r\nMode1 size for AVI/DVD: 716800 Kbytes\n"
                            "Mode2 size for (S)VCD: 808752 Kbytes"));
    QCOMPARE(ToolColour(mediumTip, size), kGreen);
    QCOMPARE(mediumTip.Tool(size)->maxWidth, 0);

    Type(Field("hoursEdit"), QStringLiteral("101"));
    QCOMPARE(ToolText(bitrateTip, video), QStringLiteral("Invalid Bitrate: please check input data."));
    QCOMPARE(ToolColour(bitrateTip, video), kRed);
    Type(Field("hoursEdit"), QStringLiteral("2"));
    QCOMPARE(ToolColour(bitrateTip, video), kGreen);

    // Above the DVD maximum: the yellow warning.
    QTest::mouseClick(Get<QPushButton>("lockButton"), Qt::LeftButton);
    Type(Field("videoEdit"), QStringLiteral("9900"));
    QVERIFY(ToolText(bitrateTip, video).endsWith(QStringLiteral("encode at CBR 9872 Kbps.")));
    QCOMPARE(ToolColour(bitrateTip, video), kYellow);
    QTest::mouseClick(Get<QPushButton>("lockButton"), Qt::LeftButton);
    Type(Field("hoursEdit"), QStringLiteral("2"));
    Type(Field("minutesEdit"), QStringLiteral("00"));
    Type(Field("secondsEdit"), QStringLiteral("00"));
    QCOMPARE(ToolColour(bitrateTip, video), kGreen);

    Type(Field("sizeEdit"), QStringLiteral("-1"));
    QCOMPARE(ToolText(mediumTip, size), QStringLiteral("Invalid Media Size"));
    QCOMPARE(ToolColour(mediumTip, size), kRed);
    QCOMPARE(mediumTip.Tools().size(), std::size_t(1));

    // Focus on the video field refreshes the suggestion and puts a showing tip away.
    Type(Field("sizeEdit"), QStringLiteral("700"));
    RestPointerOn(video);
    QTRY_VERIFY(bitrateTip.IsShowing());
    Field("hoursEdit")->setFocus();
    Field("videoEdit")->setFocus();
    QVERIFY(!bitrateTip.IsShowing());
    QCOMPARE(ToolColour(bitrateTip, video), kGreen);
}

void MainDialogTest::restingOnTheVideoFieldShowsTheSuggestion()
{
    // The track list carries the red "No ifo loaded".
    BalloonTip& trackTip = m_dialog->TrackTip();
    RestPointerOn(Get<QListWidget>("trackList")->viewport());
    QTRY_VERIFY(trackTip.IsShowing());
    QCOMPARE(trackTip.DisplayText(), QStringLiteral("No ifo loaded"));
    QCOMPARE(trackTip.grab().toImage().pixelColor(1, 1), kRed);

    BalloonTip& tip = m_dialog->BitrateTip();
    RestPointerOn(Field("videoEdit"));
    QTRY_VERIFY(tip.IsShowing());
    QVERIFY(tip.DisplayText().startsWith(QStringLiteral("Avi/DVD mode selected.\n----")));
    QCOMPARE(tip.grab().toImage().pixelColor(1, 1), kGreen);
    QVERIFY(!m_dialog->MediumTip().IsShowing());
    QTRY_VERIFY(!trackTip.IsShowing());
}

void MainDialogTest::mediumReportHasTwoPages()
{
    BalloonTip& tip = m_dialog->MediumTip();
    RestPointerOn(Field("sizeEdit"));
    QTRY_VERIFY(tip.IsShowing());
    QCOMPARE(tip.DisplayText(), QStringLiteral("CD Size 716800 Kbytes   "));
    QCursor::setPos(tip.geometry().center());
    QTest::mouseClick(&tip, Qt::LeftButton);
    QCOMPARE(tip.DisplayText(), QStringLiteral("  \nMode1 size for AVI/DVD: 716800 Kbytes\n"
                                               "Mode2 size for (S)VCD: 808752 Kbytes"));
    QTest::mouseClick(&tip, Qt::LeftButton);
    QVERIFY(!tip.OnSecondPage());
}

void MainDialogTest::slidesBetweenTheTwoWidths()
{
    const WindowSlide& slide = m_dialog->Slide();
    QVERIFY(slide.OpenWidth() > slide.ClosedWidth());
    QCOMPARE(slide.Step(), DialogUnits(m_dialog->font()).ScaledPixels(10));

    std::vector<int> widths;
    struct Filter : QObject {
        std::vector<int>* widths;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Resize)
                widths->push_back(static_cast<QWidget*>(watched)->width());
            return false;
        }
    } filter;
    filter.widths = &widths;
    m_dialog->installEventFilter(&filter);

    const int height = m_dialog->height();
    m_dialog->StartSlide(true);
    QVERIFY(Get<QPushButton>("aboutButton")->isVisible());
    QTRY_VERIFY(!slide.IsSliding());
    QCOMPARE(m_dialog->width(), slide.OpenWidth());
    QCOMPARE(m_dialog->height(), height);
    QVERIFY(!widths.empty());
    int previous = slide.ClosedWidth();
    for (int width : widths) {
        QVERIFY(width > previous);
        QVERIFY(width - previous <= slide.Step());
        if (width != slide.OpenWidth())
            QCOMPARE(width - previous, slide.Step());
        previous = width;
    }

    m_dialog->StartSlide(false);
    QTRY_VERIFY(!slide.IsSliding());
    QCOMPARE(m_dialog->width(), slide.ClosedWidth());
    QVERIFY(!Get<QPushButton>("aboutButton")->isVisible());

    // Closing an already closed window ends after one tick.
    widths.clear();
    m_dialog->StartSlide(false);
    QTRY_VERIFY(!slide.IsSliding());
    QCOMPARE(m_dialog->width(), slide.ClosedWidth());
    m_dialog->removeEventFilter(&filter);
}

void MainDialogTest::aboutBoxOpensFromButtonAndMenu()
{
    m_dialog->StartSlide(true);
    QTRY_VERIFY(!m_dialog->Slide().IsSliding());
    QTest::mouseClick(Get<QPushButton>("aboutButton"), Qt::LeftButton);
    QDialog* about = m_dialog->findChild<QDialog*>(QStringLiteral("aboutDialog"));
    QVERIFY(about != nullptr);
    QVERIFY(about->isVisible());
    QVERIFY(about->isModal());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Ratewise"));
    QCOMPARE(m_dialogs->sounds, std::vector<QUrl>{AboutChimeUrl()});
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QTRY_VERIFY(m_dialog->findChild<QDialog*>(QStringLiteral("aboutDialog")) == nullptr);

    // The window's own menu: the About entry after a separator.
    QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(5, 5), m_dialog->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_dialog.get(), &context);
    QMenu* menu = m_dialog->findChild<QMenu*>(QStringLiteral("windowMenu"));
    QVERIFY(menu != nullptr);
    QTRY_VERIFY(menu->isVisible());
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() >= 2);
    QCOMPARE(actions.last()->text(), QStringLiteral("About Ratewise..."));
    QVERIFY(actions.at(actions.size() - 2)->isSeparator());
    actions.last()->trigger();
    menu->close();
    about = m_dialog->findChild<QDialog*>(QStringLiteral("aboutDialog"));
    QVERIFY(about != nullptr);
    QVERIFY(about->isVisible());
    QCOMPARE(m_dialogs->sounds.size(), std::size_t(2));
    QTest::keyClick(about, Qt::Key_Escape);
    QTRY_VERIFY(m_dialog->findChild<QDialog*>(QStringLiteral("aboutDialog")) == nullptr);
}

void MainDialogTest::tabVisitsTheFieldsInOrder()
{
    m_dialog->activateWindow();
    Field("hoursEdit")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 13; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    const QStringList expected{
        "hoursEdit",  "minutesEdit", "secondsEdit", "presetCombo", "sizeEdit",      "countEdit", "audio1Edit",
        "audio2Edit", "aviDvdRadio", "videoEdit",   "lockButton",  "openIfoButton", "trackList", "hoursEdit",
    };
    QCOMPARE(visited, expected);
    // The open window adds its buttons after the track list.
    m_dialog->StartSlide(true);
    QTRY_VERIFY(!m_dialog->Slide().IsSliding());
    Get<QListWidget>("trackList")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("videoInfoButton"));
}

void MainDialogTest::keysReachTheWindowMenuAndItsEntries()
{
    // Shift+F10 from a field, and the Menu key on the track list, open the window's menu.
    QTest::keyClick(Field("hoursEdit"), Qt::Key_F10, Qt::ShiftModifier);
    QMenu* menu = m_dialog->findChild<QMenu*>(QStringLiteral("windowMenu"));
    QVERIFY(menu != nullptr);
    QTRY_VERIFY(menu->isVisible());
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.last()->shortcut(), QKeySequence(QKeySequence::HelpContents));
    delete menu;
    auto* tracks = Get<QListWidget>("trackList");
    tracks->setFocus();
    QCOMPARE(tracks->frameShape(), QFrame::Box); // the list shows it has the focus
    const QPoint centre = tracks->rect().center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre, tracks->mapToGlobal(centre));
    QApplication::sendEvent(tracks, &menuKey);
    menu = m_dialog->findChild<QMenu*>(QStringLiteral("windowMenu"));
    QVERIFY(menu != nullptr);
    QTRY_VERIFY(menu->isVisible());
    delete menu;
    // F1 is the About entry's, and works without the menu.
    QTest::keyClick(tracks, Qt::Key_F1);
    QVERIFY(m_dialog->findChild<QDialog*>(QStringLiteral("aboutDialog")) != nullptr);
}

void MainDialogTest::altLettersReachTheControlsAndTheTextsStay()
{
    // The texts show exactly their words; no two controls share a letter, and a label's letter
    // has a field to go to.
    QStringList shown;
    QList<QKeySequence> letters;
    for (QWidget* w : m_dialog->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        const auto* group = qobject_cast<QGroupBox*>(w);
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const QString text = label ? label->text() : group ? group->title() : button ? button->text() : "";
        if (text.isEmpty())
            continue;
        shown << WithoutMnemonic(text);
        const QKeySequence letter = QKeySequence::mnemonic(text);
        QVERIFY2(letter.isEmpty() || (!letters.contains(letter) && (!label || label->buddy())),
                 qPrintable(text));
        letters << letter;
    }
    QCOMPARE(
        shown.join(u'|'),
        QStringLiteral("Duration (h:m:s)|:|:|Target Media (MB)|x|Audio (Kbps)|1:|2:|Format|"
                       "Video Bitrate (Kbps)|Video tracks (h:m:s .f)|Cells:|Audio Tracks:|Subtitles:|"
                       "More informations...|TMPGEnc|Avi/Dvd|(S)VCD|Lock|Open IFO file|Video Informations|"
                       "Audio Informations|Chapters Informations|Subs Informations|Bitrate Informations|"
                       "Create VCD Project|Create SVCD Project|About Ratewise..."));

    // A group's letter reaches the field it frames, a label's its buddy, a button's clicks it.
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    Field("hoursEdit")->setFocus();
    QTest::keyClick(Field("hoursEdit"), Qt::Key_B, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), Field("videoEdit"));
    QTest::keyClick(Field("videoEdit"), Qt::Key_2, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), Field("audio2Edit"));
    QTest::mouseClick(Get<QRadioButton>("svcdRadio"), Qt::LeftButton);
    QTest::keyClick(Field("audio2Edit"), Qt::Key_F, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), Get<QRadioButton>("svcdRadio")); // the chosen format
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::AltModifier);
    QTRY_VERIFY(State().locked);
}

void MainDialogTest::keepsTheFirstDroppedPathAndTheArgument()
{
    MainDialog started(QStringList{QStringLiteral("/discs/VTS_01_0.IFO"), QStringLiteral("other")}, nullptr);
    QCOMPARE(started.IfoPath(), QStringLiteral("/discs/VTS_01_0.IFO"));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/a/VTS_02_0.IFO")),
                  QUrl::fromLocalFile(QStringLiteral("/b/x")), QUrl::fromLocalFile(QStringLiteral("/c/y"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &drop);
    QCOMPARE(m_dialog->IfoPath(), QStringLiteral("/a/VTS_02_0.IFO"));

    const QString longPath = QStringLiteral("/") + QString(300, QLatin1Char('d'));
    data.setUrls({QUrl::fromLocalFile(longPath)});
    QDragEnterEvent enterAgain(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &enterAgain);
    QDropEvent longDrop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &longDrop);
    QCOMPARE(m_dialog->IfoPath(), longPath.left(255));
}

void MainDialogTest::escapeAndEnterClose()
{
    QTest::keyClick(Field("hoursEdit"), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());

    MainDialog other(QStringList{}, nullptr);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    // Enter on a button presses it; Enter in a field closes the window.
    QPushButton* lock = other.findChild<QPushButton*>(QStringLiteral("lockButton"));
    lock->setFocus();
    QTest::keyClick(lock, Qt::Key_Return);
    QVERIFY(other.State().locked);
    QVERIFY(other.isVisible());
    QLineEdit* hours = other.findChild<QLineEdit*>(QStringLiteral("hoursEdit"));
    hours->setFocus();
    QTest::keyClick(hours, Qt::Key_Return);
    QVERIFY(!other.isVisible());
}

void MainDialogTest::noInputSequenceBreaksIt()
{
    const std::vector<FramedLineEdit*> fields{Field("hoursEdit"), Field("minutesEdit"), Field("secondsEdit"),
                                              Field("sizeEdit"),  Field("audio1Edit"),  Field("audio2Edit"),
                                              Field("videoEdit")};
    const QString characters = QStringLiteral("0123456789-+.eE x\t");
    std::mt19937 random(45);
    const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    UpDownWidget* upDown = Get<UpDownWidget>("countUpDown");
    for (int step = 0; step < 400; ++step) {
        switch (pick(7)) {
        case 0:
        case 1: {
            FramedLineEdit* field = fields[static_cast<std::size_t>(pick(7))];
            QString text;
            for (int i = pick(12); i > 0; --i)
                text += characters.at(pick(static_cast<int>(characters.size())));
            Type(field, text);
            break;
        }
        case 2:
            QTest::keyClick(fields[static_cast<std::size_t>(pick(7))], Qt::Key_Backspace);
            break;
        case 3:
            QTest::mouseClick(pick(2) == 0 ? upDown->UpButton() : upDown->DownButton(), Qt::LeftButton);
            break;
        case 4:
            QTest::mouseClick(Get<QPushButton>("lockButton"), Qt::LeftButton);
            break;
        case 5:
            QTest::mouseClick(Get<QRadioButton>(pick(2) == 0 ? "aviDvdRadio" : "svcdRadio"), Qt::LeftButton);
            break;
        default:
            emit Get<QComboBox>("presetCombo")->activated(pick(8));
            break;
        }
        // What the window shows is what the calculator holds.
        const CalculatorState& state = State();
        QVERIFY(state.mediumCount >= 1 && state.mediumCount <= 9);
        QCOMPARE(Get<QLineEdit>("countEdit")->text(), QString::number(state.mediumCount));
        QCOMPARE(Field("videoEdit")->text(), QString::fromStdString(state.videoBitrateText));
        QCOMPARE(Field("hoursEdit")->text(), QString::fromStdString(state.hoursText));
        QCOMPARE(Get<QPushButton>("lockButton")->isChecked(), state.locked);
        QCOMPARE(Get<QRadioButton>("svcdRadio")->isChecked(), state.formatMode == FormatMode::Svcd);
    }
    m_dialog->grab();
}

RATEWISE_WINDOW_TEST(main_dialog_test, MainDialogTest)
#include "main_dialog_test.moc"
