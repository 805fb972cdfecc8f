// SPDX-License-Identifier: GPL-3.0-or-later
// The plan runner's processes for the window: QProcess, no shell, the feed's standard output
// piped into the command. Everything arrives through Qt's signals, so the window never waits.
#pragma once

#include <QObject>
#include <QProcess>

#include <functional>

#include "encode/plan_runner.h"

namespace ratewise {

class QProcessChild : public QObject, public ChildProcess
{
    Q_OBJECT

public:
    explicit QProcessChild(QObject* parent = nullptr);
    ~QProcessChild() override;

    // The runner the children's output and end go to; `changed` is called after each event.
    void Attach(PlanRunner* runner, std::function<void()> changed);

    bool Start(const PlanCommand& step, std::string& why) override;
    void Stop(StopSignal signal) override;

private:
    struct Child {
        QProcess* process = nullptr;
        bool ended = false;
        bool ok = false;
        QString status;
    };
    QProcess* Launch(const std::vector<std::string>& argv, int index);
    void Ended(int index, bool ok, const QString& status);
    void Clear();

    PlanRunner* m_runner = nullptr;
    std::function<void()> m_changed;
    Child m_children[2]; // feed, command
    int m_step = 0;      // counts the steps, so late signals of an old one are ignored
};

} // namespace ratewise
