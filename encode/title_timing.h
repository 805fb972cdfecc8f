// SPDX-License-Identifier: GPL-3.0-or-later
// A title's exact timing from its cells: where each chapter starts, in frames, and how long a run
// of chapters plays. Plans need the exact length (the calculator counts whole seconds), or an
// encode of a title 20.9 s long would get the bitrate of 20 s.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/dvd_time.h"
#include "encode/encode_plan.h"
#include "ifo/cells.h"

namespace ratewise {

struct TitleTiming {
    bool pal = true; // frames at 25 per second; else 30 counted, played at 30000/1001
    // The frame each chapter (program) starts at, chapter 1 first; then the title's frame count.
    std::vector<std::int64_t> chapterStartFrames;
    int ChapterCount() const { return static_cast<int>(chapterStartFrames.size()) - 1; }
};

// From the program chain's cells (first angle only). Nothing when no cell starts a chapter.
std::optional<TitleTiming> TimingOfCells(std::span<const CellEntry> cells, bool pal);

// Chapters first to last (1 <= first <= last <= ChapterCount(), the caller checks): their exact
// seconds and chapter starts, and their chapters for the chapter file in `language`, chapter c
// named by titleNames[c - 1] ("Chapter NN" where that is missing or empty).
MediumShare ShareOfChapters(const TitleTiming& timing, int first, int last,
                            const std::vector<std::string>& titleNames = {},
                            const std::string& language = "und");

} // namespace ratewise
