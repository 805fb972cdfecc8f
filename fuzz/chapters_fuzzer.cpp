// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the chapter walk as if they were a title-set information file: each
// PGC's chapter list (with its own cell count and with a larger one, as a stale track list could
// give), the box text in each form, and the split of whatever starts come out over 2 to 9 media.
// Only the first 16 PGCs are walked: the walk is the same for every PGC, the search pointers can
// send any of the first 16 to any PGC's bytes, and inputs the fuzzer grows to hundreds of PGCs
// would otherwise spend most of each run repeating it.
// Seed corpus: the title sets in tests/fixtures/ifo.
#include <cstddef>
#include <cstdint>
#include <span>

#include "calc/calculator_state.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/chapter_text.h"
#include "chapters/optimal_split.h"

namespace {

constexpr int kTracksPerInput = 16; // two rounds of the 2 to 9 media

void Exercise(const ratewise::ChapterList& chapters, int media)
{
    for (auto format : {ratewise::ChapterFormat::StartTime, ratewise::ChapterFormat::StartFrame,
                        ratewise::ChapterFormat::StartSecond})
        (void)ratewise::ChapterText(chapters, format);
    ratewise::CalculatorState state;
    state.mediumCount = media;
    ratewise::NoSplitProgress progress;
    (void)ratewise::ComputeSplit(chapters, state, progress);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::unique_ptr<ratewise::TitleSetInfo> info =
        ratewise::ifoOpen(std::span<const std::uint8_t>(data, size));
    if (!info)
        return 0;
    const int tracks = ratewise::ifoGetPGCCount(info.get());
    for (int track = 0; track < tracks && track < kTracksPerInput; ++track) {
        if (auto chapters = ratewise::BuildChapterListOfTrack(*info, track))
            Exercise(*chapters, 2 + track % 8);
        ratewise::PlaybackTime time;
        const int cells = ratewise::ifoGetPlaybackTime(info.get(), track, &time);
        if (auto chapters = ratewise::BuildChapterList(*info, track, cells + 3, time))
            Exercise(*chapters, 9);
    }
    ratewise::ifoClose(std::move(info));
    return 0;
}
