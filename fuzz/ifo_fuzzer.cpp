// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the title-set reader as if they were a title-set information file:
// open, every PGC's time and cells, the stream decoders and counts, then the time-map pass; then
// the track list's parse, entries, reports and the stream reports over the same bytes.
// Seed corpus: the title sets in tests/fixtures/ifo.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>

#include "ifo/stream_reports.h"
#include "ifo/track_texts.h"
#include "tests/ifo/exercise_reader.h"

namespace {

void ExerciseTrackList(std::span<const std::uint8_t> bytes)
{
    using namespace ratewise;
    std::ostream discard(nullptr);
    MemoryByteSource source(bytes);
    TrackList list;
    if (!ifoParse(source, "fuzz.ifo", list, discard, discard))
        return;
    const int count = list.TrackCount();
    std::vector<int> all;
    for (int i = 0; i < count; ++i) {
        all.push_back(i);
        TrackReportText(list, i);
    }
    TrackEntryLines(list);
    SumSelectedTracks(list, all);
    const auto info = ifoOpen(bytes);
    if (const auto video = ifoGetVideoAttributes(info.get()))
        InfoReportText(InfoReportKind::Video, VideoReportLines(*video));
    InfoReportText(InfoReportKind::Audio, AudioReportLines(info.get(), list.audioStreamCount));
    InfoReportText(InfoReportKind::Subs, SubsReportLines(info.get(), list.subpictureStreamCount));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    ratewise::test_support::ExerciseReader(bytes);
    ExerciseTrackList(bytes);
    return 0;
}
