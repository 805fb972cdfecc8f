// SPDX-License-Identifier: GPL-3.0-or-later
// Every file Ratewise writes goes through here: it replaces a file's content all at once, or not
// at all, and never turns a device, a pipe or a link into a plain file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ratewise {

// Writes `bytes` to a new temporary file beside `path`, flushes it to the disk, renames it over
// `path` and flushes the folder. A reader of `path` sees the old content or the new, never a short
// file, whatever stops the program.
// - Symbolic links are followed to their end: the last target gets the content and every link
//   stays; a dangling link creates its target; a loop is refused.
// - A character device or a named pipe (/dev/null, /dev/stdout, a FIFO someone reads) is written
//   to as it is, never replaced; a block device, a socket and a pipe no one reads are refused.
// - A file that is replaced keeps its permission bits.
// - Temporary files that an earlier, killed run left beside `path` are removed first.
// On any failure the temporary file is removed, whatever was at `path` is left as it was, and the
// result is false.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The same; on failure `why` says which step failed and the system's reason ("cannot create a
// temporary file beside it: Permission denied").
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string& why);

// The bytes of a text, for the writers below.
inline std::span<const std::uint8_t> AsBytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct FileToWrite {
    std::string path;
    std::span<const std::uint8_t> bytes;
};

// Writes a set of files that belong together (the chapter files of each medium): every new file is
// written and flushed beside its target before any target is replaced, so a failure (a full disk)
// leaves every old file as it was. On failure `failedPath` names the file and `why` the reason.
bool WriteFilesAtomically(std::span<const FileToWrite> files, std::string& failedPath, std::string& why);

// Tests only: called after a temporary file is written and flushed, just before it is renamed into
// place (a test kills the process there). Null, the default, calls nothing.
void SetBeforeRenameHookForTesting(void (*hook)());

} // namespace ratewise
