// SPDX-License-Identifier: GPL-3.0-or-later
// The optimal split handed to the tools that cut: mkvmerge's --split arguments, ffmpeg's -ss/-to
// per medium, and one chapter file per medium whose times start at 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chapters/chapter_forms.h"
#include "chapters/chapter_list.h"
#include "chapters/optimal_split.h"
#include "chapters/player_chapters.h"
#include "common/exact_time.h"

namespace ratewise {

// Where each medium begins, then the end of the last one, in frames at `rate`.
struct SplitCuts {
    FrameRate rate = kPalFrameRate;
    std::vector<std::int64_t> mediumStarts;
};

// The cuts of `plan` with the exact start of each chapter of the split: `chapterStarts` holds the
// C + 1 values (chapters 1 ... C, then the end). Nothing when the plan has no split or does not
// fit the starts.
std::optional<SplitCuts> CutsOf(const SplitPlan& plan, const std::vector<std::int64_t>& chapterStarts,
                                FrameRate rate);

// The exact chapter starts of a track's ChapterList (C + 1 values) from the cell starts of its
// player chapters; nothing when a chapter's first cell is unknown.
std::optional<std::vector<std::int64_t>>
ExactChapterStarts(const ChapterList& list, const std::vector<std::int64_t>& cellStarts, std::int64_t end);

// The cuts of `plan`, made over the track's ChapterList `list`, at the exact times of the track's
// player chapters. Nothing when the plan has no split or a chapter's first cell is unknown.
std::optional<SplitCuts> CutsOf(const SplitPlan& plan, const ChapterList& list, const PlayerChapters& player);

// The numbers (from 1) of the chapters of `player` that begin media 2 ... N, as mkvmerge's
// "--split chapters:" counts them in a file holding those chapters. Nothing when a medium begins
// where no chapter does.
std::optional<std::vector<int>> MkvmergeSplitChapters(const SplitCuts& cuts, const TimedChapters& player);

// "--split chapters:C2,...,CN" (when every medium begins at a chapter) and
// "--split parts:START-END,...": one line each.
std::string MkvmergeSplitText(const SplitCuts& cuts, const TimedChapters& player);

// One line per medium: "-ss HH:MM:SS.ffffff -to HH:MM:SS.ffffff". Times are cut to the
// microsecond: never after the frame the medium starts on, so -ss keeps that frame and -to stops
// before the next medium's first one.
std::string FfmpegSplitText(const SplitCuts& cuts);

// Per medium: the chapters of `player` that play in it, clipped to it and counted from its start
// (a chapter running on from the medium before starts at 0), with their names and language.
std::vector<TimedChapters> ChaptersPerMedium(const SplitCuts& cuts, const TimedChapters& player);

} // namespace ratewise
