// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/title_set_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "cli/cli.h"
#include "cli/messages.h"
#include "cli/option_checks.h"
#include "common/string_format.h"
#include "disc/disc_files.h"
#include "disc/opened_disc.h"

namespace ratewise::cli {
namespace {

// How long a named pipe may stay silent before its first byte: a FIFO that no one ever opens for
// writing would otherwise keep the command waiting for ever.
constexpr int kFirstByteWaitMs = 2000;

// The stream inputs the run has read; outside a run (a command called directly), `scratch`,
// which lasts as long as the caller keeps it.
std::map<std::string, StreamInput>& StreamInputs(std::ostream& err,
                                                 std::map<std::string, StreamInput>& scratch)
{
    RunContext* context = RunContextOf(err);
    return context ? context->streamInputs : scratch;
}

bool IsStream(const std::string& path, const struct stat& status)
{
    return path == "-" || S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode) || S_ISSOCK(status.st_mode);
}

StreamInput ReadStream(const std::string& path)
{
    StreamInput input;
    if (path == "-" && ::isatty(STDIN_FILENO)) {
        input.why = "standard input is a terminal: pipe or redirect a title set into it";
        return input;
    }
    // Opened without waiting for a writer, then read as data comes. Standard input waits as a
    // pipe's reader does; a named pipe silent for kFirstByteWaitMs from the start is given up.
    const int fd =
        path == "-" ? ::dup(STDIN_FILENO) : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        input.why = std::strerror(errno);
        return input;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    std::vector<std::uint8_t> chunk(65536);
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        const bool waitForEver = path == "-" || !input.bytes.empty();
        const int polled = ::poll(&ready, 1, waitForEver ? -1 : kFirstByteWaitMs);
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled == 0) {
            input.why = "nothing was written to it for 2 seconds";
            break;
        }
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got < 0) {
            input.why = std::strerror(errno);
            break;
        }
        if (got == 0)
            break;
        if (input.bytes.size() + static_cast<std::size_t>(got) > kMostInformationFileBytes) {
            input.why = StringPrintf("more than %zu MiB: not a title-set information file",
                                     kMostInformationFileBytes >> 20);
            break;
        }
        input.bytes.insert(input.bytes.end(), chunk.begin(), chunk.begin() + got);
    }
    // Standard input is shared with the caller: leave its flags as they were.
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags);
    ::close(fd);
    return input;
}

const StreamInput& StreamOf(std::map<std::string, StreamInput>& inputs, const std::string& path)
{
    auto found = inputs.find(path);
    if (found == inputs.end())
        found = inputs.emplace(path, ReadStream(path)).first;
    return found->second;
}

const std::vector<std::uint8_t>* StreamBytes(const std::map<std::string, StreamInput>& inputs,
                                             const std::string& path)
{
    const auto found = inputs.find(path);
    return found == inputs.end() ? nullptr : &found->second.bytes;
}

std::string WhyNotReadable(const std::string& path, std::map<std::string, StreamInput>& inputs)
{
    if (path.empty())
        return "empty path";
    struct stat status {
    };
    if (path != "-" && ::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? "no such file" : std::strerror(errno);
    if (IsStream(path, status))
        return StreamOf(inputs, path).why;
    // Folders and drives are discs; the load says when they hold none.
    if (S_ISDIR(status.st_mode) || S_ISBLK(status.st_mode))
        return {};
    if (!S_ISREG(status.st_mode))
        return "not a regular file";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::strerror(errno);
    ::close(fd);
    return {};
}

// The files of a stream input's disc: none, so it has no title VOBs.
class NoFiles final : public DiscFiles
{
public:
    std::unique_ptr<ByteSource> Open(const std::string&) const override { return nullptr; }
};

// A stream input as a disc of one title set, numbered 1, served from the bytes read. It has no
// title table, so --title finds no title on it.
std::shared_ptr<const OpenedDisc> StreamDisc(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    auto disc = std::make_shared<OpenedDisc>();
    disc->input.kind = DiscKind::Folder;
    disc->input.source = path;
    disc->input.files = std::make_shared<NoFiles>();
    TitleSetFile set;
    set.number = 1;
    set.file = "VTS_01_0.IFO";
    set.bytes = bytes;
    set.readable = true;
    disc->titleSets.push_back(std::move(set));
    return disc;
}

} // namespace

