// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of the windows and the tips, laid out as the painter lays it out, lies inside the box
// that shows it, and a tip shows as many lines as its text has. Registered once per scale factor
// and font family (tests/ui/CMakeLists.txt); with RATEWISE_SHOTS_DIR set, a picture of every
// window and tip is saved there.
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTest>
#include <QTextBlock>

#include <cmath>
#include <memory>

#include "app/main_dialog.h"
#include "app/window_slide.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/window_helpers.h"
#include "tests/ui/window_test_main.h"
#include "ui/balloon_tip_widget.h"
#include "ui/fitted_text.h"
#include "ui/framed_line_edit.h"
#include "ui/up_down_widget.h"

using namespace ratewise;
using ratewise::test_support::RestPointerOn;
using ratewise::test_support::Type;

namespace {

QString Fixture(const char* set)
{
    return QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/%1/VTS_01_0.IFO").arg(QLatin1String(set));
}

// Saves a picture of `widget` when the run asks for them.
void Shoot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("RATEWISE_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    widget->grab().save(QStringLiteral("%1/%2-%3-x%4.png")
                            .arg(dir, name, QFontInfo(QApplication::font()).family().remove(QLatin1Char(' ')))
                            .arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"))));
}

// Lists every misfit, then fails when there is one.
void Report(const QStringList& misfits)
{
    for (const QString& misfit : misfits)
        qWarning("%s", qPrintable(misfit));
    QVERIFY2(misfits.isEmpty(), qPrintable(QStringLiteral("%1 texts do not fit").arg(misfits.size())));
}

// Collects every text that does not fit its box, with where it is and how large it came out.
class FitCheck
{
public:
    // `lines`: how many lines the text must take; a box that `fits` its text has room for exactly
    // those lines.
    void Text(const QWidget* widget, const QString& text, const QRect& box, int flags, int lines = 1,
              bool fits = false)
    {
        const QFontMetricsF metrics(widget->font(), widget);
        const QRectF laid = metrics.boundingRect(QRectF(box), flags, text);
        const qreal step = metrics.height() + metrics.leading();
        const int laidLines = static_cast<int>(std::lround((laid.height() + metrics.leading()) / step));
        const int boxLines = static_cast<int>(std::floor((box.height() + metrics.leading()) / step + 1e-3));
        const bool inside = QRectF(box).adjusted(-1e-3, -1e-3, 1e-3, 1e-3).contains(laid);
        if (!text.isEmpty() && (!inside || laidLines != lines || (fits && boxLines != lines)))
            misfits << QStringLiteral("%1 \"%2\": %3x%4 px in %5 line(s), box %6x%7 px")
                           .arg(widget->objectName(), text.left(60))
                           .arg(laid.width(), 0, 'f', 2)
                           .arg(laid.height(), 0, 'f', 2)
                           .arg(laidLines)
                           .arg(box.width())
                           .arg(box.height());
    }

    // Every text of a window's visible controls.
    void Window(QWidget* window)
    {
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window))
                continue;
            if (auto* label = qobject_cast<QLabel*>(w))
                // A label with a buddy draws its "&" as the mnemonic's underline.
                Text(label, label->text(), label->contentsRect(),
                     int(label->alignment()) | (label->buddy() ? Qt::TextShowMnemonic : 0));
            else if (auto* radio = qobject_cast<QRadioButton*>(w))
                Text(radio, radio->text(), ButtonTextBox(radio), left | Qt::TextShowMnemonic);
            else if (auto* button = qobject_cast<QPushButton*>(w))
                Text(button, button->text(), ButtonTextBox(button), Qt::AlignCenter | Qt::TextShowMnemonic);
            else if (auto* group = qobject_cast<QGroupBox*>(w))
                Group(group);
            else if (auto* framed = qobject_cast<FramedLineEdit*>(w))
                Text(framed, framed->text(), framed->TextBox(), int(framed->alignment()));
            else if (auto* field = qobject_cast<QLineEdit*>(w))
                Text(field, field->text(), FieldTextBox(field), int(field->alignment()));
            else if (auto* combo = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < combo->count(); ++i) // any entry may be chosen
                    Text(combo, combo->itemText(i), ComboTextBox(combo), left);
            else if (auto* list = qobject_cast<QListWidget*>(w))
                List(list);
            else if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
                TextBox(edit);
        }
    }

    QStringList misfits;

