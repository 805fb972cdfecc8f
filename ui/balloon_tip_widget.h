// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own tip window: a framed rectangle in a colour of the owner's choosing that shows
// a text next to the cursor when it rests on a registered control, drawn and timed by itself.
// Texts holding a carriage return have two pages; a click on the tip flips between them.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace ratewise {

// One control registered with a tip; (control, id) is its key.
struct BalloonTool {
    QPointer<QWidget> control;
    int id = 0;
    QRect area; // hot area in the parent's client coordinates, fixed when the tool is added
    bool askParent = false;
    QString text;
    int maxWidth = 0; // 0: as wide as the text
    QColor textColor;
    QColor backColor;
};

class BalloonTip : public QWidget
{
    Q_OBJECT

public:
    // The invalid colour stands for the system's tooltip colours (background or text).
    static QColor SystemColour() { return QColor(); }
    // Kinds for SetDelayTime.
    static constexpr int kAutoHideKind = 2;
    static constexpr int kInitialDelayKind = 3;
    // Space between the frame and the text.
    static constexpr QMargins kMargins{2, 2, 3, 3};
    // Texts asked from the parent are cut to this length.
    static constexpr int kMaxAskedTextLength = 512;

    // The parent's answer when a tool asks it for its text.
    using TextRequest = std::function<QString(QWidget* control, int id)>;

    BalloonTip();
    ~BalloonTip() override;

    // Makes this a hidden, top-most pop-up owned by `parent`, whose events it will be given.
    bool Create(QWidget* parent);

    // Registers a tool. Without an area the control's whole rectangle is the hot area; a given
    // area is in the control's coordinates. Returns 1, or 0 when no control is given.
    int AddTool(QWidget* control, const QString& text, std::optional<QRect> area = std::nullopt, int id = 0);
    int AddToolAskingParent(QWidget* control, std::optional<QRect> area = std::nullopt, int id = 0);
    void SetTextRequest(TextRequest request) { m_textRequest = std::move(request); }
    // Removes every tool with this key; hides the tip if it was showing for it.
    void DelTool(QWidget* control, int id = 0);

    // Every event for the parent or one of its children passes through here first.
    void RelayEvent(QObject* receiver, const QEvent* event);

    void SetDelayTime(int kind, int milliseconds);
    // Tools still on the old default take the new one; returns the old default.
    int SetMaxTipWidth(int width);
    void SetTipBkColor(const QColor& colour);
    // Hides the tip; running timers stop themselves on their next tick.
    void Pop();

    void SetTipFont(const QFont& font);
    QFont TipFont() const { return m_font; }
    bool UsesSystemFont() const { return m_usesSystemFont; }

    // Where the tip goes for a cursor at `point` (screen coordinates), kept inside the screen.
    virtual QRect PositionTip(QPoint point, const BalloonTool& tool, QSize size) const;
    // The tip's size for `text`: the laid-out text plus the margins.
    virtual QSize MeasureTip(const QString& text, int maxWidth) const;

    // Written directly by the owner.
    int initialDelay = 500;
    int autoHideTime = 5000;
    bool active = true;

    // What the tip holds and shows, for the owner and the tests.
    const std::vector<BalloonTool>& Tools() const { return m_tools; }
    const BalloonTool* Tool(const QWidget* control, int id = 0) const;
    const BalloonTool* CurrentTool() const;
    bool IsShowing() const { return !m_hidden && isVisible(); }
    QString DisplayText() const { return m_displayText; }
    bool HasSecondPage() const { return m_hasSecondPage; }
    bool OnSecondPage() const { return m_onSecondPage; }
    int DefaultMaxWidth() const { return m_defaultMaxWidth; }
    QColor DefaultBackColor() const { return m_defaultBackColor; }

    // Tests divide every timer period by this, so waits stay short; the logical times (shown
    // time, auto-hide time) are unchanged.
    static void SetTimeDivisor(int divisor);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int AppendTool(QWidget* control, bool askParent, const QString& text, std::optional<QRect> area, int id);
    void StartTimer(QTimer& timer, int milliseconds);
    void KillTimers();
    void Arm(int toolIndex);
    void OnInitialDelay();
    void OnPoll();
    void ShowAt(QPoint point, bool secondPage);
    QString BuildDisplayText(const BalloonTool& tool);
    QString ToolText(const BalloonTool& tool) const;

    QWidget* WindowUnder(QPoint global) const;
    int ToolFor(const QWidget* window) const;
    int ToolUnder(QPoint global) const;
    bool CursorOverCurrentTool() const;
    bool CursorOverVisibleTip() const;
    void TakeSystemFont();
    void DrawPageArrow(QPainter& painter, const QRect& textRect) const;

    QPointer<QWidget> m_parent;
    int m_defaultMaxWidth = 0;
    QPoint m_cursorOffset{0, 20};
    QFont m_font;
    bool m_usesSystemFont = true;
    int m_currentTool = -1;
    int m_pollInterval = 500;
    int m_shownTime = 0;
    bool m_hidden = false;
    bool m_hasSecondPage = false;
    bool m_onSecondPage = false;
    QColor m_defaultBackColor;
    QColor m_defaultTextColor;
    QPointer<QWidget> m_focusReturn;
    std::vector<BalloonTool> m_tools;
    QString m_displayText;
    TextRequest m_textRequest;
    QTimer m_initialTimer; // timer 1: from arming to showing
    QTimer m_pollTimer;    // timer 2: while shown
};

} // namespace ratewise
