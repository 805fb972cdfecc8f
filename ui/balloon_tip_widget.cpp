// SPDX-License-Identifier: GPL-3.0-or-later
// The tip window: tools, relayed events, the two timers, measuring, placing and painting.
#include "ui/balloon_tip_widget.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStringList>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace ratewise {
namespace {

int g_timeDivisor = 1;

// Word break, expanded tabs, no mnemonic prefix; trailing blanks count, because the two blanks
// after the first page leave the room for the page arrow.
constexpr int kDrawFlags = Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextIncludeTrailingSpaces;

const QString kTwoSpaces = QStringLiteral("  ");

// Height of the rectangle a text is laid out in to measure it: more than any tip needs.
constexpr qreal kLayoutHeight = 1.0e6;

QFont SystemTipFont()
{
    return QToolTip::font();
}

QColor Resolved(const QColor& colour, QPalette::ColorRole systemRole)
{
    return colour.isValid() ? colour : QToolTip::palette().color(systemRole);
}

} // namespace

BalloonTip::BalloonTip()
{
    m_initialTimer.setSingleShot(false);
    m_pollTimer.setSingleShot(false);
    connect(&m_initialTimer, &QTimer::timeout, this, &BalloonTip::OnInitialDelay);
    connect(&m_pollTimer, &QTimer::timeout, this, &BalloonTip::OnPoll);
}

BalloonTip::~BalloonTip()
{
    KillTimers();
}

void BalloonTip::SetTimeDivisor(int divisor)
{
    g_timeDivisor = std::max(1, divisor);
}

bool BalloonTip::Create(QWidget* parent)
{
    if (parent == nullptr)
        return false;
    m_parent = parent;
    setParent(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setWindowTitle(QString());
    setGeometry(0, 0, 10, 10);
    hide();
    TakeSystemFont();
    // The tip never takes the focus on a click; should it get it anyway, it remembers where the
    // focus came from and gives it back after the click.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == this)
            m_focusReturn = old;
    });
    return true;
}

int BalloonTip::AddTool(QWidget* control, const QString& text, std::optional<QRect> area, int id)
{
    return AppendTool(control, false, text, area, id);
}

int BalloonTip::AddToolAskingParent(QWidget* control, std::optional<QRect> area, int id)
{
    return AppendTool(control, true, QString(), area, id);
}

int BalloonTip::AppendTool(QWidget* control, bool askParent, const QString& text, std::optional<QRect> area,
                           int id)
{
    if (control == nullptr)
        return 0;
    BalloonTool tool;
    tool.control = control;
    tool.id = id;
    tool.askParent = askParent;
    tool.text = text;
    tool.maxWidth = m_defaultMaxWidth;
    tool.textColor = m_defaultTextColor;
    tool.backColor = m_defaultBackColor;
    const QRect local = area ? *area : control->rect();
    const QPoint origin = m_parent ? m_parent->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    tool.area = local.translated(control->mapToGlobal(QPoint(0, 0)) - origin);
    m_tools.push_back(tool);
    return 1;
}

void BalloonTip::DelTool(QWidget* control, int id)
{
    int current = m_currentTool;
    bool removedCurrent = false;
    std::vector<BalloonTool> kept;
    for (int i = 0; i < static_cast<int>(m_tools.size()); ++i) {
        const BalloonTool& tool = m_tools[static_cast<std::size_t>(i)];
        if (tool.control == control && tool.id == id) {
            if (i == m_currentTool)
                removedCurrent = true;
            else if (i < m_currentTool)
                --current;
            continue;
        }
        kept.push_back(tool);
    }
    m_tools = std::move(kept);
    m_currentTool = current;
    if (removedCurrent) {
        Pop();
        m_currentTool = -1;
    }
}

const BalloonTool* BalloonTip::Tool(const QWidget* control, int id) const
{
    for (const BalloonTool& tool : m_tools) {
        if (tool.control == control && tool.id == id)
            return &tool;
    }
    return nullptr;
}