private:
    void Group(QGroupBox* group)
    {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label =
            group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        Text(group, group->title(), label & group->rect(), Qt::AlignCenter | Qt::TextShowMnemonic);
    }

    // Entries fit their rows; a wider entry is fine where the list scrolls sideways to it.
    void List(QListWidget* list)
    {
        const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        for (int i = 0; i < list->count(); ++i) {
            QRect row = list->visualItemRect(list->item(i)).adjusted(margin, 0, -margin, 0);
            if (list->horizontalScrollBar()->maximum() > 0)
                row.setWidth(1 << 20);
            Text(list->viewport(), list->item(i)->text(), row, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }

    // A report box: no line of the text wraps, and without a scroll bar every line up to the
    // last that is not blank is in view.
    void TextBox(QPlainTextEdit* edit)
    {
        qreal height = 2 * edit->document()->documentMargin();
        qreal filled = height;
        for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
            if (block.layout()->lineCount() > 1)
                misfits << QStringLiteral("%1 \"%2\" wraps").arg(edit->objectName(), block.text());
            height += block.layout()->boundingRect().height();
            if (!block.text().trimmed().isEmpty())
                filled = height;
        }
        if (edit->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff && filled > edit->viewport()->height())
            misfits << QStringLiteral("%1: %2 px of text in %3 px")
                           .arg(edit->objectName())
                           .arg(filled)
                           .arg(edit->viewport()->height());
    }
};

} // namespace

class TextFitTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyTipTextFitsItsTip();
    void everyWindowShowsItsWholeTexts();

private:
    // Shows the tip of `control` (the second page too, when there is one) and checks it.
    void CheckTip(BalloonTip& tip, QWidget* control, const char* name);
    void Load(const QString& path);
    // Clicks a button of the main window and checks the window it opened, then closes it.
    void CheckOpened(const char* buttonName, const char* windowName);
    template <typename W> W* Get(const char* name) { return m_dialog->findChild<W*>(QLatin1String(name)); }

    std::unique_ptr<MainDialog> m_dialog;
    FitCheck m_check;
};

void TextFitTest::initTestCase()
{
    BalloonTip::SetTimeDivisor(20);
    const QString family = qEnvironmentVariable("RATEWISE_FONT_FAMILY");
    if (!family.isEmpty() && QFontInfo(QApplication::font()).family() != family)
        QSKIP("the font family of this run is not installed");
}

