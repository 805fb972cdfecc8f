// SPDX-License-Identifier: GPL-3.0-or-later
// The balloon tip on a small window of two fields: timing, pages, size, place, colours, tools.
#include <QCursor>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <QWidget>

#include <cmath>
#include <memory>

#include "tests/ui/window_helpers.h"
#include "tests/ui/window_test_main.h"
#include "ui/balloon_tip_relay.h"
#include "ui/balloon_tip_widget.h"

using ratewise::BalloonTip;
using ratewise::BalloonTipRelay;
using ratewise::test_support::RestPointer;
using ratewise::test_support::RestPointerOn;

namespace {

constexpr int kDivisor = 50;

} // namespace

class BalloonTipTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BalloonTip::SetTimeDivisor(kDivisor); }
    void init();
    void cleanup();

    void showsAfterTheDelayAndHidesAfterTheAutoHideTime();
    void staysWhileThePointerIsOnTheTip();
    void clicksAndKeysHideIt();
    void leavingBeforeTheDelayLetsTheNextRestShowIt();
    void inactiveTipNeverShows();
    void twoPageTextFlipsOnClick();
    void measuresLinesWithTwoBlanksAndMargins();
    void staysInsideTheScreen();
    void paintsItsColoursAndFrame();
    void toolsAreAddedChangedAndRemoved();
    void asksTheParentForItsText();
    void usesTheSystemTipFontUntilGivenAnother();

private:
    std::unique_ptr<QWidget> m_window;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_second = nullptr;
    QWidget* m_empty = nullptr;
    std::unique_ptr<BalloonTip> m_tip;
    QPoint ShowTipOnFirst(const QString& text);
};

void BalloonTipTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->setGeometry(100, 100, 300, 200);
    m_first = new QLineEdit(m_window.get());
    m_first->setGeometry(10, 10, 100, 20);
    m_second = new QLineEdit(m_window.get());
    m_second->setGeometry(10, 60, 100, 20);
    m_empty = new QWidget(m_window.get());
    m_empty->setGeometry(150, 100, 100, 80);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_tip = std::make_unique<BalloonTip>();
    QVERIFY(m_tip->Create(m_window.get()));
    // Shown for 300 ms of real time: long enough to be seen by a busy test machine.
    m_tip->autoHideTime = 15000;
    auto* relay = new BalloonTipRelay(m_window.get());
    relay->AddTip(m_tip.get());
    relay->Watch(m_window.get());
}

void BalloonTipTest::cleanup()
{
    m_tip.reset();
    m_window.reset();
}

QPoint BalloonTipTest::ShowTipOnFirst(const QString& text)
{
    m_tip->AddTool(m_first, text);
    RestPointerOn(m_first);
    [&] { QTRY_VERIFY(m_tip->IsShowing()); }();
    return m_first->mapToGlobal(m_first->rect().center());
}

void BalloonTipTest::showsAfterTheDelayAndHidesAfterTheAutoHideTime()
{
    m_tip->AddTool(m_first, QStringLiteral("hello"));
    RestPointerOn(m_first);
    QVERIFY(!m_tip->IsShowing()); // armed, waiting for the delay
    QCOMPARE(m_tip->CurrentTool()->control, m_first);
    QTRY_VERIFY(m_tip->IsShowing());
    QCOMPARE(m_tip->DisplayText(), QStringLiteral("hello"));
    // Below the cursor by the offset.
    QCOMPARE(m_tip->geometry().topLeft(), QCursor::pos() + QPoint(0, 20));
    QTRY_VERIFY(!m_tip->IsShowing());
    QVERIFY(!m_tip->isVisible());
}

void BalloonTipTest::staysWhileThePointerIsOnTheTip()
{
    ShowTipOnFirst(QStringLiteral("hello"));
    QCursor::setPos(m_tip->geometry().center());
    // Well past the auto-hide time, it is still there.
    QTest::qWait(3 * m_tip->autoHideTime / kDivisor);
    QVERIFY(m_tip->IsShowing());
    // On the window's empty part the next poll hides it.
    RestPointerOn(m_empty);
    QTRY_VERIFY(!m_tip->IsShowing());
}

