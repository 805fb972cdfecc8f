// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/plan_runner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "common/atomic_file.h"
#include "common/lenient_number.h"
#include "common/string_format.h"

namespace ratewise {
namespace {

// The last bytes of the children's standard error kept for the failure's last lines.
constexpr std::size_t kErrorTail = 8192;
constexpr std::size_t kLastLines = 8;
// A line longer than this is no progress line; what it holds is dropped, not kept growing.
constexpr std::size_t kLongestLine = 4096;

std::string_view ProgramName(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return {};
    std::string_view name = argv.front();
    const std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

bool IsHandBrake(const std::vector<std::string>& argv)
{
    return ProgramName(argv) == "HandBrakeCLI";
}

// The passes one command makes: HandBrakeCLI makes both of a two-pass encode in one run.
int CommandPasses(const std::vector<std::string>& argv)
{
    if (IsHandBrake(argv))
        return std::find(argv.begin(), argv.end(), "--two-pass") != argv.end() ? 2 : 1;
    return 1;
}

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return std::string(text);
}

std::string Unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void RemoveFile(const std::string& path)
{
    std::error_code error;
    std::filesystem::remove(path, error);
}

// A medium's size as people name it: "700", "4482.6".
std::string Megabytes(double bytes)
{
    std::string text = StringPrintf("%.1f", bytes / 1048576.0);
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    return text;
}

} // namespace

std::optional<HandBrakeTask> ParseHandBrakeProgress(std::string_view line)
{
    constexpr std::string_view kPrefix = "Encoding: task ";
    const std::size_t at = line.find(kPrefix);
    if (at == std::string_view::npos)
        return std::nullopt;
    line.remove_prefix(at + kPrefix.size());
    HandBrakeTask task;
    char* end = nullptr;
    const std::string rest(line.substr(0, 64));
    task.task = static_cast<int>(std::strtol(rest.c_str(), &end, 10));
    if (end == rest.c_str() || std::string_view(end).substr(0, 4) != " of ")
        return std::nullopt;
    const char* tasks = end + 4;
    task.tasks = static_cast<int>(std::strtol(tasks, &end, 10));
    if (end == tasks || std::string_view(end).substr(0, 2) != ", ")
        return std::nullopt;
    const char* percent = end + 2;
    const double value = std::strtod(percent, &end);
    if (end == percent || !std::isfinite(value) || std::string_view(end).substr(0, 2) != " %")
        return std::nullopt;
    if (task.tasks < 1 || task.tasks > 99 || task.task < 1 || task.task > task.tasks)
        return std::nullopt;
    task.fraction = std::clamp(value / 100.0, 0.0, 1.0);
    return task;
}

bool ProgressReader::Feed(std::string_view bytes)
{
    bool moved = false;
    for (const char c : bytes) {
        if (c == '\r' || c == '\n') {
            moved = Line(m_partial) || moved;
            m_partial.clear();
        } else if (m_partial.size() < kLongestLine) {
            m_partial += c;
        }
    }
    return moved;
}

bool ProgressReader::Line(std::string_view line)
{
    if (m_kind == Kind::HandBrake) {
        const std::optional<HandBrakeTask> task = ParseHandBrakeProgress(line);
        if (!task)
            return false;
        m_task = task->task;
        m_tasks = task->tasks;
        m_fraction = task->fraction;
        return true;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    const std::string_view key = line.substr(0, equals);
    const std::string value = Trimmed(line.substr(equals + 1));
    if (key == "out_time_us") {
        char* end = nullptr;
        const double micro = std::strtod(value.c_str(), &end);
        if (end == value.c_str() || *end != '\0' || !std::isfinite(micro) || micro < 0)
            return false; // "N/A" before the first frame
        m_seconds = micro / 1e6;
        return true;
    }
    if (key == "progress" && value == "end") {
        m_ended = true;
        return true;
    }
    return false;
}

ProbedFile ParseProbeFlat(std::string_view text)
{
    ProbedFile file;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(begin, end - begin);
        begin = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, equals);
        const std::string value = Unquoted(line.substr(equals + 1));
        constexpr std::string_view kStream = "streams.stream.", kChapter = "chapters.chapter.";
        if (key.substr(0, kChapter.size()) == kChapter) {
            const int index = LenientAtoi(key.substr(kChapter.size()));
            if (index >= 0 && index < 100000)
                file.chapters = std::max(file.chapters, index + 1);
            continue;
        }
        if (key.substr(0, kStream.size()) != kStream)
            continue;
        std::string_view rest = key.substr(kStream.size());
        const std::size_t dot = rest.find('.');
        if (dot == std::string_view::npos)
            continue;
        const int index = LenientAtoi(rest.substr(0, dot));
        if (index < 0 || index >= 1000)
            continue;
        if (file.streams.size() <= static_cast<std::size_t>(index))
            file.streams.resize(static_cast<std::size_t>(index) + 1);
        ProbedStream& stream = file.streams[static_cast<std::size_t>(index)];
        const std::string_view field = rest.substr(dot + 1);
        if (field == "codec_type")
            stream.type = value;
        else if (field == "codec_name")
            stream.codec = value;
        else if (field == "tags.language")
            stream.language = value;
        else if (field == "width")
            stream.width = LenientAtoi(value);
        else if (field == "height")
            stream.height = LenientAtoi(value);
        else if (field == "channels")
            stream.channels = LenientAtoi(value);
    }
    return file;
}

