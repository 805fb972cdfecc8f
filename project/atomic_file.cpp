// SPDX-License-Identifier: GPL-3.0-or-later
// Temporary file beside the destination, then one rename: a reader of the destination sees the
// old file or the new one, never a short one, and a failed write costs nothing.
#include "project/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/stat.h>

#include "common/string_format.h"

namespace ratewise {
namespace {

// A name beside `path` that no one else is likely to use; creation below is exclusive anyway.
std::string TemporaryName(const std::string& path, int attempt)
{
    static std::atomic<unsigned> counter{0};
    const auto ticks =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    return path + StringPrintf(".%llx-%u-%d.part", ticks, counter.fetch_add(1), attempt);
}

bool WriteAll(std::FILE* file, std::span<const std::uint8_t> bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return false;
    return std::fflush(file) == 0 && std::ferror(file) == 0;
}

// Where the content goes: the target of a symbolic link at `path` (the link itself stays), else
// `path`. A dangling link names a target that does not exist yet.
std::string ContentPath(const std::string& path)
{
    struct stat link {
    };
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::string why;
    return WriteFileAtomically(path, bytes, why);
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string& why)
{
    const std::string target = ContentPath(path);
    struct stat existing {
    };
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) {
        why = std::strerror(EISDIR);
        return false;
    }

    std::string temporary;
    std::FILE* file = nullptr;
    // "x": create exclusively, so an existing file of the same name is never touched.
    for (int attempt = 0; attempt < 8 && file == nullptr; ++attempt) {
        temporary = TemporaryName(target, attempt);
        errno = 0;
        file = std::fopen(temporary.c_str(), "wbx");
        if (file == nullptr && errno != EEXIST)
            break;
    }
    if (file == nullptr) {
        why = std::string("cannot create a temporary file beside it: ") + std::strerror(errno);
        return false;
    }

    errno = 0;
    const bool written = WriteAll(file, bytes);
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        why = std::string("cannot write: ") + std::strerror(writeError != 0 ? writeError : errno);
        std::remove(temporary.c_str());
        return false;
    }
    // The replacement keeps the permissions of the file it replaces.
    if (replacing && ::chmod(temporary.c_str(), existing.st_mode & 07777) != 0) {
        why = std::string("cannot keep its permissions: ") + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        why = std::string("cannot replace it: ") + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace ratewise
