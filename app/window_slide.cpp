// SPDX-License-Identifier: GPL-3.0-or-later
// The width slide of the main window.
#include "app/window_slide.h"

#include <QWidget>

#include <algorithm>

namespace ratewise {

WindowSlide::WindowSlide(QWidget* window, int closedWidth, int openWidth, int step)
    : QObject(window), m_window(window), m_closedWidth(closedWidth), m_openWidth(openWidth),
      m_step(std::max(1, step)), m_windowWidth(closedWidth)
{
    m_timer.setInterval(kTickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &WindowSlide::Tick);
}

void WindowSlide::Start(bool open)
{
    m_slideOpen = open;
    m_timer.start();
}

void WindowSlide::Tick()
{
    if (m_slideOpen)
        m_windowWidth = std::min(m_windowWidth + m_step, m_openWidth);
    else
        m_windowWidth = std::max(m_windowWidth - m_step, m_closedWidth);
    if (m_window)
        m_window->setFixedSize(m_windowWidth, m_window->height());
    const int target = m_slideOpen ? m_openWidth : m_closedWidth;
    if (m_windowWidth == target) {
        m_timer.stop();
        emit Finished(m_slideOpen);
    }
}

} // namespace ratewise