std::string ProbedFileLine(const ProbedFile& file)
{
    std::string line;
    for (const ProbedStream& stream : file.streams) {
        if (stream.type.empty())
            continue;
        std::string text = (stream.type == "subtitle" ? std::string("subtitles") : stream.type) + " " +
                           (stream.codec.empty() ? std::string("?") : stream.codec);
        if (stream.width > 0 && stream.height > 0)
            text += StringPrintf(" %dx%d", stream.width, stream.height);
        if (stream.channels > 0)
            text += StringPrintf(" %d ch", stream.channels);
        if (!stream.language.empty() && stream.language != "und")
            text += " " + stream.language;
        line += (line.empty() ? "" : ", ") + text;
    }
    if (line.empty())
        line = "no streams";
    return line + StringPrintf("; %d chapter%s", file.chapters, file.chapters == 1 ? "" : "s");
}

std::string FillText(double bytes, double targetBytes)
{
    return StringPrintf("%.1f", bytes / 1048576.0) + " MB of " + Megabytes(targetBytes) + " MB, " +
           StringPrintf("%.2f %%", targetBytes > 0 ? bytes / targetBytes * 100.0 : 0.0);
}

std::string StepText(const RunProgress& progress)
{
    return StringPrintf("%s %d of %d, pass %d of %d, %d %%", progress.files ? "file" : "medium",
                        progress.medium, progress.mediumCount, progress.pass, progress.passCount,
                        static_cast<int>(std::floor(progress.passFraction * 100.0)));
}

std::string TimeLeftText(const RunProgress& progress)
{
    if (!progress.secondsLeft)
        return {};
    const long long seconds = std::llround(*progress.secondsLeft);
    if (seconds >= 3600)
        return StringPrintf("%lld h %02lld min left", seconds / 3600, seconds / 60 % 60);
    if (seconds >= 60)
        return StringPrintf("%lld min %02lld s left", seconds / 60, seconds % 60);
    return StringPrintf("%lld s left", seconds);
}

bool RunResult::AnyOver() const
{
    return std::any_of(media.begin(), media.end(), [](const MediumResult& m) { return m.over; });
}

std::vector<std::string> RunResult::Lines() const
{
    std::vector<std::string> lines;
    const int count = static_cast<int>(media.size());
    for (std::size_t i = 0; i < media.size(); ++i) {
        const MediumResult& medium = media[i];
        if (medium.shared)
            lines.push_back(StringPrintf("Medium %d, file %zu: ", medium.medium, i + 1) + medium.output +
                            ": " + StringPrintf("%.1f MB", medium.bytes / 1048576.0));
        else
            lines.push_back(StringPrintf("Medium %d: ", medium.medium) + medium.output + ": " +
                            FillText(medium.bytes, medium.targetBytes));
        if (medium.probed)
            lines.push_back("  " + ProbedFileLine(*medium.probed));
        // The medium's files together, after its last finished one.
        const bool lastOfMedium = i + 1 == media.size() || media[i + 1].medium != medium.medium;
        if (medium.shared && lastOfMedium)
            lines.push_back(StringPrintf("Medium %d: ", medium.medium) +
                            FillText(medium.mediumBytes, medium.targetBytes));
        if (medium.over && (!medium.shared || lastOfMedium))
            lines.push_back(StringPrintf(
                "Medium %d is over its medium by %.0f bytes: the plan is wrong "
                "(a bug of Ratewise's plan; please report it)",
                medium.medium, (medium.shared ? medium.mediumBytes : medium.bytes) - medium.targetBytes));
    }
    if (outcome == Outcome::Failed) {
        lines.push_back("The encode failed: " + failure);
        for (const std::string& line : lastLines)
            lines.push_back("  " + line);
    } else if (outcome == Outcome::Cancelled) {
        lines.push_back(count > 0 ? StringPrintf("Cancelled: the partial file and the pass logs are removed; "
                                                 "the %d finished file%s stay%s",
                                                 count, count == 1 ? "" : "s", count == 1 ? "s" : "")
                                  : std::string("Cancelled: the partial file and the pass logs are removed"));
    }
    return lines;
}

