// SPDX-License-Identifier: GPL-3.0-or-later
// Temporary file beside the destination, flushed, then one rename and a flush of the folder: a
// reader of the destination sees the old file or the new one, never a short one, even after a
// crash or a power cut, and a failed write costs nothing.
#include "common/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <signal.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "common/string_format.h"

namespace ratewise {
namespace {

// As many links as the kernel follows before it calls it a loop.
constexpr int kMaxLinkHops = 40;
// Temporary names: "<name>.ratewise-<pid>-<n>.part", so a later run can tell that the writer
// that made one is gone.
constexpr std::string_view kTemporaryMark = ".ratewise-";
constexpr std::string_view kTemporaryEnd = ".part";
// Longest target name that still leaves room for the temporary name's additions in NAME_MAX.
constexpr std::size_t kLongestMarkedName = 200;
// Temporary files of earlier versions ("<name>.<hex>-<n>-<n>.part") carry no process number;
// they count as stale once this old.
constexpr std::time_t kOldFormStaleSeconds = 3600;

std::atomic<void (*)()> beforeRenameHook{nullptr};

std::string Reason(int error)
{
    return std::strerror(error);
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What the temporary names beside `target` begin with.
std::string TemporaryPrefix(const std::string& target)
{
    const std::string name = NameOf(target);
    return (name.size() <= kLongestMarkedName ? name : std::string()) + std::string(kTemporaryMark);
}

enum class TargetKind {
    File,       // a regular file, or nothing yet: replaced through a temporary file
    Device,     // a character device or a named pipe: written to as it is
    Descriptor, // /dev/stdout, /dev/fd/N and the like: written to the open descriptor itself
};

struct Target {
    TargetKind kind = TargetKind::File;
    std::string path; // for a file, the end of any links: the name the rename replaces
    bool exists = false;
    mode_t mode = 0;
    int descriptor = -1;
};

// The descriptor a name such as /dev/stdout or /proc/self/fd/3 stands for, or -1. Opening such a
// name again would start at the beginning of a file the shell opened for appending, and renaming
// over it would write nothing through the pipe.
int DescriptorNamed(const std::string& path)
{
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const std::string_view folder : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
        if (!path.starts_with(folder))
            continue;
        const std::string_view digits = std::string_view(path).substr(folder.size());
        int fd = -1;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), fd);
        if (error == std::errc() && end == digits.data() + digits.size() && !digits.empty())
            return fd;
    }
    return -1;
}

// Follows a chain of links that ends in a name that does not exist yet: that name is created.
bool EndOfDanglingLinks(const std::string& path, std::string& end, std::string& why)
{
    end = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat link {
        };
        if (::lstat(end.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return true; // a missing folder on the way shows when the temporary file is made
        char buffer[4096];
        const ssize_t length = ::readlink(end.c_str(), buffer, sizeof buffer);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
            why = "cannot follow the symbolic link: " + Reason(length < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string next(buffer, static_cast<std::size_t>(length));
        end = next.front() == '/' ? next : FolderOf(end) + "/" + next;
    }
    why = "the symbolic link loops: " + Reason(ELOOP);
    return false;
}

bool ResolveTarget(const std::string& path, Target& target, std::string& why)
{
    if (const int fd = DescriptorNamed(path); fd >= 0) {
        if (::fcntl(fd, F_GETFD) == -1) {
            why = "cannot write: " + Reason(EBADF);
            return false;
        }
        target.kind = TargetKind::Descriptor;
        target.descriptor = fd;
        return true;
    }
    struct stat status {
    };
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ELOOP) {
            why = "the symbolic link loops: " + Reason(ELOOP);
            return false;
        }
        if (errno != ENOENT) {
            why = Reason(errno);
            return false;
        }
        target.kind = TargetKind::File;
        return EndOfDanglingLinks(path, target.path, why);
    }
    target.exists = true;
    target.mode = status.st_mode;
    if (S_ISDIR(status.st_mode)) {
        why = Reason(EISDIR);
        return false;
    }
    if (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode)) {
        target.kind = TargetKind::Device;
        target.path = path;
        return true;
    }
    if (!S_ISREG(status.st_mode)) {
        why = S_ISBLK(status.st_mode)    ? "is a block device: refused, it would be overwritten"
              : S_ISSOCK(status.st_mode) ? "is a socket: refused"
                                         : "not a regular file: refused";
        return false;
    }
    target.kind = TargetKind::File;
    struct stat link {
    };
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        target.path = path;
        return true;
    }
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) {
        why = "cannot follow the symbolic link: " + Reason(errno);
        return false;
    }
    target.path = resolved.get();
    return true;
}

// 0, or the error of the write that failed.
int WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return done < 0 ? errno : EIO;
        bytes = bytes.subspan(static_cast<std::size_t>(done));
    }
    return 0;
}