const BalloonTool* BalloonTip::CurrentTool() const
{
    if (m_currentTool < 0 || m_currentTool >= static_cast<int>(m_tools.size()))
        return nullptr;
    return &m_tools[static_cast<std::size_t>(m_currentTool)];
}

void BalloonTip::SetDelayTime(int kind, int milliseconds)
{
    if (kind == kAutoHideKind)
        autoHideTime = milliseconds;
    else if (kind == kInitialDelayKind)
        initialDelay = milliseconds;
}

int BalloonTip::SetMaxTipWidth(int width)
{
    const int previous = m_defaultMaxWidth;
    for (BalloonTool& tool : m_tools) {
        if (tool.maxWidth == previous)
            tool.maxWidth = width;
    }
    m_defaultMaxWidth = width;
    return previous;
}

void BalloonTip::SetTipBkColor(const QColor& colour)
{
    for (BalloonTool& tool : m_tools) {
        if (tool.backColor == m_defaultBackColor)
            tool.backColor = colour;
    }
    m_defaultBackColor = colour;
}

void BalloonTip::Pop()
{
    hide();
    m_hidden = true;
}

void BalloonTip::SetTipFont(const QFont& font)
{
    m_font = font;
    setFont(font);
    m_usesSystemFont = (font == SystemTipFont());
    update();
}

void BalloonTip::TakeSystemFont()
{
    m_font = SystemTipFont();
    setFont(m_font);
    m_usesSystemFont = true;
}

// --- Relaying ----------------------------------------------------------------------------------

void BalloonTip::RelayEvent(QObject* /*receiver*/, const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint global = static_cast<const QMouseEvent*>(event)->globalPosition().toPoint();
        const int tool = ToolUnder(global);
        if (tool >= 0) {
            if (tool != m_currentTool && !CursorOverVisibleTip())
                Arm(tool);
        } else if (m_hidden) {
            m_currentTool = -1;
        }
        // Armed or showing: the timers decide.
        break;
    }
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !CursorOverVisibleTip())
            Pop();
        break;
    }
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        Pop();
        break;
    default:
        break;
    }
}

void BalloonTip::Arm(int toolIndex)
{
    KillTimers();
    Pop();
    m_hidden = false;
    m_currentTool = toolIndex;
    StartTimer(m_initialTimer, initialDelay);
}

void BalloonTip::StartTimer(QTimer& timer, int milliseconds)
{
    timer.start(std::max(1, milliseconds / g_timeDivisor));
}

void BalloonTip::KillTimers()
{
    m_initialTimer.stop();
    m_pollTimer.stop();
}

void BalloonTip::OnInitialDelay()
{
    if (CurrentTool() == nullptr || m_hidden) {
        m_initialTimer.stop();
        Pop();
        return;
    }
    m_initialTimer.stop();
    if (!CursorOverCurrentTool()) {
        // The cursor left before the delay ran out. Hiding here lets the next move over the tool
        // arm it again instead of leaving the tip waiting for a timer that no longer runs.
        Pop();
        return;
    }
    ShowAt(QCursor::pos() + m_cursorOffset, false);
    m_shownTime = 0;
    StartTimer(m_pollTimer, m_pollInterval);
}

void BalloonTip::OnPoll()
{
    if (CurrentTool() == nullptr || m_hidden) {
        m_pollTimer.stop();
        Pop();
        return;
    }
    m_shownTime += m_pollInterval;
    const int tool = ToolUnder(QCursor::pos());
    if (tool < 0 || tool == m_currentTool) {
        if ((CursorOverCurrentTool() && m_shownTime < autoHideTime) || CursorOverVisibleTip())
            return;
    }
    m_pollTimer.stop();
    Pop();
}

// --- Finding tools -----------------------------------------------------------------------------

