// SPDX-License-Identifier: GPL-3.0-or-later
// The runner's readers on what HandBrakeCLI, ffmpeg and ffprobe really print, cut anywhere; and
// the runner over real processes: a failing step leaves no file and shows its last lines, a step
// deaf to SIGTERM is killed after the grace time and cleaned up the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "encode/posix_process.h"

namespace ratewise {
namespace {

// HandBrakeCLI 1.6's standard output on a test disc: the libdvdread banner, then progress lines
// ended by carriage returns, with the rate and ETA once a task has run a second.
const std::string kHandBrakeOut =
    "libdvdread: Encrypted DVD support unavailable.************************************************\n"
    "**                                            **\n"
    "libdvdnav: DVD disk reports itself with Region mask 0x00000000. Regions: 01 02 03 04 05 06 07 08\n"
    "\rEncoding: task 1 of 2, 0.00 %\rEncoding: task 1 of 2, 62.80 %"
    "\rEncoding: task 1 of 2, 70.40 % (39.80 fps, avg 41.18 fps, ETA 00h00m01s)"
    "\rEncoding: task 1 of 2, 99.60 % (39.80 fps, avg 41.18 fps, ETA 00h00m01s)"
    "\rEncoding: task 2 of 2, 0.00 %\rEncoding: task 2 of 2, 44.40 %\rEncoding: task 2 of 2, 48.40 %\r";

// ffmpeg 5.1's `-progress pipe:1 -nostats` blocks: the first has no time yet on some inputs.
const std::string kFfmpegOut = "frame=0\nfps=0.00\nout_time_us=N/A\nprogress=continue\n"
                               "frame=174\nfps=0.00\nstream_0_0_q=45.0\nbitrate=N/A\ntotal_size=N/A\n"
                               "out_time_us=6800000\nout_time_ms=6800000\nout_time=00:00:06.800000\n"
                               "dup_frames=0\ndrop_frames=0\nspeed=13.5x\nprogress=continue\n"
                               "frame=350\nout_time_us=14000000\nspeed=11.2x\nprogress=end\n";

TEST(PlanRunner, ReadsTheEncodersProgressCutAnywhere)
{
    for (const std::size_t piece : {1u, 7u, 4096u}) {
        ProgressReader handBrake(ProgressReader::Kind::HandBrake);
        std::vector<std::pair<int, double>> seen;
        for (std::size_t at = 0; at < kHandBrakeOut.size(); at += piece)
            if (handBrake.Feed(std::string_view(kHandBrakeOut).substr(at, piece)))
                seen.emplace_back(handBrake.Task(), handBrake.Fraction());
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(handBrake.Task(), 2);
        EXPECT_EQ(handBrake.Tasks(), 2);
        EXPECT_NEAR(handBrake.Fraction(), 0.484, 1e-9) << piece;
        // Byte by byte, every line counts once it ends: the first task's rate line among them.
        if (piece == 1) {
            EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const std::pair<int, double>& p) {
                return p.first == 1 && std::abs(p.second - 0.704) < 1e-9;
            }));
        }

        ProgressReader ffmpeg(ProgressReader::Kind::Ffmpeg);
        for (std::size_t at = 0; at < kFfmpegOut.size(); at += piece) {
            ffmpeg.Feed(std::string_view(kFfmpegOut).substr(at, piece));
            EXPECT_TRUE(ffmpeg.Seconds() == 0 || ffmpeg.Seconds() == 6.8 || ffmpeg.Seconds() == 14.0);
        }
        EXPECT_EQ(ffmpeg.Seconds(), 14.0);
        EXPECT_TRUE(ffmpeg.Ended());
    }
    // Not progress: other lines, a task past its count, a broken number.
    for (const char* line : {"Muxing: this may take awhile...", "Encoding: task 3 of 2, 5.00 %",
                             "Encoding: task 1 of 2, x %", "Encoding: task 1 of"})
        EXPECT_FALSE(ParseHandBrakeProgress(line)) << line;
}

