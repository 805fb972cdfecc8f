// SPDX-License-Identifier: GPL-3.0-or-later
// Slides a window's width between its closed and open widths, one step per 10 ms tick, without
// moving it. The height stays as it is.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace ratewise {

class WindowSlide : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMilliseconds = 10;

    // The window starts at its closed width; the slide is its child and goes with it.
    WindowSlide(QWidget* window, int closedWidth, int openWidth, int step);

    // Starts sliding towards the open (wider) or the closed width.
    void Start(bool open);
    // One step: grow or shrink by the step, stop at the target.
    void Tick();

    int WindowWidth() const { return m_windowWidth; }
    bool SlideOpen() const { return m_slideOpen; }
    bool IsSliding() const { return m_timer.isActive(); }
    int ClosedWidth() const { return m_closedWidth; }
    int OpenWidth() const { return m_openWidth; }
    int Step() const { return m_step; }

signals:
    // The window has reached the width it was sliding to.
    void Finished(bool open);

private:
    QPointer<QWidget> m_window;
    int m_closedWidth;
    int m_openWidth;
    int m_step;
    int m_windowWidth;
    bool m_slideOpen = true;
    QTimer m_timer;
};

} // namespace ratewise
