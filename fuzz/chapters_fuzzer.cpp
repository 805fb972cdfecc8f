// Feeds arbitrary bytes to the chapter walk as if they were a title-set information file: every
// PGC's chapter list (with its own cell count and with a larger one, as a stale track list could
// give), the box text in each form, and the split of whatever starts come out over 2 to 9 media.
// Seed corpus: the title sets in tests/fixtures/ifo.
#include <cstddef>
#include <cstdint>
#include <span>

#include "calc/calculator_state.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/chapter_text.h"
#include "chapters/optimal_split.h"

namespace {

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
    for (int track = 0; track < tracks && track < 99; ++track) {
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
