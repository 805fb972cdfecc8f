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

namespace ratewise::cli {
namespace {

// How long a named pipe may stay silent before its first byte: a FIFO that no one ever opens for
// writing would otherwise keep the command waiting for ever.
constexpr int kFirstByteWaitMs = 2000;

struct StreamInput {
    std::vector<std::uint8_t> bytes;
    std::string why; // empty when read whole
};

// Stream inputs read so far: standard input can be read only once, and a command may read its
// title set more than once (the load, then a report).
std::map<std::string, StreamInput>& StreamInputs()
{
    static std::map<std::string, StreamInput> inputs;
    return inputs;
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
        if (input.bytes.size() + static_cast<std::size_t>(got) > kMaxStreamedInput) {
            input.why = "more than 64 MiB: not a title-set information file";
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

const StreamInput& StreamOf(const std::string& path)
{
    auto found = StreamInputs().find(path);
    if (found == StreamInputs().end())
        found = StreamInputs().emplace(path, ReadStream(path)).first;
    return found->second;
}

// Why path cannot be read, or the empty text when it can be.
std::string WhyUnreadable(const std::string& path)
{
    struct stat status {
    };
    if (path != "-" && ::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? "no such file" : std::strerror(errno);
    if (path == "-" || IsStream(path, status))
        return StreamOf(path).why;
    if (S_ISDIR(status.st_mode))
        return "is a directory";
    if (!S_ISREG(status.st_mode))
        return "not a regular file";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::strerror(errno);
    ::close(fd);
    return {};
}

const std::vector<std::uint8_t>* StreamBytes(const std::string& path)
{
    const auto found = StreamInputs().find(path);
    return found == StreamInputs().end() ? nullptr : &found->second.bytes;
}

} // namespace

bool CheckReadableFile(const std::string& path, std::ostream& err)
{
    if (path.empty()) {
        PrintError(err, "FILE", "empty path");
        return false;
    }
    if (const std::string why = WhyUnreadable(path); !why.empty()) {
        PrintError(err, path, why);
        return false;
    }
    return true;
}

std::unique_ptr<ByteSource> OpenInput(const std::string& path, std::ostream& err)
{
    if (!CheckReadableFile(path, err))
        return nullptr;
    if (const std::vector<std::uint8_t>* bytes = StreamBytes(path))
        return std::make_unique<MemoryByteSource>(*bytes);
    std::unique_ptr<ByteSource> source = OpenFileSource(path);
    if (!source)
        PrintError(err, path, "cannot open file");
    return source;
}

std::unique_ptr<TitleSetInfo> OpenTitleSetInfo(const std::string& path, std::ostream& err)
{
    std::unique_ptr<ByteSource> source = OpenInput(path, err);
    if (!source)
        return nullptr;
    std::unique_ptr<TitleSetInfo> info = ifoOpen(*source);
    if (!info)
        PrintError(err, path, "not a title-set information file");
    return info;
}

std::optional<TrackList> LoadTitleSet(const std::string& path, std::ostream& err)
{
    std::unique_ptr<ByteSource> source = OpenInput(path, err);
    if (!source)
        return std::nullopt;
    std::ostream progress(nullptr);
    TrackList list;
    if (!ifoParse(*source, path, list, progress, err)) {
        PrintError(err, path, "not a title-set information file");
        return std::nullopt;
    }
    return list;
}

} // namespace ratewise::cli
