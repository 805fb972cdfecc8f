// SPDX-License-Identifier: GPL-3.0-or-later
// `plan ... --run`: runs the media of a plan in this process instead of printing the script.
#pragma once

#include <ostream>
#include <vector>

#include "common/failure_kind.h"
#include "encode/encode_plan.h"

namespace ratewise::cli {

// Runs every medium's commands (see encode/plan_runner.h) with a progress line on standard error
// (updated in place on a terminal, plain lines otherwise), Ctrl-C cancelling; prints the result
// lines on `out`. An encode that failed, was cancelled or came out over is a failed write.
FailureKind RunPlanMedia(const std::vector<MediumPlan>& media, std::ostream& out, std::ostream& err);

} // namespace ratewise::cli
