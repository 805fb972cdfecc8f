// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/title_set_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/cli.h"

namespace ratewise::cli {

std::string WhyNotReadable(const std::string& path)
{
    if (path.empty())
        return "empty path";
    struct stat status {
    };
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? "no such file" : std::strerror(errno);
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

void AddDiscChoiceOptions(CLI::App& command, DiscChoice& choice)
{
    command
        .add_option("--title-set", choice.titleSet,
                    "Title set of a disc, image or folder (default: the set holding the longest title)")
        ->check(CLI::Range(1, 99));
    command.add_option("--title", choice.title, "Disc title number: picks its title set and its track")
        ->check(CLI::Range(1, 99));
}

void RequireTrackOrTitle(CLI::App& command, CLI::Option& track, CLI::Option* file)
{
    CLI::Option* title = command.get_option("--title");
    command.parse_complete_callback([&track, title, file] {
        if ((!file || file->count() > 0) && track.count() == 0 && title->count() == 0)
            throw CLI::RequiredError("--track");
    });
}

std::optional<TitleSetLoad> LoadTitleSet(const std::string& path, const DiscChoice& choice, std::ostream& err,
                                         std::ostream& diagnostics, int& status)
{
    if (const std::string why = WhyNotReadable(path); !why.empty()) {
        PrintError(err, path.empty() ? "FILE" : path, why);
        status = kExitBadInput;
        return std::nullopt;
    }
    std::ostream progress(nullptr);
    TitleSetLoadResult result = ratewise::LoadTitleSet(path, choice.Request(), progress, diagnostics);
    if (result.failure == LoadFailure::NoSuchSet) {
        PrintError(err, choice.title != 0 ? "--title" : "--title-set", result.why);
        status = kExitUsage;
        return std::nullopt;
    }
    if (!result.load) {
        PrintError(err, path, result.why);
        status = kExitBadInput;
        return std::nullopt;
    }
    return std::move(result.load);
}

std::optional<TitleSetLoad> LoadTitleSet(const std::string& path, const DiscChoice& choice, std::ostream& err,
                                         int& status)
{
    return LoadTitleSet(path, choice, err, err, status);
}

} // namespace ratewise::cli
