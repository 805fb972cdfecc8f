// SPDX-License-Identifier: GPL-3.0-or-later
// Where each chapter of a track begins, in the three text forms other tools take, and in whole
// seconds for the optimal split.
#pragma once

#include <string>
#include <vector>

namespace ratewise {

// The three forms, in the order of the Chapters Informations window's format list.
enum class ChapterFormat { StartTime = 0, StartFrame = 1, StartSecond = 2 };

// One snapshot of a track's chapters. Sized to the track: a program chain may hold up to 255
// programs, so nothing here is a fixed table.
struct ChapterList {
    // Number of chapter starts found.
    int chapterCount = 0;
    // The lines of chapter n sit at position n - 1.
    std::vector<std::string> timeLines;   // "Chapter 3 = 00:12:07:50"
    std::vector<std::string> frameLines;  // "Chapter %d = %d"
    std::vector<std::string> secondLines; // "Chapter %d = %.2f"
    // chapterCount + 1 values: the whole-second start of chapter n at position n - 1, then the
    // track's running time in seconds.
    std::vector<int> startSeconds;
    // The playback counter's frames past the whole second of chapter n's start (below 25 for
    // PAL, 30 for NTSC), at position n - 1. Empty for chapters given as start seconds.
    std::vector<int> startFrames;
    // The cell (counting from 0) that begins chapter n, at position n - 1: where the exact time
    // of a cut between media comes from. Empty for chapters given as start seconds.
    std::vector<int> firstCells;
};

} // namespace ratewise
