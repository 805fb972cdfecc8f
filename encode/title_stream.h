// SPDX-License-Identifier: GPL-3.0-or-later
// A title's cells in playback order as one MPEG program stream: the sectors of each cell of its
// program chain, first angle only, copied from the title VOBs. Encoders read that from a pipe,
// whatever holds the disc (concatenating VOB files is wrong when a set holds several titles).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ifo/byte_source.h"
#include "ifo/cells.h"

namespace ratewise {

struct SectorRange {
    std::uint32_t first = 0; // inclusive
    std::uint32_t last = 0;  // inclusive
    friend bool operator==(const SectorRange&, const SectorRange&) = default;
};

// The sectors to play, in the program chain's cell order: cells outside an angle block and the
// first angle's cells of each block, of the chapters (programs, from 1) firstChapter to
// lastChapter. Adjacent ranges are merged.
std::vector<SectorRange> PlaybackSectors(std::span<const CellEntry> cells, int firstChapter, int lastChapter);

// A pack whose PES header says it is scrambled (encrypted discs are not ours to read).
bool IsScrambledPack(std::span<const std::uint8_t> pack);

// Where the stream goes. Write returns false when the reader has gone (a closed pipe) or the
// output failed; the copy then stops.
class PackSink
{
public:
    virtual ~PackSink() = default;
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
};

enum class StreamResult {
    Done,
    OutsideVobs,   // a cell's sectors are not all in the title VOBs
    ReadFailed,    // the VOBs could not be read
    Scrambled,     // a pack is scrambled; nothing of its chunk was written
    OutputStopped, // the sink refused a write
};

// Copies the ranges' sectors in order, a chunk at a time; every chunk is checked for scrambled
// packs before any of it is written, so a scrambled disc is refused before it writes anything
// but the navigation packs that precede its first scrambled chunk.
StreamResult StreamSectors(ByteSource& vobs, std::span<const SectorRange> ranges, PackSink& sink);

// A part of the title (chapters A to B) for an encode that is joined to the parts around it: the
// part's ranges, and the first chapter after it, from which the audio still playing before the
// next part begins is taken. `trimStart` when the part does not begin the title.
struct PartRanges {
    std::vector<SectorRange> ranges;
    std::vector<SectorRange> following; // empty for a part that ends the title
    bool trimStart = false;
};

// As StreamSectors, cut by presentation time where the part meets its neighbours (see
// part_packs.h).
StreamResult StreamPart(ByteSource& vobs, const PartRanges& part, PackSink& sink);

// What StreamSectors would refuse, found before anything is written: cells outside the VOBs, and
// a first chunk that cannot be read or is scrambled. Done when the stream can start.
StreamResult CheckSectors(ByteSource& vobs, std::span<const SectorRange> ranges);

// Why the stream could not be made ("the title's cells lie outside its VOB files"); empty for Done
// and OutputStopped, which are not the input's fault.
const char* StreamRefusalReason(StreamResult result);

} // namespace ratewise