std::vector<std::string> PlanRunner::RunnerArgv(const std::vector<std::string>& command)
{
    std::vector<std::string> argv = command;
    if (ProgramName(argv) == "ffmpeg")
        argv.insert(argv.begin() + 1, {"-progress", "pipe:1", "-nostats"});
    return argv;
}

PlanRunner::PlanRunner(std::vector<MediumPlan> media, ChildProcess& process, std::string probe)
    : m_media(std::move(media)), m_process(process), m_probe(std::move(probe))
{
    for (const MediumPlan& plan : m_media)
        m_totalSeconds += std::max(plan.share.seconds, 0.001);
    m_progress.mediumCount = static_cast<int>(m_media.size());
    m_progress.files = std::any_of(m_media.begin(), m_media.end(),
                                   [](const MediumPlan& plan) { return !plan.sourceTitle.empty(); });
}

void PlanRunner::Start()
{
    if (m_started)
        return;
    m_started = true;
    m_startedAt = Clock::now();
    if (m_media.empty()) {
        End(RunResult::Outcome::Done);
        return;
    }
    StartMedium();
}

void PlanRunner::StartMedium()
{
    const MediumPlan& plan = m_media[m_medium];
    m_command = 0;
    m_passesDone = 0;
    m_passCount = 0;
    for (const PlanCommand& command : plan.commands)
        m_passCount += CommandPasses(command.command);
    m_passCount = std::max(m_passCount, 1);
    m_progress.medium = static_cast<int>(m_medium) + 1;
    m_progress.pass = 1;
    m_progress.passCount = m_passCount;
    m_progress.passFraction = 0;
    if (plan.commands.empty()) {
        Fail(StringPrintf("medium %d has no commands (no room for its video)", m_progress.medium));
        return;
    }
    if (plan.chapterFile) {
        std::string why;
        if (!WriteFileAtomically(plan.chapterFile->path, AsBytes(plan.chapterFile->text), why)) {
            Fail(plan.chapterFile->path + ": " + why);
            return;
        }
    }
    StartCommand();
}

void PlanRunner::StartCommand()
{
    const PlanCommand& command = m_media[m_medium].commands[m_command];
    m_phase = Phase::Encode;
    m_reader.emplace(IsHandBrake(command.command) ? ProgressReader::Kind::HandBrake
                                                  : ProgressReader::Kind::Ffmpeg);
    m_errorTail.clear();
    PlanCommand step{command.feed, RunnerArgv(command.command)};
    std::string why;
    if (!m_process.Start(step, why))
        Fail(why);
}

void PlanRunner::OnOutput(std::string_view bytes)
{
    if (!Running())
        return;
    if (m_phase == Phase::Probe) {
        if (m_probeText.size() < (1u << 20))
            m_probeText.append(bytes);
        return;
    }
    if (!m_reader || m_cancelled || !m_reader->Feed(bytes))
        return;
    const MediumPlan& plan = m_media[m_medium];
    if (IsHandBrake(plan.commands[m_command].command)) {
        // HandBrake may count its tasks otherwise than the plan (a subtitle scan adds one).
        const int before = m_passesDone;
        m_passCount = std::max(m_passCount, before + m_reader->Tasks());
        m_progress.pass = before + m_reader->Task();
        m_progress.passFraction = m_reader->Fraction();
    } else {
        m_progress.pass = m_passesDone + 1;
        m_progress.passFraction =
            plan.share.seconds > 0 ? std::clamp(m_reader->Seconds() / plan.share.seconds, 0.0, 1.0) : 0.0;
        if (m_reader->Ended())
            m_progress.passFraction = 1;
    }
    m_progress.passCount = m_passCount;
    UpdateOverall();
}

void PlanRunner::UpdateOverall()
{
    const double seconds = std::max(m_media[m_medium].share.seconds, 0.001);
    const double within = (m_progress.pass - 1 + m_progress.passFraction) / std::max(m_progress.passCount, 1);
    m_progress.overall = std::clamp((m_doneSeconds + seconds * within) / m_totalSeconds, 0.0, 1.0);
    const double elapsed = std::chrono::duration<double>(Clock::now() - m_startedAt).count();
    if (m_progress.overall >= 0.01 && elapsed >= 1.0)
        m_progress.secondsLeft = elapsed * (1.0 - m_progress.overall) / m_progress.overall;
}

void PlanRunner::OnErrorOutput(std::string_view bytes)
{
    m_errorTail.append(bytes);
    if (m_errorTail.size() > kErrorTail)
        m_errorTail.erase(0, m_errorTail.size() - kErrorTail);
}