QWidget* BalloonTip::WindowUnder(QPoint global) const
{
    if (!m_hidden && isVisible() && geometry().contains(global))
        return const_cast<BalloonTip*>(this);
    if (!m_parent || !m_parent->isVisible())
        return nullptr;
    const QPoint local = m_parent->mapFromGlobal(global);
    if (!m_parent->rect().contains(local))
        return nullptr;
    QWidget* child = m_parent->childAt(local);
    return child != nullptr ? child : m_parent.data();
}

int BalloonTip::ToolFor(const QWidget* window) const
{
    for (int i = 0; i < static_cast<int>(m_tools.size()); ++i) {
        const QWidget* control = m_tools[static_cast<std::size_t>(i)].control;
        if (control != nullptr && (control == window || control->isAncestorOf(window)))
            return i;
    }
    return -1;
}

int BalloonTip::ToolUnder(QPoint global) const
{
    const QWidget* window = WindowUnder(global);
    if (window == nullptr || !m_parent || (window != m_parent && !m_parent->isAncestorOf(window)))
        return -1;
    const int candidate = ToolFor(window);
    if (candidate < 0)
        return -1;
    const BalloonTool& tool = m_tools[static_cast<std::size_t>(candidate)];
    // The candidate is already the first tool registered under its key: an earlier tool of the
    // same control would have been found first.
    return tool.area.contains(m_parent->mapFromGlobal(global)) ? candidate : -1;
}

bool BalloonTip::CursorOverCurrentTool() const
{
    const BalloonTool* current = CurrentTool();
    if (current == nullptr || !m_parent)
        return false;
    const int first = ToolFor(current->control);
    if (first < 0)
        return false;
    const BalloonTool& tool = m_tools[static_cast<std::size_t>(first)];
    const QPoint global = QCursor::pos();
    const QWidget* window = WindowUnder(global);
    if (window == nullptr || (window != tool.control && !tool.control->isAncestorOf(window)))
        return false;
    return tool.area.contains(m_parent->mapFromGlobal(global));
}

bool BalloonTip::CursorOverVisibleTip() const
{
    return !m_hidden && isVisible() && geometry().contains(QCursor::pos());
}

// --- Showing -----------------------------------------------------------------------------------

QString BalloonTip::ToolText(const BalloonTool& tool) const
{
    if (!tool.askParent)
        return tool.text;
    if (!m_textRequest)
        return QString();
    return m_textRequest(tool.control, tool.id).left(kMaxAskedTextLength);
}

QString BalloonTip::BuildDisplayText(const BalloonTool& tool)
{
    const QString text = ToolText(tool);
    const qsizetype firstReturn = text.indexOf(QLatin1Char('\r'));
    if (firstReturn < 0) {
        m_hasSecondPage = false;
        return text;
    }
    // Two pages: before the first carriage return, and between it and the next one. The blanks
    // make room for the arrow that tells there is another page.
    m_hasSecondPage = true;
    if (!m_onSecondPage)
        return text.left(firstReturn) + kTwoSpaces;
    const qsizetype secondReturn = text.indexOf(QLatin1Char('\r'), firstReturn + 1);
    const qsizetype end = secondReturn < 0 ? text.size() : secondReturn;
    return kTwoSpaces + text.mid(firstReturn + 1, end - firstReturn - 1);
}

void BalloonTip::ShowAt(QPoint point, bool secondPage)
{
    const BalloonTool* tool = CurrentTool();
    if (!active || tool == nullptr)
        return;
    m_onSecondPage = secondPage;
    const QString text = BuildDisplayText(*tool);
    if (text.isEmpty())
        return;
    m_displayText = text;
    const QSize size = MeasureTip(text, tool->maxWidth);
    const QRect where = PositionTip(point, *tool, size);
    hide();
    setGeometry(where);
    show();
    update();
}

