// SPDX-License-Identifier: GPL-3.0-or-later
// The optimal split of a track's chapters over the calculator's media, with the playing time,
// chapter range and video bitrate of each medium, as the Optimal Split box shows it.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "calc/calculator_state.h"
#include "chapters/chapter_list.h"

namespace ratewise {

struct SplitPlan {
    // The first chapter of each medium, then C + 1 (N + 1 values, ascending, the first always 1).
    // Empty when there was nothing to split.
    std::vector<int> boundaries;
    // Per medium: its playing time in seconds and the video bitrate that fills it in kbit/s.
    std::vector<int> durations;
    std::vector<int> bitrates;
    // Per medium: "Media 02: 00h:47m:05s Chapters 09-16 Video Bitrate: 1153".
    std::vector<std::string> mediaLines;
    // What the Optimal Split box shows: the media lines or a message, padded with line breaks.
    std::string splitText;
};

// What the search reports to: the main window's progress bar.
class SplitProgress
{
public:
    virtual ~SplitProgress() = default;
    // Range 0 to `maximum`, position 0, made visible.
    virtual void Begin(int maximum) = 0;
    // Advance by one.
    virtual void Step() = 0;
    // Hide.
    virtual void End() = 0;
};

// For callers without a progress bar.
class NoSplitProgress final : public SplitProgress
{
public:
    void Begin(int) override {}
    void Step() override {}
    void End() override {}
};

// Spreads the chapters over state.mediumCount media as evenly as their starts allow. The bar gets
// the steps the chapter-by-chapter search of old made: Begin(C - N + 1), one Step per possible
// first chapter of medium 2 when there are more than two media, then End. The search itself
// finishes at once whatever the size.
SplitPlan ComputeSplit(const ChapterList& chapters, const CalculatorState& state, SplitProgress& progress);

// The video bitrate that fills one medium of the calculator's size with `durationSeconds` of
// playing time: usable kilobits / duration - both audio bitrates, truncated toward zero. A medium
// of 0 seconds gets 0; results beyond the int range stop at its ends.
int MediumBitrate(int durationSeconds, const CalculatorState& state);

} // namespace ratewise