bool IsStaleTemporary(std::string_view rest)
{
    // "<pid>-<n>.part": stale when no process of that number runs.
    int pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (error != std::errc() || pid <= 0 || end == rest.data() + rest.size() || *end != '-')
        return false;
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool IsOldFormTemporary(std::string_view rest, std::time_t modified)
{
    // "<hex>-<n>-<n>.part", from versions that did not mark their temporary files.
    if (rest.empty() || rest.find_first_not_of("0123456789abcdef-") != std::string_view::npos ||
        std::count(rest.begin(), rest.end(), '-') != 2)
        return false;
    return std::time(nullptr) - modified > kOldFormStaleSeconds;
}

// Removes the temporary files that runs killed between writing and renaming left beside `target`.
void RemoveStaleTemporaries(const std::string& target)
{
    struct CloseFolder {
        void operator()(DIR* folder) const { ::closedir(folder); }
    };
    const std::unique_ptr<DIR, CloseFolder> folder(::opendir(FolderOf(target).c_str()));
    if (!folder)
        return;
    const std::string marked = TemporaryPrefix(target);
    const std::string oldForm = NameOf(target) + ".";
    while (const dirent* entry = ::readdir(folder.get())) {
        const std::string_view name = entry->d_name;
        if (!name.ends_with(kTemporaryEnd))
            continue;
        const bool isMarked = name.starts_with(marked);
        if (!isMarked && !name.starts_with(oldForm))
            continue;
        std::string_view rest = name.substr(isMarked ? marked.size() : oldForm.size());
        struct stat status {
        };
        if (::fstatat(::dirfd(folder.get()), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(status.st_mode))
            continue;
        const bool stale = isMarked ? IsStaleTemporary(rest)
                                    : IsOldFormTemporary(rest.substr(0, rest.size() - kTemporaryEnd.size()),
                                                         status.st_mtime);
        if (stale)
            ::unlinkat(::dirfd(folder.get()), entry->d_name, 0);
    }
}

int CreateTemporary(const std::string& target, std::string& temporary)
{
    static std::atomic<unsigned> counter{0};
    const std::string prefix = FolderOf(target) + "/" + TemporaryPrefix(target);
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = prefix + StringPrintf("%ld-%u", static_cast<long>(::getpid()), counter.fetch_add(1)) +
                    std::string(kTemporaryEnd);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The new content of a file target in a flushed temporary file beside it.
bool WriteTemporary(const Target& target, std::span<const std::uint8_t> bytes, std::string& temporary,
                    std::string& why)
{
    RemoveStaleTemporaries(target.path);
    const int fd = CreateTemporary(target.path, temporary);
    if (fd < 0) {
        why = "cannot create a temporary file beside it: " + Reason(errno);
        return false;
    }
    int error = WriteAll(fd, bytes);
    // The replacement keeps the permissions of the file it replaces.
    if (error == 0 && target.exists && ::fchmod(fd, target.mode & 07777) != 0) {
        why = "cannot keep its permissions: " + Reason(errno);
        ::close(fd);
        ::unlink(temporary.c_str());
        return false;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        why = "cannot write: " + Reason(error);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool RenameIntoPlace(const std::string& temporary, const std::string& target, std::string& why)
{
    if (void (*hook)() = beforeRenameHook.load())
        hook();
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        why = "cannot replace it: " + Reason(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself lasts once the folder is on the disk. File systems that cannot flush a
    // folder (EINVAL) keep it anyway; the new file is in place either way.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

bool WriteInPlace(const Target& target, std::span<const std::uint8_t> bytes, std::string& why)
{
    int fd = target.descriptor;
    if (target.kind == TargetKind::Device) {
        // A pipe no one reads would block for ever: opened without waiting, it fails at once.
        const bool pipe = S_ISFIFO(target.mode);
        fd = ::open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (pipe ? O_NONBLOCK : 0));
        if (fd < 0) {
            why = pipe && errno == ENXIO ? std::string("a named pipe that no one reads")
                                         : "cannot open it: " + Reason(errno);
            return false;
        }
        if (pipe)
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    const int error = WriteAll(fd, bytes);
    if (target.kind == TargetKind::Device)
        ::close(fd);
    if (error != 0) {
        why = "cannot write: " + Reason(error);
        return false;
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::string why;
    return WriteFileAtomically(path, bytes, why);
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string& why)
{
    const FileToWrite file{path, bytes};
    std::string failedPath;
    return WriteFilesAtomically(std::span(&file, 1), failedPath, why);
}

bool WriteFilesAtomically(std::span<const FileToWrite> files, std::string& failedPath, std::string& why)
{
    std::vector<Target> targets(files.size());
    std::vector<std::string> temporaries(files.size());
    const auto removeTemporaries = [&temporaries](std::size_t from) {
        for (std::size_t i = from; i < temporaries.size(); ++i)
            if (!temporaries[i].empty())
                ::unlink(temporaries[i].c_str());
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].path.empty()) {
            why = "empty path";
        } else if (ResolveTarget(files[i].path, targets[i], why) &&
                   (targets[i].kind != TargetKind::File ||
                    WriteTemporary(targets[i], files[i].bytes, temporaries[i], why))) {
            continue;
        }
        failedPath = files[i].path;
        removeTemporaries(0);
        return false;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const bool written = targets[i].kind == TargetKind::File
                                 ? RenameIntoPlace(temporaries[i], targets[i].path, why)
                                 : WriteInPlace(targets[i], files[i].bytes, why);
        if (!written) {
            failedPath = files[i].path;
            removeTemporaries(i + 1);
            return false;
        }
    }
    return true;
}

void SetBeforeRenameHookForTesting(void (*hook)())
{
    beforeRenameHook.store(hook);
}

} // namespace ratewise
