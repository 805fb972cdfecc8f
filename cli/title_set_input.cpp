// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/title_set_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/cli.h"

namespace ratewise::cli {
namespace {

// Why path cannot be read as a file, or the empty text when it can be opened for reading.
std::string WhyUnreadable(const std::string& path)
{
    struct stat status {
    };
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? "no such file" : std::strerror(errno);
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

std::optional<TrackList> LoadTitleSet(const std::string& path, std::ostream& err)
{
    if (!CheckReadableFile(path, err))
        return std::nullopt;
    std::ostream progress(nullptr);
    TrackList list;
    if (!ifoParse(path, list, progress, err)) {
        PrintError(err, path, "not a title-set information file");
        return std::nullopt;
    }
    return list;
}

} // namespace ratewise::cli