TEST(PlanRunner, ReadsFilesBackAndStatesTheirFill)
{
    // ffprobe -of flat on a HandBrake file of the test disc.
    const ProbedFile file =
        ParseProbeFlat("streams.stream.0.index=0\nstreams.stream.0.codec_name=\"h264\"\n"
                       "streams.stream.0.codec_type=\"video\"\nstreams.stream.0.width=352\n"
                       "streams.stream.0.height=288\nstreams.stream.1.index=1\n"
                       "streams.stream.1.codec_name=\"aac\"\n"
                       "streams.stream.1.codec_type=\"audio\"\n"
                       "streams.stream.1.channels=2\nstreams.stream.1.tags.language=\"eng\"\n"
                       "chapters.chapter.0.id=1\nchapters.chapter.1.id=2\n");
    EXPECT_EQ(ProbedFileLine(file), "video h264 352x288, audio aac 2 ch eng; 2 chapters");
    EXPECT_EQ(FillText(733059072.0, 734003200.0), "699.1 MB of 700 MB, 99.87 %");
}

struct ShellRun {
    RunResult result;
    std::filesystem::path dir;
};

// One medium whose only command is `sh -c SCRIPT OUTPUT`, fed by `cat`, with a pass log there.
ShellRun RunShellMedium(const std::string& script, bool cancel)
{
    ShellRun run;
    run.dir = std::filesystem::temp_directory_path() / ("ratewise-runner-" + std::to_string(::getpid()));
    std::filesystem::create_directories(run.dir);
    MediumPlan plan;
    plan.output = (run.dir / "out.mkv").string();
    plan.targetBytes = 1000;
    plan.share.seconds = 10;
    plan.leftovers = {(run.dir / "out.mkv.passlog-0.log").string()};
    plan.chapterFile = TextFile{(run.dir / "out.mkv.ffmeta").string(), ";FFMETADATA1\n"};
    plan.commands.push_back({{"sh", "-c", "cat >/dev/null"}, {"sh", "-c", script, plan.output}});
    std::ofstream(plan.leftovers.front()) << "log";
    PosixChildProcess process;
    PlanRunner runner({plan}, process, "");
    runner.graceTime = std::chrono::milliseconds(300);
    volatile std::sig_atomic_t stop = 0;
    RunPlanToEnd(runner, process, stop, [&] {
        if (cancel && std::filesystem::exists(plan.output))
            stop = 1;
    });
    run.result = runner.Result();
    return run;
}

TEST(PlanRunner, FailureAndCancelRemoveTheirPartialFilesAndAnOverfullFileIsCalledOut)
{
    // The chapter file is there before the command runs.
    const ShellRun failed =
        RunShellMedium("test -f \"$0.ffmeta\" || exit 9; echo first >&2; echo partial >\"$0\"; "
                       "echo 'Error: no space left' >&2; exit 3",
                       false);
    EXPECT_EQ(failed.result.outcome, RunResult::Outcome::Failed);
    EXPECT_EQ(failed.result.failure, "sh exited with status 3");
    ASSERT_FALSE(failed.result.lastLines.empty());
    EXPECT_EQ(failed.result.lastLines.back(), "Error: no space left");
    EXPECT_EQ(failed.result.Lines().front(), "The encode failed: sh exited with status 3");
    EXPECT_TRUE(std::filesystem::is_empty(failed.dir)) << "a file is left";

    // Deaf to SIGTERM: killed after the grace time, its partial file removed all the same.
    const ShellRun cancelled =
        RunShellMedium("trap '' TERM; echo x >\"$0\"; while :; do sleep 0.05; done", true);
    EXPECT_EQ(cancelled.result.outcome, RunResult::Outcome::Cancelled);
    EXPECT_TRUE(std::filesystem::is_empty(cancelled.dir)) << "a file is left";

    // A file larger than its medium (1000 bytes): kept, measured, and said to be the plan's fault.
    const ShellRun over = RunShellMedium("head -c 1234 /dev/zero >\"$0\"", false);
    EXPECT_EQ(over.result.outcome, RunResult::Outcome::Done);
    EXPECT_TRUE(over.result.AnyOver());
    const std::vector<std::string> lines = over.result.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Medium 1: " + (over.dir / "out.mkv").string() + ": 0.0 MB of 0 MB, 123.40 %");
    EXPECT_EQ(lines[1].rfind("Medium 1 is over its medium by 234 bytes: the plan is wrong", 0), 0u)
        << lines[1];
    // The pass log and the chapter file are gone, the file stays.
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(over.dir), std::filesystem::directory_iterator()),
        1);
    std::filesystem::remove_all(over.dir);
}

} // namespace
} // namespace ratewise
