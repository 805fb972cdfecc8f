// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/posix_process.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/string_format.h"

extern char** environ;

namespace ratewise {
namespace {

std::string ProgramOf(const std::vector<std::string>& argv)
{
    const std::string& name = argv.front();
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string WaitText(const std::string& program, int status)
{
    if (WIFEXITED(status))
        return StringPrintf("%s exited with status %d", program.c_str(), WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return StringPrintf("%s was stopped by signal %d (%s)", program.c_str(), WTERMSIG(status),
                            strsignal(WTERMSIG(status)));
    return program + " ended";
}

bool Succeeded(int status)
{
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// One child: stdin from `in` (or /dev/null), stdout to `out`, stderr to `err`, in `group` (0: a
// new group of its own), with the signals a fresh program expects.
int Spawn(const std::vector<std::string>& argv, int in, int out, int err, pid_t group, pid_t& pid)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (in >= 0)
        posix_spawn_file_actions_adddup2(&actions, in, 0);
    else
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, empty;
    sigemptyset(&empty);
    sigemptyset(&defaults);
    for (const int signal : {SIGINT, SIGTERM, SIGPIPE, SIGHUP, SIGQUIT})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &empty);
    posix_spawnattr_setpgroup(&attributes, group);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const int error = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        pid = -1;
    return error;
}

} // namespace

PosixChildProcess::~PosixChildProcess()
{
    if (Active()) {
        Stop(StopSignal::Kill);
        ReapAll();
    }
    CloseAll();
}

void PosixChildProcess::CloseAll()
{
    CloseFd(m_out);
    CloseFd(m_err);
}

bool PosixChildProcess::Start(const PlanCommand& step, std::string& why)
{
    CloseAll();
    if (step.command.empty()) {
        why = "an empty command";
        return false;
    }
    int out[2], err[2], link[2] = {-1, -1};
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0 ||
        (!step.feed.empty() && ::pipe2(link, O_CLOEXEC) != 0)) {
        why = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    m_out = out[0];
    m_err = err[0];
    m_pids[0] = m_pids[1] = -1;
    m_status[0] = m_status[1] = 0;
    m_group = -1;
    int error = 0;
    if (!step.feed.empty()) {
        m_names[0] = ProgramOf(step.feed);
        error = Spawn(step.feed, -1, link[1], err[1], 0, m_pids[0]);
        if (error == 0)
            m_group = m_pids[0];
        else
            why = m_names[0] + ": " + std::strerror(error);
    }
    if (error == 0) {
        m_names[1] = ProgramOf(step.command);
        error = Spawn(step.command, link[0], out[1], err[1], m_group > 0 ? m_group : 0, m_pids[1]);
        if (error == 0 && m_group < 0)
            m_group = m_pids[1];
        if (error != 0)
            why = m_names[1] + ": " +
                  (error == ENOENT ? std::string("not installed (not found on PATH)")
                                   : std::string(std::strerror(error)));
    }
    for (int* fd : {&out[1], &err[1], &link[0], &link[1]})
        CloseFd(*fd);
    if (error != 0) {
        Stop(StopSignal::Kill);
        ReapAll();
        CloseAll();
        return false;
    }
    for (const int fd : {m_out, m_err})
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return true;
}

void PosixChildProcess::Stop(StopSignal signal)
{
    if (m_group > 0 && Active())
        ::kill(-m_group, signal == StopSignal::Kill ? SIGKILL : SIGTERM);
}

void PosixChildProcess::ReapEnded()
{
    Reap(WNOHANG);
}

void PosixChildProcess::ReapAll()
{
    Reap(0);
}

void PosixChildProcess::Reap(int waitOptions)
{
    for (int i = 0; i < 2; ++i) {
        if (m_pids[i] <= 0)
            continue;
        int status = 0;
        const pid_t got = ::waitpid(m_pids[i], &status, waitOptions);
        if (got == m_pids[i] || (got < 0 && errno != EINTR)) {
            m_status[i] = got == m_pids[i] ? status : 0;
            m_pids[i] = 0; // ended
        }
    }
}

void PosixChildProcess::Pump(PlanRunner& runner, int timeoutMs)
{
    pollfd fds[2] = {{.fd = m_out, .events = POLLIN, .revents = 0},
                     {.fd = m_err, .events = POLLIN, .revents = 0}};
    if (m_out >= 0 || m_err >= 0)
        ::poll(fds, 2, timeoutMs);
    const auto drain = [&] {
        char buffer[65536];
        for (int* fd : {&m_out, &m_err}) {
            while (*fd >= 0) {
                const ssize_t got = ::read(*fd, buffer, sizeof buffer);
                if (got > 0) {
                    const std::string_view bytes(buffer, static_cast<std::size_t>(got));
                    if (fd == &m_out)
                        runner.OnOutput(bytes);
                    else
                        runner.OnErrorOutput(bytes);
                    continue;
                }
                if (got == 0 || (errno != EAGAIN && errno != EINTR))
                    CloseFd(*fd);
                break;
            }
        }
    };
    drain();
    if (m_out < 0 && m_err < 0 && m_pids[0] < 0 && m_pids[1] < 0)
        ::poll(nullptr, 0, timeoutMs); // nothing started: wait as asked
    ReapEnded();
    // The step ends once its children are gone and their output is read; a pipe held open by
    // a grandchild does not keep it waiting.
    if (m_pids[0] <= 0 && m_pids[1] <= 0 && (m_pids[0] == 0 || m_pids[1] == 0)) {
        drain();
        CloseAll();
        const bool feedOk = m_pids[0] < 0 || Succeeded(m_status[0]);
        const bool commandOk = Succeeded(m_status[1]);
        std::string status;
        if (!commandOk)
            status = WaitText(m_names[1], m_status[1]);
        else if (!feedOk)
            status = WaitText(m_names[0], m_status[0]);
        m_pids[0] = m_pids[1] = -1;
        m_group = -1;
        runner.OnFinished(feedOk && commandOk, status);
    }
}

void RunPlanToEnd(PlanRunner& runner, PosixChildProcess& process, const volatile std::sig_atomic_t& cancel,
                  const std::function<void()>& moved)
{
    using Clock = std::chrono::steady_clock;
    runner.Start();
    Clock::time_point shown{};
    RunProgress last;
    while (!runner.Done()) {
        if (cancel && !runner.Cancelling())
            runner.Cancel();
        process.Pump(runner, 200);
        runner.OnTick();
        const RunProgress& now = runner.Progress();
        const bool stepChanged = now.medium != last.medium || now.pass != last.pass;
        if (moved && (stepChanged || Clock::now() - shown >= std::chrono::milliseconds(250))) {
            shown = Clock::now();
            last = now;
            moved();
        }
    }
}

} // namespace ratewise
