// SPDX-License-Identifier: GPL-3.0-or-later
// The encode plan of one title from the calculator's state: the whole title on one medium, or the
// optimal split's chapter ranges over several, each with its figures and commands. Shared by
// `ratewise-cli plan` and the window's "Copy encode command".
#pragma once

#include <span>
#include <string>
#include <vector>

#include "calc/calculator_state.h"
#include "common/failure_kind.h"
#include "encode/encode_plan.h"
#include "encode/title_location.h"
#include "ifo/byte_source.h"
#include "ifo/cells.h"
#include "ifo/title_set_info.h"

namespace ratewise {

struct TitleToPlan {
    const TitleSetInfo& info;
    const TitleLocation& location;
    std::span<const CellEntry> cells;
    bool pal = true;
    ByteSource* vobs = nullptr; // the title VOBs, where the bitrate of copied audio is read; may be null
};

struct TitlePlanResult {
    std::vector<MediumPlan> media;           // empty on failure
    std::string why;                         // one line on failure
    FailureKind failure = FailureKind::None; // what the failure lies in
    std::vector<std::string> notes;          // what the plan changed of what was asked (audio bitrates)
    // A medium's video asked above what the source can hold; also one of the notes. Empty
    // otherwise.
    std::string maximumNote;
};

// A DVD's MPEG-2 video stream is at most 9,800 kbit/s (of 1000 bits); more gains nothing.
inline constexpr double kDvdMpeg2MaxVideoBitsPerSecond = 9'800'000.0;

// `request` gives encoder, codecs, output, the stream choice and how `stream` names the title; the
// audio and subtitle tracks and HandBrakeCLI's title and input (the location's) are filled in
// here. Without a choice, stream 1 for a first audio bitrate above 0, stream 2 for a second;
// HandBrakeCLI reads the disc folder.
TitlePlanResult BuildTitlePlan(const TitleToPlan& title, const CalculatorState& state, PlanRequest& request);

} // namespace ratewise
