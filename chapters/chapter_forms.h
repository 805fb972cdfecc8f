// SPDX-License-Identifier: GPL-3.0-or-later
// The chapter files today's tools read: OGM chapter text and Matroska chapter XML (mkvmerge
// --chapters), FFmetadata (ffmpeg -map_chapters) and HandBrake's chapter-name CSV.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/exact_time.h"

namespace ratewise {

enum class ChapterForm { Ogm, Matroska, FfMetadata, Csv };

inline constexpr ChapterForm kChapterForms[] = {ChapterForm::Ogm, ChapterForm::Matroska,
                                                ChapterForm::FfMetadata, ChapterForm::Csv};

// Chapters ready to be written: chapter i runs from starts[i] to starts[i + 1], the last one to
// `end` (frames at `rate`); names[i] is its name.
struct TimedChapters {
    FrameRate rate = kPalFrameRate;
    std::vector<std::int64_t> starts;
    std::int64_t end = 0;
    std::vector<std::string> names;
    std::string language = "und"; // ISO 639-2
};

// Chapters starting at `starts` (frames at `rate`) and ending at `end`, in `language`: chapter i
// takes names[i], or "Chapter NN" where `names` has none or an empty one.
TimedChapters NamedChapters(FrameRate rate, std::vector<std::int64_t> starts, std::int64_t end,
                            const std::vector<std::string>& names, std::string language = "und");

// "ogm", "matroska", "ffmetadata", "csv" and back.
const char* ChapterFormName(ChapterForm form);
std::optional<ChapterForm> ChapterFormNamed(std::string_view name);

// The end of a file name for the form: "chapters.txt", "chapters.xml", "ffmetadata",
// "chapters.csv".
const char* ChapterFormFileEnding(ChapterForm form);

// True for an ISO 639-2 code as the tools take it: three lowercase ASCII letters.
bool IsLanguageCode(std::string_view code);

// The whole file, UTF-8, "\n" line ends. Times are cut, never rounded, so no chapter moves past
// the frame it starts on: milliseconds in OGM (as mkvmerge writes them itself), nanoseconds in
// the XML, exact frame counts in FFmetadata.
std::string ChapterFormText(const TimedChapters& chapters, ChapterForm form);

} // namespace ratewise