void PlanRunner::OnFinished(bool ok, const std::string& status)
{
    if (!Running())
        return;
    if (m_cancelled) {
        CleanUpCurrent();
        End(RunResult::Outcome::Cancelled);
        return;
    }
    const MediumPlan& plan = m_media[m_medium];
    if (m_phase == Phase::Probe) {
        if (ok)
            m_result.media.back().probed = ParseProbeFlat(m_probeText);
        Next();
        return;
    }
    if (!ok) {
        Fail(status);
        return;
    }
    m_passesDone += CommandPasses(plan.commands[m_command].command);
    if (++m_command < plan.commands.size()) {
        m_progress.pass = m_passesDone + 1;
        m_progress.passFraction = 0;
        UpdateOverall();
        StartCommand();
        return;
    }
    FinishMedium();
}

void PlanRunner::FinishMedium()
{
    const MediumPlan& plan = m_media[m_medium];
    for (const std::string& leftover : plan.leftovers)
        RemoveFile(leftover);
    if (plan.chapterFile)
        RemoveFile(plan.chapterFile->path);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(plan.output, error);
    if (error) {
        Fail(plan.output + ": the encoder made no file");
        return;
    }
    MediumResult result;
    result.medium = plan.medium;
    result.output = plan.output;
    result.bytes = static_cast<double>(size);
    result.targetBytes = plan.targetBytes;
    result.shared = !plan.sourceTitle.empty();
    result.mediumBytes = result.bytes;
    if (result.shared && !m_result.media.empty() && m_result.media.back().medium == plan.medium)
        result.mediumBytes += m_result.media.back().mediumBytes;
    result.over = (result.shared ? result.mediumBytes : result.bytes) > plan.targetBytes;
    m_result.media.push_back(result);
    m_progress.pass = m_passCount;
    m_progress.passFraction = 1;
    m_doneSeconds += std::max(plan.share.seconds, 0.001);
    m_progress.overall = std::clamp(m_doneSeconds / m_totalSeconds, 0.0, 1.0);
    if (m_probe.empty()) {
        Next();
        return;
    }
    m_phase = Phase::Probe;
    m_probeText.clear();
    m_reader.reset();
    std::string why;
    const PlanCommand probe{{},
                            {m_probe, "-v", "error", "-show_entries",
                             "stream=index,codec_type,codec_name,width,height,channels:stream_tags=language:"
                             "chapter=id",
                             "-of", "flat", plan.output}};
    if (!m_process.Start(probe, why))
        Next(); // no reader installed: the sizes still stand
}

void PlanRunner::Next()
{
    if (++m_medium < m_media.size()) {
        StartMedium();
        return;
    }
    m_medium = m_media.size() - 1;
    End(RunResult::Outcome::Done);
}

void PlanRunner::Fail(const std::string& failure)
{
    m_result.failure = failure;
    // The last lines the children wrote, carriage-return progress included, without blank ones.
    std::vector<std::string> lines;
    std::string line;
    for (const char c : m_errorTail + "\n") {
        if (c == '\n' || c == '\r') {
            std::string trimmed = Trimmed(line);
            if (!trimmed.empty())
                lines.push_back(std::move(trimmed));
            line.clear();
        } else {
            line += c;
        }
    }
    if (lines.size() > kLastLines)
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kLastLines));
    m_result.lastLines = std::move(lines);
    CleanUpCurrent();
    End(RunResult::Outcome::Failed);
}

void PlanRunner::CleanUpCurrent()
{
    // The file being made and what its passes left; files of earlier media stay.
    if (m_medium >= m_media.size())
        return;
    const MediumPlan& plan = m_media[m_medium];
    const bool finished = std::any_of(m_result.media.begin(), m_result.media.end(),
                                      [&](const MediumResult& m) { return m.output == plan.output; });
    if (!finished)
        RemoveFile(plan.output);
    for (const std::string& leftover : plan.leftovers)
        RemoveFile(leftover);
    if (plan.chapterFile)
        RemoveFile(plan.chapterFile->path);
}

void PlanRunner::End(RunResult::Outcome outcome)
{
    m_result.outcome = outcome;
    m_done = true;
}

void PlanRunner::Cancel()
{
    if (!Running() || m_cancelled)
        return;
    m_cancelled = true;
    m_stopAt = Clock::now() + graceTime;
    m_process.Stop(StopSignal::Terminate);
}

void PlanRunner::Abandon()
{
    if (!Running())
        return;
    m_cancelled = true;
    CleanUpCurrent();
    End(RunResult::Outcome::Cancelled);
}

void PlanRunner::OnTick()
{
    if (!Running())
        return;
    if (m_cancelled && !m_killed && Clock::now() >= m_stopAt) {
        m_killed = true;
        m_process.Stop(StopSignal::Kill);
    }
    if (!m_cancelled && m_phase == Phase::Encode)
        UpdateOverall();
}

} // namespace ratewise