std::string WhyNotReadable(const std::string& path, std::ostream& err)
{
    std::map<std::string, StreamInput> scratch;
    return WhyNotReadable(path, StreamInputs(err, scratch));
}

bool CheckReadableFile(const std::string& path, std::ostream& err)
{
    // Only regular files: a stream is not read here, so it stays whole for whoever reads it.
    struct stat status {
    };
    std::string why;
    if (!path.empty() && (path == "-" || (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))))
        why = S_ISDIR(status.st_mode) ? "is a directory" : "not a regular file";
    else
        why = WhyNotReadable(path, err);
    if (why.empty())
        return true;
    PrintError(err, path.empty() ? "FILE" : path, why);
    return false;
}

std::string MainTitleNote(const TitleSetLoad& load)
{
    std::string title = "title " + std::to_string(load.mainTitle);
    if (load.disc->TitlesNumberedBySet())
        title += " of title set " + std::to_string(load.titleSet);
    return "no --title or --track given: taking " + title + ", the disc's main title";
}

void PrintDiscNotes(const OpenedDisc& disc, std::ostream& err)
{
    for (const std::string& note : disc.notes)
        PrintNote(err, note);
}

void AddDiscChoiceOptions(CLI::App& command, DiscChoice& choice)
{
    command
        .add_option("--title-set", choice.titleSet,
                    "Title set of a disc, image or folder (default: the set holding the main title)")
        ->type_name("N")
        ->default_str("")
        ->check(WholeNumber("a title set number", 1, 99));
    command.add_option("--title", choice.title, "Disc title number: picks its title set and its track")
        ->type_name("N")
        ->default_str("")
        ->check(WholeNumber("a title number", 1, 99));
}

void RequireTrackOrTitle(CLI::App& command, CLI::Option& track, DiscChoice& choice, CLI::Option* file)
{
    CLI::Option* title = command.get_option("--title");
    command.parse_complete_callback([&track, &choice, title, file] {
        choice.mainTitle = (!file || file->count() > 0) && track.count() == 0 && title->count() == 0;
    });
}

std::optional<TitleSetLoad> LoadTitleSet(const std::string& path, const DiscChoice& choice, std::ostream& err,
                                         std::ostream& diagnostics, FailureKind& status)
{
    std::map<std::string, StreamInput> scratch;
    std::map<std::string, StreamInput>& inputs = StreamInputs(err, scratch);
    if (const std::string why = WhyNotReadable(path, inputs); !why.empty()) {
        PrintError(err, path.empty() ? "FILE" : path, why);
        status = FailureKind::BadInput;
        return std::nullopt;
    }
    std::ostream progress(nullptr);
    const std::vector<std::uint8_t>* streamed = StreamBytes(inputs, path);
    TitleSetLoadResult result =
        streamed
            ? ratewise::LoadTitleSet(StreamDisc(path, *streamed), choice.Request(), progress, diagnostics)
            : ratewise::LoadTitleSet(path, choice.Request(), progress, diagnostics);
    if (streamed && result.load)
        result.load->name = path;
    if (result.failure == LoadFailure::NoTitle) {
        PrintRefusal(err, "--track", result.why);
        status = FailureKind::Usage;
        return std::nullopt;
    }
    if (result.failure == LoadFailure::NoSuchSet) {
        PrintRefusal(err, choice.title != 0 ? "--title" : "--title-set", result.why);
        status = FailureKind::Usage;
        return std::nullopt;
    }
    if (!result.load) {
        PrintError(err, path, result.why);
        status = FailureKind::BadInput;
        return std::nullopt;
    }
    PrintDiscNotes(*result.load->disc, err);
    if (result.load->mainTitle != 0)
        PrintNote(err, MainTitleNote(*result.load));
    return std::move(result.load);
}

std::optional<TitleSetLoad> LoadTitleSet(const std::string& path, const DiscChoice& choice, std::ostream& err,
                                         FailureKind& status)
{
    return LoadTitleSet(path, choice, err, err, status);
}

} // namespace ratewise::cli
