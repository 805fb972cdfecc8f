// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder command lines of one medium's plan, from its figures.
#pragma once

#include "encode/encode_plan.h"

namespace ratewise {

// HandBrakeCLI reads the disc itself: one command, both passes (--two-pass --turbo).
void AddHandBrakeCommands(const PlanRequest& request, MediumPlan& plan);

// ffmpeg reads `ratewise-cli stream` on its standard input: pass 1 to the null muxer, pass 2 to
// the output, with the chapters from an ffmetadata file the script writes first.
void AddFfmpegCommands(const PlanRequest& request, MediumPlan& plan);

// The ffmetadata form of the share's chapters (times in milliseconds from the share's start).
std::string FfmetadataChapters(const MediumShare& share);

} // namespace ratewise
