// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets of the encode plan check in a printed script: read as sh reads it, it runs
// the plan's commands word for word and nothing else, and its comments stay comments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encode/encode_plan.h"

namespace ratewise::fuzzing {

// What one medium of a plan makes the script do.
struct ScriptMedium {
    std::optional<TextFile> chapterFile; // written first, from a here-document
    std::vector<PlanCommand> commands;
    std::vector<std::string> leftovers; // removed at the end
    std::size_t streams = 0;            // audio and subtitle streams: one header line each
    bool titled = false;                // a file of several titles' plan: one line naming its title
};

ScriptMedium ScriptMediumOf(const MediumPlan& plan);

// Empty when `script` runs "set -e", then for each medium the chapter file's `cat`, the commands
// and the `rm` of the leftovers, each word exactly as in the plan; when each here-document holds
// its file's text and no line of it is the delimiter; and when the comments are whole lines, as
// many as the header and the media's figures take. Else what differs, in one line.
std::string CheckPlanScript(std::string_view script, const std::vector<ScriptMedium>& media);

} // namespace ratewise::fuzzing
