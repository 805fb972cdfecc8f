// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ifo/exercise_reader.h"

#include <array>
#include <sstream>

#include "ifo/audio_names.h"
#include "ifo/language_table.h"
#include "ifo/stream_attributes.h"
#include "ifo/title_set_tables.h"
#include "ifo/video_attributes.h"

namespace ratewise::test_support {

ReaderOutcome ExerciseReader(std::span<const std::uint8_t> bytes)
{
    ReaderOutcome outcome;
    std::unique_ptr<TitleSetInfo> info = ifoOpen(bytes);
    std::vector<std::int32_t> seconds;
    if (info) {
        outcome.opened = true;
        outcome.pgcTableBytes = info->pgcTable.Size();
        outcome.pgcCount = ifoGetPGCCount(info.get());
        // Every PGC's time; the cells of the PGCs the program can list as tracks (it keeps at
        // most kMaxTimeMaps), as the track list and the chapter list ask for them.
        std::array<CellEntry, 255> scratch{};
        for (int i = 0; i < outcome.pgcCount; ++i) {
            PlaybackTime time;
            const int cellCount = ifoGetPlaybackTime(info.get(), i, &time);
            if (i >= kMaxTimeMaps)
                continue;
            const bool decoded = ifoGetCells(info.get(), i, scratch);
            outcome.cellsDecoded += decoded ? 1 : 0;
            outcome.times.push_back(time);
            seconds.push_back(time.hours * 3600 + time.minutes * 60 + time.seconds);
            outcome.cells.emplace_back();
            if (decoded)
                outcome.cells.back().assign(scratch.begin(), scratch.begin() + cellCount);
        }
        outcome.audioStreams = ifoCountAudioStreams(info.get());
        outcome.subpictureStreams = ifoCountSubpictureStreams(info.get());
        const VideoAttributes video = *ifoGetVideoAttributes(info.get());
        std::size_t names = AspectName(video.aspectCode).size() +
                            DisplayModeName(video.displayModeCode).size() +
                            ResolutionName(video.resolutionIndex).size();
        for (int k = 0; k < kAudioStreamSlots; ++k) {
            const AudioAttributes audio = *ifoGetAudioAttributes(info.get(), k);
            names += languageName(audio.language).size() + audioCodingName(audio.codingMode).size() +
                     audioStreamCode(audio.codingMode, k).size();
        }
        for (int k = 0; k < kSubpictureStreamSlots; ++k)
            names += languageName(ifoGetSubpictureAttributes(info.get(), k)->language).size();
        outcome.nameBytes = names;
        ifoClose(std::move(info));
    }

    MemoryByteSource source(bytes);
    std::ostringstream out, err;
    if (auto tables = ifoOpenTables(source, 0, err)) {
        for (const ByteBuffer& slot : tables->slots)
            outcome.largestTableBytes = std::max(outcome.largestTableBytes, slot.Size());
        ifoReadTimeMap(*tables, seconds, outcome.timeMap, out);
        ifoCloseTables(std::move(tables));
    }
    return outcome;
}

} // namespace ratewise::test_support
