// SPDX-License-Identifier: GPL-3.0-or-later
// The structured JSON fields that stand beside the display texts: durations in exact seconds and
// frames, chapters as objects. Shared so every command writes them alike.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>

#include "chapters/chapter_list.h"
#include "cli/json_writer.h"

namespace ratewise::cli {

// A frame rate as a number: 25 for PAL, 29.97 for NTSC (frameRate keys).
double FrameRateNumber(bool pal);

// {"seconds": exact start of frame `frameCount`, "frameCount"}: frames counted on the
// playback-time counter (25 a second for PAL; 30 a nominal second for NTSC, whose frames last
// 1001/30000 s each).
nlohmann::json DurationJson(std::int64_t frameCount, bool pal);
// The same object through a streaming writer.
void WriteDuration(JsonWriter& json, std::int64_t frameCount, bool pal);

// The chapters as objects: number, startSeconds (exact), startFrame (the counter frame where it
// begins). `pal` is nothing when only whole seconds are known (split --starts): then
// startSeconds are those and there is no startFrame.
nlohmann::json ChapterObjects(const ChapterList& chapters, std::optional<bool> pal);

} // namespace ratewise::cli
