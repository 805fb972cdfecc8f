// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli stream SOURCE (--title T | --track N) [--chapters A-B]`: the title's cells in
// playback order as one MPEG program stream on standard output, for an encoder's pipe.
#include <cerrno>
#include <csignal>
#include <iostream>
#include <unistd.h>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/title_selection.h"
#include "common/string_format.h"
#include "encode/title_stream.h"
#include "encode/title_timing.h"

namespace ratewise::cli {
namespace {

// Straight to the standard output's descriptor: no second buffer, and a reader that has gone
// (EPIPE) ends the copy without a signal.
class DescriptorSink final : public PackSink
{
public:
    bool Write(std::span<const std::uint8_t> bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t done = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0) {
                readerGone = errno == EPIPE;
                return false;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(done));
        }
        return true;
    }
    bool readerGone = false;
};

class StreamSink final : public PackSink
{
public:
    explicit StreamSink(std::ostream& out) : m_out(out) {}
    bool Write(std::span<const std::uint8_t> bytes) override
    {
        m_out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return m_out.good();
    }

private:
    std::ostream& m_out;
};

// "A-B" or "A"; sets first and last.
bool ParseChapterRange(const std::string& text, int& first, int& last)
{
    const std::size_t dash = text.find('-');
    const std::string a = text.substr(0, dash), b = dash == std::string::npos ? a : text.substr(dash + 1);
    const auto number = [](const std::string& digits, int& value) {
        if (digits.empty() || digits.size() > 3 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        value = std::stoi(digits);
        return value >= 1;
    };
    return number(a, first) && number(b, last) && first <= last;
}

} // namespace

void AddStreamCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        TitleSelection selection;
        std::string chapters;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command = app.add_subcommand(
        "stream", "The title's cells in playback order (first angle) as one MPEG program stream on stdout");
    AddTitleSelectionOptions(*command, settings->selection, kSourceForm);
    command->add_option("--chapters", settings->chapters, "Only chapters A to B: A-B, or A alone")
        ->type_name("A-B")
        ->check([](const std::string& text) {
            int first = 0, last = 0;
            return ParseChapterRange(text, first, last)
                       ? std::string()
                       : "expected a chapter range A-B (from 1, A not above B), got '" + text + "'";
        });
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) -> FailureKind {
            FailureKind status = FailureKind::None;
            const std::optional<SelectedTitle> title = OpenSelectedTitle(settings->selection, err, status);
            if (!title)
                return status;
            const std::optional<TitleTiming> timing = TimingOfCells(title->cells, title->pal);
            int first = 1, last = timing ? timing->ChapterCount() : 1;
            if (!settings->chapters.empty()) {
                ParseChapterRange(settings->chapters, first, last);
                if (!timing || last > timing->ChapterCount()) {
                    PrintUsageError(
                        err, "--chapters",
                        StringPrintf("chapters from 1 to %d", timing ? timing->ChapterCount() : 0),
                        settings->chapters);
                    return FailureKind::Usage;
                }
            }
            const std::string& source = settings->selection.source;
            std::string noVobs;
            std::unique_ptr<ByteSource> vobs = title->load.OpenTitleVobs(&noVobs);
            if (!vobs) {
                PrintError(err, source, noVobs);
                return FailureKind::BadInput;
            }
            const std::vector<SectorRange> ranges = PlaybackSectors(title->cells, first, last);

            // Into a pipe whose reader has gone, write fails with EPIPE instead of killing us.
            std::signal(SIGPIPE, SIG_IGN);
            DescriptorSink descriptor;
            StreamSink stream(out);
            const bool toStdout = &out == &std::cout;
            if (toStdout)
                out.flush();
            PackSink& sink = toStdout ? static_cast<PackSink&>(descriptor) : stream;
            // A part of the title is cut where its sound and pictures begin and end, so that the
            // parts encoded from it join again.
            const int chapters = timing ? timing->ChapterCount() : 1;
            PartRanges part{ranges,
                            last < chapters ? PlaybackSectors(title->cells, last + 1, last + 1)
                                            : std::vector<SectorRange>{},
                            first > 1};
            const StreamResult result = first > 1 || last < chapters ? StreamPart(*vobs, part, sink)
                                                                     : StreamSectors(*vobs, ranges, sink);
            if (result == StreamResult::Done)
                return FailureKind::None;
            if (result != StreamResult::OutputStopped) {
                PrintError(err, source, StreamRefusalReason(result));
                return FailureKind::BadInput;
            }
            if (toStdout && descriptor.readerGone)
                return FailureKind::None; // the encoder has all it wants
            PrintError(err, "standard output", "write failed");
            return FailureKind::WriteFailed;
        };
    });
}

} // namespace ratewise::cli
