// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX shell script of a plan: a header comment with every figure, then per medium the
// chapter file (ffmpeg), the commands and the removal of the pass logs.
#pragma once

#include <string>
#include <vector>

#include "encode/encode_plan.h"

namespace ratewise {

std::string PlanScript(const PlanRequest& request, const std::vector<MediumPlan>& media);

} // namespace ratewise
