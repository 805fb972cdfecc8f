// SPDX-License-Identifier: GPL-3.0-or-later
// Event relay from a window tree to its balloon tips.
#include "ui/balloon_tip_relay.h"

#include <QChildEvent>
#include <QWidget>

#include "ui/balloon_tip_widget.h"

namespace ratewise {

BalloonTipRelay::BalloonTipRelay(QObject* owner) : QObject(owner) {}

void BalloonTipRelay::AddTip(BalloonTip* tip)
{
    m_tips.emplace_back(tip);
}

void BalloonTipRelay::Watch(QWidget* window)
{
    WatchOne(window);
    for (QWidget* child : window->findChildren<QWidget*>())
        WatchOne(child);
}

void BalloonTipRelay::WatchOne(QWidget* widget)
{
    // Installing twice would relay twice; removing first keeps it to one.
    widget->removeEventFilter(this);
    widget->installEventFilter(this);
    widget->setMouseTracking(true);
}

bool BalloonTipRelay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildPolished) {
        // A control added after the window was built (a later feature's widget) joins in.
        auto* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            Watch(static_cast<QWidget*>(child));
    }
    for (const QPointer<BalloonTip>& tip : m_tips) {
        if (tip)
            tip->RelayEvent(watched, event);
    }
    return false;
}

} // namespace ratewise
