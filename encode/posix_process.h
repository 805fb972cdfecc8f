// SPDX-License-Identifier: GPL-3.0-or-later
// The plan runner's processes for ratewise-cli: posix_spawnp and waitpid, no shell. The children
// of a step share a process group of their own, so a Ctrl-C at the terminal reaches only
// ratewise-cli, which then stops them the runner's way.
#pragma once

#include <csignal>
#include <functional>
#include <sys/types.h>

#include "encode/plan_runner.h"

namespace ratewise {

class PosixChildProcess : public ChildProcess
{
public:
    PosixChildProcess() = default;
    PosixChildProcess(const PosixChildProcess&) = delete;
    PosixChildProcess& operator=(const PosixChildProcess&) = delete;
    ~PosixChildProcess() override;

    bool Start(const PlanCommand& step, std::string& why) override;
    void Stop(StopSignal signal) override;

    // Waits up to `timeoutMs` for output or the step's end, and hands the runner what came.
    void Pump(PlanRunner& runner, int timeoutMs);
    bool Active() const { return m_pids[0] > 0 || m_pids[1] > 0; }

private:
    // Collects the children that have ended; the others run on.
    void ReapEnded();
    // Waits for every child to end and collects it.
    void ReapAll();
    void Reap(int waitOptions);
    void CloseAll();
    pid_t m_pids[2] = {-1, -1}; // feed, command
    int m_status[2] = {0, 0};   // their wait statuses
    std::string m_names[2];     // their programs
    int m_out = -1, m_err = -1; // the command's standard output, every child's standard error
    pid_t m_group = -1;
};

// Runs `runner` to its end with `process`: `cancel` (set by a signal handler) cancels it, and
// `moved` is called when the progress moves (at most a few times a second).
void RunPlanToEnd(PlanRunner& runner, PosixChildProcess& process, const volatile std::sig_atomic_t& cancel,
                  const std::function<void()>& moved);

} // namespace ratewise
