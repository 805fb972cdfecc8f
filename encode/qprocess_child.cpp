// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/qprocess_child.h"

#include <QFileInfo>

namespace ratewise {

QProcessChild::QProcessChild(QObject* parent) : QObject(parent) {}

QProcessChild::~QProcessChild()
{
    for (Child& child : m_children)
        if (child.process && child.process->state() != QProcess::NotRunning) {
            child.process->disconnect(this);
            child.process->kill();
            child.process->waitForFinished(1000);
        }
}

void QProcessChild::Attach(PlanRunner* runner, std::function<void()> changed)
{
    m_runner = runner;
    m_changed = std::move(changed);
}

void QProcessChild::Clear()
{
    for (Child& child : m_children) {
        if (child.process) {
            child.process->disconnect(this);
            child.process->deleteLater();
        }
        child = Child{};
    }
}

QProcess* QProcessChild::Launch(const std::vector<std::string>& argv, int index)
{
    auto* process = new QProcess(this);
    process->setProgram(QString::fromStdString(argv.front()));
    QStringList arguments;
    for (std::size_t i = 1; i < argv.size(); ++i)
        arguments << QString::fromStdString(argv[i]);
    process->setArguments(arguments);
    const QString name = QFileInfo(process->program()).fileName();
    const int step = m_step;
    connect(process, &QProcess::readyReadStandardError, this, [this, process, step] {
        if (step == m_step && m_runner) {
            m_runner->OnErrorOutput(process->readAllStandardError().toStdString());
            if (m_changed)
                m_changed();
        }
    });
    connect(process, &QProcess::finished, this,
            [this, index, process, step, name](int code, QProcess::ExitStatus how) {
                if (step != m_step)
                    return;
                if (m_runner) {
                    if (index == 1)
                        m_runner->OnOutput(process->readAllStandardOutput().toStdString());
                    m_runner->OnErrorOutput(process->readAllStandardError().toStdString());
                }
                const bool ok = how == QProcess::NormalExit && code == 0;
                Ended(index, ok,
                      how == QProcess::NormalExit
                          ? QStringLiteral("%1 exited with status %2").arg(name).arg(code)
                          : QStringLiteral("%1 was stopped by a signal").arg(name));
            });
    connect(process, &QProcess::errorOccurred, this,
            [this, index, step, name, process](QProcess::ProcessError error) {
                if (step != m_step || error != QProcess::FailedToStart)
                    return;
                // The other child has nothing to read from, or no one reading it.
                QProcess* other = m_children[1 - index].process;
                if (other && other->state() != QProcess::NotRunning)
                    other->kill();
                Ended(index, false, QStringLiteral("%1: %2").arg(name, process->errorString()));
            });
    m_children[index].process = process;
    return process;
}

bool QProcessChild::Start(const PlanCommand& step, std::string& why)
{
    if (step.command.empty()) {
        why = "an empty command";
        return false;
    }
    Clear();
    ++m_step;
    const int current = m_step;
    QProcess* command = Launch(step.command, 1);
    connect(command, &QProcess::readyReadStandardOutput, this, [this, command, current] {
        if (current == m_step && m_runner) {
            m_runner->OnOutput(command->readAllStandardOutput().toStdString());
            if (m_changed)
                m_changed();
        }
    });
    if (step.feed.empty()) {
        m_children[0].ended = true;
        m_children[0].ok = true;
        command->setStandardInputFile(QProcess::nullDevice());
    } else {
        QProcess* feed = Launch(step.feed, 0);
        feed->setStandardInputFile(QProcess::nullDevice());
        feed->setStandardOutputProcess(command);
        feed->start();
    }
    command->start();
    return true;
}

void QProcessChild::Ended(int index, bool ok, const QString& status)
{
    Child& child = m_children[index];
    if (child.ended)
        return;
    child.ended = true;
    child.ok = ok;
    child.status = status;
    if (!m_children[0].ended || !m_children[1].ended)
        return;
    const bool allOk = m_children[0].ok && m_children[1].ok;
    const QString why = !m_children[1].ok ? m_children[1].status : m_children[0].status;
    if (m_runner)
        m_runner->OnFinished(allOk, allOk ? std::string() : why.toStdString());
    if (m_changed)
        m_changed();
}

void QProcessChild::Stop(StopSignal signal)
{
    for (Child& child : m_children)
        if (child.process && child.process->state() != QProcess::NotRunning) {
            if (signal == StopSignal::Kill)
                child.process->kill();
            else
                child.process->terminate();
        }
}

} // namespace ratewise