void TextFitTest::init()
{
    m_check.misfits.clear();
    m_dialog = std::make_unique<MainDialog>(QStringList());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TextFitTest::cleanup()
{
    m_dialog.reset();
}

void TextFitTest::CheckTip(BalloonTip& tip, QWidget* control, const char* name)
{
    QCursor::setPos(m_dialog->mapToGlobal(QPoint(1, 1)));
    RestPointerOn(control);
    QTRY_VERIFY(tip.IsShowing());
    for (int page = 1; page <= (tip.HasSecondPage() ? 2 : 1); ++page) {
        if (page == 2) {
            QCursor::setPos(tip.mapToGlobal(QPoint(2, 2)));
            QTest::mouseClick(&tip, Qt::LeftButton, {}, QPoint(2, 2));
            QVERIFY(tip.OnSecondPage());
        }
        const int lines = static_cast<int>(tip.DisplayText().count(QLatin1Char('\n'))) + 1;
        tip.setObjectName(QStringLiteral("%1 tip page %2").arg(QLatin1String(name)).arg(page));
        m_check.Text(&tip, tip.DisplayText(), tip.rect().marginsRemoved(BalloonTip::kMargins),
                     Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextIncludeTrailingSpaces, lines, true);
        Shoot(&tip, QStringLiteral("tip-%1-%2").arg(QLatin1String(name)).arg(page));
    }
    tip.Pop();
}

void TextFitTest::Load(const QString& path)
{
    test_support::DialogRecorder dialogs;
    dialogs.nextOpenFileName = path;
    QTest::mouseClick(Get<QPushButton>("openIfoButton"), Qt::LeftButton);
}

void TextFitTest::everyTipTextFitsItsTip()
{
    const MainDialogControls& c = m_dialog->Controls();
    CheckTip(m_dialog->TrackTip(), c.tracks, "no-ifo");
    CheckTip(m_dialog->MediumTip(), c.size, "medium-report");
    CheckTip(m_dialog->BitrateTip(), c.video, "dvd-suggestion");
    Type(c.size, "-1");
    CheckTip(m_dialog->MediumTip(), c.size, "invalid-media-size");
    Type(c.size, "4480");
    CheckTip(m_dialog->MediumTip(), c.size, "dvd-medium-report");

    // One second on a DVD: far above the DVD maximum; then the same in "(S)VCD".
    Type(c.hours, "0");
    Type(c.minutes, "0");
    Type(c.seconds, "1");
    CheckTip(m_dialog->BitrateTip(), c.video, "dvd-warning");
    QTest::mouseClick(c.svcd, Qt::LeftButton);
    CheckTip(m_dialog->BitrateTip(), c.video, "svcd-warning");
    // Locked bitrates just below the maxima, well below them, and none.
    QTest::mouseClick(c.lock, Qt::LeftButton);
    Type(c.audio1, "224");
    Type(c.video, "2450.5");
    CheckTip(m_dialog->BitrateTip(), c.video, "svcd-high-average");
    Type(c.video, "1150");
    CheckTip(m_dialog->BitrateTip(), c.video, "svcd-suggestion");
    QTest::mouseClick(c.aviDvd, Qt::LeftButton);
    Type(c.audio2, "224");
    Type(c.video, "9000");
    CheckTip(m_dialog->BitrateTip(), c.video, "dvd-high-average");
    Type(c.video, "0");
    CheckTip(m_dialog->BitrateTip(), c.video, "invalid-bitrate");

    Load(QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/lsdvd-x.txt"));
    CheckTip(m_dialog->TrackTip(), c.tracks, "invalid-ifo");
    Load(Fixture("pal_d1_3audio_cells"));
    CheckTip(m_dialog->TrackTip(), c.tracks, "track-report");
    Report(m_check.misfits);
}

void TextFitTest::CheckOpened(const char* buttonName, const char* windowName)
{
    QTest::mouseClick(Get<QPushButton>(buttonName), Qt::LeftButton);
    QWidget* window = Get<QWidget>(windowName);
    QVERIFY2(window != nullptr, windowName);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    m_check.Window(window);
    Shoot(window, QString::fromLatin1(buttonName).remove(QStringLiteral("Button")));
    delete window;
}

void TextFitTest::everyWindowShowsItsWholeTexts()
{
    m_check.Window(m_dialog.get());
    Shoot(m_dialog.get(), QStringLiteral("main-closed"));
    // A second's running time gives the calculator's widest bitrate.
    const MainDialogControls& c = m_dialog->Controls();
    Type(c.seconds, "1");
    Type(c.minutes, "0");
    Type(c.hours, "0");
    Load(Fixture("pal_d1_3audio_cells"));
    QTRY_COMPARE(m_dialog->width(), m_dialog->Slide().OpenWidth());
    Type(c.hours, "0");
    Type(c.minutes, "0");
    Type(c.seconds, "1");
    m_check.Window(m_dialog.get());
    Shoot(m_dialog.get(), QStringLiteral("main-open"));

    CheckOpened("videoInfoButton", "infoDialog");
    CheckOpened("audioInfoButton", "infoDialog");
    CheckOpened("subsInfoButton", "infoDialog");
    // Three media: the split report's longest text.
    c.countUpDown->Step(2);
    CheckOpened("chaptersInfoButton", "chaptersDialog");
    // Again on the Matroska XML, with a refused language code and its reason beside the field.
    QTest::mouseClick(Get<QPushButton>("chaptersInfoButton"), Qt::LeftButton);
    QWidget* chapters = Get<QWidget>("chaptersDialog");
    QVERIFY(chapters != nullptr);
    chapters->findChild<QComboBox*>(QStringLiteral("formatList"))->setCurrentIndex(4);
    Type(chapters->findChild<QLineEdit*>(QStringLiteral("languageEdit")), "xyz");
    m_check.Window(chapters);
    Shoot(chapters, QStringLiteral("chapters-xml"));
    delete chapters;
    CheckOpened("bitrateInfoButton", "bitrateExplorer");
    CheckOpened("aboutButton", "aboutDialog");
    CheckOpened("createVcdButton", "vcdProjectDialog");
    // The Encode window with its figures for the loaded track on three media.
    QDialog* encode = m_dialog->OpenEncodeWindow();
    QVERIFY(encode != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(encode));
    m_check.Window(encode);
    Shoot(encode, QStringLiteral("encode"));
    // The longest texts of a run: the step of a season's plan, the time left and the outcome.
    encode->findChild<QLabel*>(QStringLiteral("stepLabel"))
        ->setText(QStringLiteral("file 12 of 12, pass 2 of 2, 100 %"));
    encode->findChild<QLabel*>(QStringLiteral("timeLeftLabel"))->setText(QStringLiteral("12 h 59 min left"));
    QCoreApplication::processEvents(); // the layout follows the new texts, as it does between steps
    m_check.Window(encode);
    encode->findChild<QLabel*>(QStringLiteral("stepLabel"))
        ->setText(QStringLiteral("Done, but a file is over its medium"));
    QCoreApplication::processEvents();
    m_check.Window(encode);
    delete encode;
    Report(m_check.misfits);
}

RATEWISE_WINDOW_TEST(text_fit_test, TextFitTest)
#include "text_fit_test.moc"
