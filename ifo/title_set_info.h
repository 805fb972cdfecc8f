// SPDX-License-Identifier: GPL-3.0-or-later
// The opened title set: ifoOpen reads the header sector (VTSI_MAT, "DVDVIDEO-VTS") and the whole
// program-chain table (VTS_PGCI) of a title-set information file into a TitleSetInfo and lets the
// file go again. Open from a path, from any ByteSource or straight from bytes in memory.
// Program chains and cells: ifo/program_chain.h, ifo/cells.h; streams: ifo/video_attributes.h,
// ifo/stream_attributes.h.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "ifo/byte_buffer.h"
#include "ifo/byte_source.h"

namespace ratewise {

struct TitleSetInfo {
    ByteBuffer header;   // the 2048-byte header sector, zero where the file was shorter
    ByteBuffer pgcTable; // the whole VTS_PGCI: one sector, or its end address + 1 bytes when larger
};

// Reads the VTS_PGCI at sector into out. Fails for sector 0 or when nothing can be read there.
// A table larger than one sector is read whole, but never into more bytes than the source holds.
bool ifoReadPGCIT(ByteSource& source, std::uint32_t sector, ByteBuffer& out);

// Nothing when the file cannot be opened, is not a title-set information file or has no readable
// program-chain table. Prints nothing.
std::unique_ptr<TitleSetInfo> ifoOpen(const std::string& path);
std::unique_ptr<TitleSetInfo> ifoOpen(ByteSource& source);
std::unique_ptr<TitleSetInfo> ifoOpen(std::span<const std::uint8_t> bytes);

// Frees what ifoOpen gave; accepts an empty pointer. Always true.
bool ifoClose(std::unique_ptr<TitleSetInfo> info);

} // namespace ratewise