QSize BalloonTip::MeasureTip(const QString& text, int maxWidth) const
{
    // Fractional metrics of the device the tip paints on: a width rounded down would make the
    // painter break the widest line's last word onto a line the tip has no room for.
    const QFontMetricsF metrics(m_font, this);
    qreal width = 0;
    if (maxWidth == 0) {
        // Each line with two blanks appended; an empty line ends what is measured.
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            width = std::max(width, metrics.horizontalAdvance(line + kTwoSpaces));
            if (line.isEmpty())
                break;
        }
        width = std::ceil(width);
    } else {
        width = std::max(0, maxWidth);
    }
    // Laid out as the painter lays it out, then rounded up, so painting in the box breaks the
    // lines where the measuring did.
    const QRectF laid = metrics.boundingRect(QRectF(0, 0, width, kLayoutHeight), kDrawFlags, text);
    return QSize(static_cast<int>(std::ceil(laid.width())) + kMargins.left() + kMargins.right(),
                 static_cast<int>(std::ceil(laid.height())) + kMargins.top() + kMargins.bottom());
}

QRect BalloonTip::PositionTip(QPoint point, const BalloonTool& tool, QSize size) const
{
    QRect rect(point, size);
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr && m_parent)
        screen = m_parent->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return rect;
    const QRect bounds = screen->geometry();
    if (rect.right() > bounds.right())
        rect.moveRight(bounds.right());
    if (rect.left() < bounds.left())
        rect.moveLeft(bounds.left());
    if (rect.bottom() > bounds.bottom() && tool.control)
        // Too low: just above the control instead.
        rect.moveBottom(tool.control->mapToGlobal(QPoint(0, 0)).y() - 1);
    return rect;
}

// --- Painting and clicks ------------------------------------------------------------------------

void BalloonTip::paintEvent(QPaintEvent* /*event*/)
{
    const BalloonTool* tool = CurrentTool();
    if (tool == nullptr || m_displayText.isEmpty())
        return;
    QPainter painter(this);
    const QRect client = rect();
    painter.fillRect(client, Resolved(tool->backColor, QPalette::ToolTipBase));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(client.adjusted(0, 0, -1, -1));

    const QRect textRect = client.marginsRemoved(kMargins);
    painter.setFont(m_font);
    painter.setPen(Resolved(tool->textColor, QPalette::ToolTipText));
    painter.drawText(QRectF(textRect), kDrawFlags, m_displayText);
    if (m_hasSecondPage)
        DrawPageArrow(painter, textRect);
}

void BalloonTip::DrawPageArrow(QPainter& painter, const QRect& textRect) const
{
    const QFontMetrics metrics(m_font);
    const int internalLeading =
        std::max(0, metrics.ascent() + metrics.descent() - QFontInfo(m_font).pixelSize());
    const int d = std::max(metrics.descent(), internalLeading + metrics.leading());
    const int h = metrics.averageCharWidth() / 2;
    const int w = metrics.horizontalAdvance(kTwoSpaces);
    int t = metrics.height();
    if (t % 2 != 0)
        t -= 1;
    const int top = textRect.top();
    // Right edge of the text rectangle, exclusive as the layout counts it.
    const int right = textRect.left() + textRect.width();
    const int left = textRect.left();
    QPolygon arrow;
    if (!m_onSecondPage) {
        const int back = right - w + h;
        arrow << QPoint(right, top + t / 2) << QPoint(back, top + d) << QPoint(back, top + t - d);
    } else {
        const int back = left + w - h;
        arrow << QPoint(left, top + t / 2) << QPoint(back, top + d) << QPoint(back, top + t - d);
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow);
}

void BalloonTip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || CurrentTool() == nullptr || m_hidden)
        return;
    if (m_hasSecondPage)
        ShowAt(geometry().topLeft(), !m_onSecondPage);
    if (m_focusReturn)
        m_focusReturn->setFocus(Qt::OtherFocusReason);
}

bool BalloonTip::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ApplicationFontChange:
    case QEvent::ThemeChange:
    case QEvent::StyleChange:
        if (m_usesSystemFont) {
            TakeSystemFont();
            update();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

} // namespace ratewise
