// SPDX-License-Identifier: GPL-3.0-or-later
// The plan runner: runs the media of one or more plans one after another (the chapter file, each
// command with its optional feed as a pipe of two processes, the removal of the pass logs), reads
// the encoders' progress, cancels, cleans up, and reads each finished file back for the result.
// It never blocks and starts no process itself: a ChildProcess does (posix_spawn for
// ratewise-cli, QProcess for the window), and its driver hands the runner what the children say.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encode/encode_plan.h"

namespace ratewise {

// One line of HandBrakeCLI's standard output: "Encoding: task 1 of 2, 43.21 % (...)".
struct HandBrakeTask {
    int task = 1;
    int tasks = 1;
    double fraction = 0; // of this task, 0 to 1
};
std::optional<HandBrakeTask> ParseHandBrakeProgress(std::string_view line);

// Reads an encoder's standard output as it arrives, in pieces cut anywhere: HandBrakeCLI's
// progress lines (ended by carriage returns) or ffmpeg's `-progress` blocks of key=value lines
// (out_time_us=..., progress=continue|end).
class ProgressReader
{
public:
    enum class Kind { HandBrake, Ffmpeg };
    explicit ProgressReader(Kind kind) : m_kind(kind) {}
    // True when the progress moved.
    bool Feed(std::string_view bytes);
    // HandBrake: the task and its fraction. ffmpeg: task 1 of 1 and the seconds written.
    int Task() const { return m_task; }
    int Tasks() const { return m_tasks; }
    double Fraction() const { return m_fraction; }
    double Seconds() const { return m_seconds; }
    bool Ended() const { return m_ended; }

private:
    bool Line(std::string_view line);
    Kind m_kind;
    std::string m_partial;
    int m_task = 1, m_tasks = 1;
    double m_fraction = 0, m_seconds = 0;
    bool m_ended = false;
};

// What ffprobe says of a finished file (`-of flat`): its streams and its chapter count.
struct ProbedStream {
    std::string type; // "video", "audio", "subtitle"
    std::string codec;
    std::string language;
    int width = 0, height = 0, channels = 0;
};
struct ProbedFile {
    std::vector<ProbedStream> streams;
    int chapters = 0;
};
ProbedFile ParseProbeFlat(std::string_view text);
// "video h264 352x288, audio aac 2 ch eng, subtitles dvd_subtitle eng; 5 chapters".
std::string ProbedFileLine(const ProbedFile& file);

// "699.1 MB of 700 MB, 99.87 %" (MB of 1,048,576 bytes, as the calculator's media).
std::string FillText(double bytes, double targetBytes);

// How a step's children are asked to stop: SIGTERM lets them end cleanly, SIGKILL ends them now.
enum class StopSignal { Terminate, Kill };

// The running children of one step: `command`, fed on its standard input by `feed` when there is
// one, with no shell in between; the command's standard input is empty otherwise.
class ChildProcess
{
public:
    virtual ~ChildProcess() = default;
    // Starts the step; false with `why` when a program could not be started.
    virtual bool Start(const PlanCommand& step, std::string& why) = 0;
    // Sends `signal` to every child of the step.
    virtual void Stop(StopSignal signal) = 0;
};

struct RunProgress {
    int medium = 1, mediumCount = 1; // the file and the files of several titles' plan
    bool files = false;              // several titles' plan: counted as files, not media
    int pass = 1, passCount = 1;
    double passFraction = 0; // 0 to 1
    double overall = 0;      // the whole job, 0 to 1, by the media's running times
    std::optional<double> secondsLeft;
};

// "medium 1 of 2, pass 2 of 2, 43 %" ("file 3 of 6, ..." for several titles).
std::string StepText(const RunProgress& progress);
// "1 h 02 min left", "3 min 05 s left", "12 s left"; empty without an estimate.
std::string TimeLeftText(const RunProgress& progress);

struct MediumResult {
    int medium = 1;
    std::string output;
    double bytes = 0;
    double targetBytes = 0;
    // A file of several titles' plan shares its medium with the others of that medium: their sum
    // is what must fit.
    bool shared = false;
    double mediumBytes = 0; // with `shared`, the medium's files finished so far, this one included
    bool over = false;      // the file (with `shared`, its medium so far) is over the medium
    std::optional<ProbedFile> probed;
};

struct RunResult {
    enum class Outcome { Done, Failed, Cancelled };
    Outcome outcome = Outcome::Done;
    std::vector<MediumResult> media;    // the finished ones
    std::string failure;                // what failed, one line
    std::vector<std::string> lastLines; // the encoder's last lines when it failed
    bool AnyOver() const;
    // The lines shown at the end: one per finished file (and its streams), the over-size lines,
    // the failure with the encoder's last lines, or the cancellation.
    std::vector<std::string> Lines() const;
};

class PlanRunner
{
public:
    using Clock = std::chrono::steady_clock;
    // `probe`: the program that reads the files back (ffprobe); empty to skip.
    PlanRunner(std::vector<MediumPlan> media, ChildProcess& process, std::string probe = "ffprobe");

    void Start();
    // The standard output of the step's command, and the standard error of its processes.
    void OnOutput(std::string_view bytes);
    void OnErrorOutput(std::string_view bytes);
    // Every process of the step has ended and its output is read; `ok` when each exited with 0,
    // else `status` says which did not ("ffmpeg exited with status 1").
    void OnFinished(bool ok, const std::string& status);
    // Called now and then (a few times a second): kills what did not stop on SIGTERM in time.
    void OnTick();
    void Cancel();
    // For a runner whose children were killed and will not be waited for (its window closing):
    // removes what the current medium left, as a cancel does, and ends the run.
    void Abandon();

    bool Running() const { return m_started && !m_done; }
    bool Done() const { return m_done; }
    bool Cancelling() const { return m_cancelled && !m_done; }
    const RunProgress& Progress() const { return m_progress; }
    const RunResult& Result() const { return m_result; }

    // The time a child gets between SIGTERM and SIGKILL.
    std::chrono::milliseconds graceTime{3000};
    // The argv the runner starts for a plan's command: ffmpeg gets `-progress pipe:1 -nostats`.
    static std::vector<std::string> RunnerArgv(const std::vector<std::string>& command);

private:
    enum class Phase { Encode, Probe };
    void Next();
    void StartMedium();
    void StartCommand();
    void FinishMedium();
    void Fail(const std::string& failure);
    void End(RunResult::Outcome outcome);
    void CleanUpCurrent();
    void UpdateOverall();

    std::vector<MediumPlan> m_media;
    ChildProcess& m_process;
    std::string m_probe;
    std::size_t m_medium = 0;
    std::size_t m_command = 0;
    Phase m_phase = Phase::Encode;
    int m_passesDone = 0; // of the current medium
    int m_passCount = 1;
    std::optional<ProgressReader> m_reader;
    std::string m_probeText;
    std::string m_errorTail;
    bool m_started = false, m_done = false, m_cancelled = false, m_killed = false;
    Clock::time_point m_startedAt, m_stopAt;
    double m_totalSeconds = 0, m_doneSeconds = 0;
    RunProgress m_progress;
    RunResult m_result;
};

} // namespace ratewise
