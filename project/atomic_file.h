// SPDX-License-Identifier: GPL-3.0-or-later
// Replaces a file's content all at once, or not at all.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace ratewise {

// Writes `bytes` to a new temporary file beside `path`, then renames it over `path`. A symbolic
// link at `path` is followed: its target gets the new content and the link stays. A file that is
// replaced keeps its permission bits. On any failure the temporary file is removed, whatever was
// at `path` is left as it was, and the result is false.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The same; on failure `why` says which step failed and the system's reason ("cannot create a
// temporary file beside it: Permission denied").
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string& why);

} // namespace ratewise
