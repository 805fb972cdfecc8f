// SPDX-License-Identifier: GPL-3.0-or-later
// Positioned reads on a ByteSource, the lowest step of the title-set reader.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "common/dvd_time.h"
#include "ifo/byte_source.h"

namespace ratewise {

// One logical block (sector) of a DVD as a signed offset; table positions in the header count
// these.
inline constexpr std::int64_t kSectorSize = static_cast<std::int64_t>(kDvdSectorBytes);

// Seeks to offset from the start and reads up to buffer.size() bytes into buffer. Returns the
// read's result (bytes read, 0 at the end, -1 on a read error) or -1 when the seek fails.
std::int64_t ifoSeekRead(ByteSource& source, std::int64_t offset, std::span<std::uint8_t> buffer);

// The same, but a failed seek also writes "RatewiseDlg/<line>: error in lseek" to err.
std::int64_t ifoSeekReadLogged(ByteSource& source, std::int64_t offset, std::span<std::uint8_t> buffer,
                               std::ostream& err);

// How many bytes a table that claims claimedSize bytes at offset gets: at least one sector, at
// most what the source holds from offset on, so four hostile bytes never drive a huge allocation.
std::size_t TableBufferSize(const ByteSource& source, std::int64_t offset, std::uint64_t claimedSize);

} // namespace ratewise
