// SPDX-License-Identifier: GPL-3.0-or-later
// The encode plan of several titles (the episodes of a season, from one disc or several) that
// share the calculator's media: one file per title, the titles spread whole and in order over the
// media as evenly as the optimal split spreads chapters, and every file of a medium encoded at one
// video bitrate, so the files look alike and together fill their medium, never more.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "encode/title_plan.h"

namespace ratewise {

struct SeasonTitle {
    TitleToPlan title;
    PlanRequest request; // this title's own: its source, how `stream` names it, its output
    std::string label;   // "title 3 of s1.iso", for the plan's comments and messages
};

struct SeasonPlanResult {
    std::vector<MediumPlan> files;           // one per title, in order; `medium` is the medium it goes on
    std::vector<int> boundaries;             // the first title (from 0) of each medium, then the title count
    std::string why;                         // one line on failure (files empty)
    FailureKind failure = FailureKind::None; // what the failure lies in
    std::vector<std::string> notes;
    std::string maximumNote; // the first medium asking more video than the source holds; also a note
};

// Groups titles of the given lengths over `media` media, whole and in order, with the smallest
// difference between the longest and the shortest medium. The first title (from 0) of each
// medium, then the title count; empty when there are fewer titles than media.
std::vector<int> GroupTitles(std::span<const double> seconds, int media);

// Plans every title at the one video bitrate per medium that fills it. `state` is the calculator
// for the titles' summed running time; its medium count is the number of media.
SeasonPlanResult BuildSeasonPlan(std::vector<SeasonTitle>& titles, const CalculatorState& state);

} // namespace ratewise
