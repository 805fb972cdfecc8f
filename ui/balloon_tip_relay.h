// SPDX-License-Identifier: GPL-3.0-or-later
// Passes every event for a window and each of its children to that window's balloon tips before
// the window handles it, and turns on mouse tracking so that resting the pointer is noticed.
#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

namespace ratewise {

class BalloonTip;

class BalloonTipRelay : public QObject
{
    Q_OBJECT

public:
    explicit BalloonTipRelay(QObject* owner = nullptr);

    // The tips receive the events in the order they were added.
    void AddTip(BalloonTip* tip);
    // Watches `window` and all its children, including those added later.
    void Watch(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchOne(QWidget* widget);

    std::vector<QPointer<BalloonTip>> m_tips;
};

} // namespace ratewise