void BalloonTipTest::clicksAndKeysHideIt()
{
    ShowTipOnFirst(QStringLiteral("hello"));
    QTest::keyClick(m_first, Qt::Key_A);
    QVERIFY(!m_tip->IsShowing());

    // The pointer leaves and comes back: shown again, then a right click hides it.
    RestPointerOn(m_empty);
    QCOMPARE(m_tip->CurrentTool(), nullptr);
    RestPointerOn(m_first);
    QTRY_VERIFY(m_tip->IsShowing());
    QTest::mouseClick(m_first, Qt::RightButton, Qt::NoModifier, m_first->rect().center());
    QVERIFY(!m_tip->IsShowing());

    // A left click on the window hides it too, one on the tip itself does not.
    RestPointerOn(m_empty);
    RestPointerOn(m_first);
    QTRY_VERIFY(m_tip->IsShowing());
    QCursor::setPos(m_tip->geometry().center());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(m_tip->geometry().center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    m_tip->RelayEvent(m_window.get(), &press);
    QVERIFY(m_tip->IsShowing());
    QCursor::setPos(m_first->mapToGlobal(QPoint(2, 2)));
    m_tip->RelayEvent(m_window.get(), &press);
    QVERIFY(!m_tip->IsShowing());
}

void BalloonTipTest::leavingBeforeTheDelayLetsTheNextRestShowIt()
{
    m_tip->AddTool(m_first, QStringLiteral("hello"));
    RestPointerOn(m_first);
    RestPointerOn(m_empty); // gone before the delay ran out
    QTest::qWait(3 * m_tip->initialDelay / kDivisor);
    QVERIFY(!m_tip->IsShowing());
    RestPointerOn(m_empty);
    RestPointerOn(m_first);
    QTRY_VERIFY(m_tip->IsShowing());

    // Moving straight onto another tool re-arms for that one.
    m_tip->AddTool(m_second, QStringLiteral("second"));
    RestPointerOn(m_second);
    QVERIFY(!m_tip->IsShowing());
    QTRY_VERIFY(m_tip->IsShowing());
    QCOMPARE(m_tip->DisplayText(), QStringLiteral("second"));
}

void BalloonTipTest::inactiveTipNeverShows()
{
    m_tip->active = false;
    m_tip->AddTool(m_first, QStringLiteral("hello"));
    RestPointerOn(m_first);
    QTest::qWait(3 * m_tip->initialDelay / kDivisor);
    QVERIFY(!m_tip->isVisible());
}

void BalloonTipTest::twoPageTextFlipsOnClick()
{
    ShowTipOnFirst(QStringLiteral("first\rsecond\rthird"));
    QVERIFY(m_tip->HasSecondPage());
    QVERIFY(!m_tip->OnSecondPage());
    QCOMPARE(m_tip->DisplayText(), QStringLiteral("first  "));

    const QFontMetrics metrics(m_tip->TipFont());
    const int arrowY = BalloonTip::kMargins.top() + (metrics.height() & ~1) / 2;
    const auto arrowIsAt = [&](bool right) {
        const QImage image = m_tip->grab().toImage();
        const QRect text = m_tip->rect().marginsRemoved(BalloonTip::kMargins);
        const int x = right ? text.left() + text.width() - 2 : text.left() + 2;
        return image.pixelColor(x, arrowY) == QColor(Qt::black);
    };
    QVERIFY(arrowIsAt(true));
    const QPoint corner = m_tip->geometry().topLeft();

    // The click reaches the window's relay too; the pointer is on the tip, so it stays.
    QCursor::setPos(m_tip->geometry().center());
    QTest::mouseClick(m_tip.get(), Qt::LeftButton);
    QVERIFY(m_tip->OnSecondPage());
    QCOMPARE(m_tip->DisplayText(), QStringLiteral("  second"));
    QCOMPARE(m_tip->geometry().topLeft(), corner); // flips in place
    QVERIFY(arrowIsAt(false));

    QTest::mouseClick(m_tip.get(), Qt::LeftButton);
    QCOMPARE(m_tip->DisplayText(), QStringLiteral("first  "));
}

void BalloonTipTest::measuresLinesWithTwoBlanksAndMargins()
{
    // Fractional metrics, rounded up once: a box rounded down would wrap its widest line.
    const QFontMetricsF metrics(m_tip->TipFont(), m_tip.get());
    const int marginsX = BalloonTip::kMargins.left() + BalloonTip::kMargins.right();
    const int marginsY = BalloonTip::kMargins.top() + BalloonTip::kMargins.bottom();
    const auto width = [&](const char* text) {
        return static_cast<int>(std::ceil(metrics.horizontalAdvance(QString::fromLatin1(text)))) + marginsX;
    };
    const auto height = [&](int lines) {
        return static_cast<int>(std::ceil(lines * metrics.height() + (lines - 1) * metrics.leading())) +
               marginsY;
    };

    // The blanks set the room a line may take; the tip is as wide as what is laid out in it,
    // trailing blanks included.
    const QSize one = m_tip->MeasureTip(QStringLiteral("one line"), 0);
    QCOMPARE(one.width(), width("one line"));
    QCOMPARE(one.height(), height(1));
    const QSize page = m_tip->MeasureTip(QStringLiteral("one line  "), 0);
    QCOMPARE(page.width(), width("one line  "));

    // The widest line decides; an empty line ends what is measured, the rest wraps.
    const QSize two = m_tip->MeasureTip(QStringLiteral("short\nthe longest line"), 0);
    QCOMPARE(two.width(), width("the longest line"));
    QCOMPARE(two.height(), height(2));
    const QSize cut = m_tip->MeasureTip(QStringLiteral("short\n\nthe longest line"), 0);
    QVERIFY(cut.width() < two.width());
    QVERIFY(cut.height() > 3 * metrics.height());

    // A fixed width is a limit: the tip is as wide as its text within it.
    const QSize wide = m_tip->MeasureTip(QStringLiteral("one line"), 2000);
    QVERIFY(wide.width() < 200);
    QCOMPARE(wide.height(), one.height());
    // A negative width counts as none: every word on its own line.
    const QSize narrow = m_tip->MeasureTip(QStringLiteral("a b c"), -5);
    QCOMPARE(narrow.height(), height(3));
}

void BalloonTipTest::staysInsideTheScreen()
{
    m_tip->AddTool(m_first, QStringLiteral("hello"));
    const ratewise::BalloonTool& tool = m_tip->Tools().front();
    const QRect screen = m_window->screen()->geometry();
    const QSize size(120, 40);

    const QRect free = m_tip->PositionTip(QPoint(200, 200), tool, size);
    QCOMPARE(free, QRect(QPoint(200, 200), size));
    const QRect right = m_tip->PositionTip(QPoint(screen.right() - 10, 200), tool, size);
    QCOMPARE(right.right(), screen.right());
    QCOMPARE(right.size(), size);
    const QRect huge = m_tip->PositionTip(QPoint(50, 200), tool, QSize(screen.width() + 100, 40));
    QCOMPARE(huge.left(), screen.left());
    // Too low: just above the control.
    const QRect low = m_tip->PositionTip(QPoint(200, screen.bottom() - 10), tool, size);
    QCOMPARE(low.bottom(), m_first->mapToGlobal(QPoint(0, 0)).y() - 1);
}

void BalloonTipTest::paintsItsColoursAndFrame()
{
    ShowTipOnFirst(QStringLiteral("hello"));
    QImage image = m_tip->grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
    QCOMPARE(image.pixelColor(1, 1), QToolTip::palette().color(QPalette::ToolTipBase));

    m_tip->SetTipBkColor(QColor(255, 255, 0));
    QCOMPARE(m_tip->Tools().front().backColor, QColor(255, 255, 0));
    image = m_tip->grab().toImage();
    QCOMPARE(image.pixelColor(1, 1), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(0, 1), QColor(Qt::black));
}

void BalloonTipTest::toolsAreAddedChangedAndRemoved()
{
    QCOMPARE(m_tip->AddTool(nullptr, QStringLiteral("none")), 0);
    QCOMPARE(m_tip->AddTool(m_first, QStringLiteral("first")), 1);
    QCOMPARE(m_tip->AddTool(m_second, QStringLiteral("second"), QRect(0, 0, 10, 10), 7), 1);
    // Areas are held in the parent's coordinates.
    QCOMPARE(m_tip->Tool(m_first)->area, m_first->geometry());
    QCOMPARE(m_tip->Tool(m_second, 7)->area, QRect(10, 60, 10, 10));

    QCOMPARE(m_tip->SetMaxTipWidth(300), 0);
    QCOMPARE(m_tip->SetMaxTipWidth(2000), 300);
    QCOMPARE(m_tip->Tool(m_first)->maxWidth, 2000);
    m_tip->SetTipBkColor(QColor(255, 0, 0));
    m_tip->AddTool(m_first, QStringLiteral("first again"), std::nullopt, 1);
    QCOMPARE(m_tip->Tool(m_first, 1)->backColor, QColor(255, 0, 0));
    QCOMPARE(m_tip->Tool(m_first, 1)->maxWidth, 2000);

    m_tip->SetDelayTime(BalloonTip::kAutoHideKind, 1234);
    m_tip->SetDelayTime(BalloonTip::kInitialDelayKind, 321);
    m_tip->SetDelayTime(1, 99);
    QCOMPARE(m_tip->autoHideTime, 1234);
    QCOMPARE(m_tip->initialDelay, 321);

    // An unknown key changes nothing; the current tool's key hides the tip.
    m_tip->DelTool(m_second, 3);
    QCOMPARE(m_tip->Tools().size(), std::size_t(3));
    m_tip->SetDelayTime(BalloonTip::kAutoHideKind, 15000);
    RestPointerOn(m_first);
    QTRY_VERIFY(m_tip->IsShowing());
    m_tip->DelTool(m_first, 0);
    QVERIFY(!m_tip->IsShowing());
    QCOMPARE(m_tip->CurrentTool(), nullptr);
    QCOMPARE(m_tip->Tools().size(), std::size_t(2));
    QCOMPARE(m_tip->Tool(m_first, 1)->text, QStringLiteral("first again"));
}

void BalloonTipTest::asksTheParentForItsText()
{
    int asked = 0;
    m_tip->SetTextRequest([&](QWidget* control, int id) {
        ++asked;
        return control == m_first && id == 4 ? QString(600, QLatin1Char('x')) : QString();
    });
    m_tip->AddToolAskingParent(m_first, std::nullopt, 4);
    RestPointerOn(m_first);
    QTRY_VERIFY(m_tip->IsShowing());
    QCOMPARE(m_tip->DisplayText().size(), BalloonTip::kMaxAskedTextLength);
    QVERIFY(asked >= 1);

    // An empty answer shows nothing.
    m_tip->AddToolAskingParent(m_second);
    RestPointerOn(m_second);
    QTest::qWait(3 * m_tip->initialDelay / kDivisor);
    QVERIFY(!m_tip->isVisible());
}

void BalloonTipTest::usesTheSystemTipFontUntilGivenAnother()
{
    QCOMPARE(m_tip->TipFont(), QToolTip::font());
    QVERIFY(m_tip->UsesSystemFont());
    QFont big = QToolTip::font();
    big.setPointSize(big.pointSize() + 6);
    m_tip->SetTipFont(big);
    QVERIFY(!m_tip->UsesSystemFont());
    QCOMPARE(m_tip->TipFont(), big);
    QVERIFY(m_tip->MeasureTip(QStringLiteral("text"), 0).height() >
            QFontMetrics(QToolTip::font()).height() + 5);
    m_tip->SetTipFont(QToolTip::font());
    QVERIFY(m_tip->UsesSystemFont());

    // A tip on the system font follows a change of the system's settings.
    const QFont before = QToolTip::font();
    QToolTip::setFont(big);
    QEvent themeChange(QEvent::ThemeChange);
    QApplication::sendEvent(m_tip.get(), &themeChange);
    QCOMPARE(m_tip->TipFont(), big);
    QVERIFY(m_tip->UsesSystemFont());
    // One given its own font keeps it.
    QFont own = before;
    own.setItalic(true);
    m_tip->SetTipFont(own);
    QToolTip::setFont(before);
    QApplication::sendEvent(m_tip.get(), &themeChange);
    QCOMPARE(m_tip->TipFont(), own);
}

RATEWISE_WINDOW_TEST(balloon_tip_test, BalloonTipTest)
#include "balloon_tip_test.moc"
