// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/plan_run.h"

#include <cmath>
#include <csignal>
#include <iostream>
#include <unistd.h>

#include "cli/cli.h"
#include "encode/posix_process.h"

namespace ratewise::cli {
namespace {

volatile std::sig_atomic_t cancelRequested = 0;

extern "C" void RequestCancel(int)
{
    cancelRequested = 1;
}

// Ctrl-C and a polite kill cancel the run while it lasts; the old handlers come back after.
class CancelOnSignals
{
public:
    CancelOnSignals()
    {
        cancelRequested = 0;
        struct sigaction action {
        };
        action.sa_handler = RequestCancel;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &m_int);
        ::sigaction(SIGTERM, &action, &m_term);
    }
    ~CancelOnSignals()
    {
        ::sigaction(SIGINT, &m_int, nullptr);
        ::sigaction(SIGTERM, &m_term, nullptr);
    }

private:
    struct sigaction m_int {
    }, m_term{};
};

std::string ProgressLine(const RunProgress& progress)
{
    std::string line = StepText(progress) + " (all " +
                       std::to_string(static_cast<int>(std::floor(progress.overall * 100.0))) + " %";
    const std::string left = TimeLeftText(progress);
    if (!left.empty())
        line += ", " + left;
    return line + ")";
}

} // namespace

FailureKind RunPlanMedia(const std::vector<MediumPlan>& media, std::ostream& out, std::ostream& err)
{
    const bool terminal = &err == &std::cerr && ::isatty(STDERR_FILENO);
    PosixChildProcess process;
    PlanRunner runner(media, process);
    std::size_t shownWidth = 0;
    std::string lastPlain;
    int lastTenth = -1;
    const auto moved = [&] {
        const RunProgress& progress = runner.Progress();
        const std::string line = runner.Cancelling() ? std::string("cancelling...") : ProgressLine(progress);
        if (terminal) {
            // Blanks over what a longer line before left.
            err << '\r' << line << std::string(shownWidth > line.size() ? shownWidth - line.size() : 0, ' ')
                << std::flush;
            shownWidth = line.size();
            return;
        }
        // Plain lines: one when a pass starts and one each tenth of it.
        const int tenth = static_cast<int>(progress.passFraction * 10.0);
        RunProgress atPassStart = progress;
        atPassStart.passFraction = 0;
        const std::string step = StepText(atPassStart);
        if (step != lastPlain || tenth != lastTenth) {
            lastPlain = step;
            lastTenth = tenth;
            err << line << "\n" << std::flush;
        }
    };
    {
        CancelOnSignals signals;
        RunPlanToEnd(runner, process, cancelRequested, moved);
    }
    if (terminal && shownWidth > 0)
        err << '\r' << std::string(shownWidth, ' ') << '\r' << std::flush;
    const RunResult& result = runner.Result();
    for (const std::string& line : result.Lines())
        out << line << "\n";
    out << std::flush;
    return result.outcome == RunResult::Outcome::Done && !result.AnyOver() ? FailureKind::None
                                                                           : FailureKind::WriteFailed;
}

} // namespace ratewise::cli
