// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/season_plan.h"

#include <cmath>

#include "chapters/optimal_split.h"
#include "common/string_format.h"

namespace ratewise {
namespace {

SeasonPlanResult Failure(std::string why, FailureKind kind)
{
    SeasonPlanResult result;
    result.why = std::move(why);
    result.failure = kind;
    return result;
}

// What a file takes besides its video.
double BytesBesidesVideo(const MediumPlan& plan)
{
    return PlannedBytes(plan) -
           plan.videoBitsPerSecond * (1.0 + plan.toleranceMargin) * plan.share.seconds / 8.0;
}

} // namespace

std::vector<int> GroupTitles(std::span<const double> seconds, int media)
{
    if (media < 1 || seconds.size() < static_cast<std::size_t>(media))
        return {};
    if (media == 1)
        return {0, static_cast<int>(seconds.size())};
    // The chapter split's search over the titles as chapters, timed in milliseconds so that titles
    // of a few seconds are told apart.
    ChapterList list;
    list.chapterCount = static_cast<int>(seconds.size());
    double at = 0;
    list.startSeconds.push_back(0);
    for (const double length : seconds) {
        at += length;
        list.startSeconds.push_back(static_cast<int>(std::llround(at * 1000.0)));
    }
    CalculatorState state;
    state.mediumCount = media;
    NoSplitProgress progress;
    const SplitPlan split = ComputeSplit(list, state, progress);
    if (split.boundaries.size() != static_cast<std::size_t>(media) + 1)
        return {};
    std::vector<int> boundaries;
    for (const int first : split.boundaries)
        boundaries.push_back(first - 1);
    return boundaries;
}

SeasonPlanResult BuildSeasonPlan(std::vector<SeasonTitle>& titles, const CalculatorState& state)
{
    const int media = std::max(1, state.mediumCount);
    // Each title alone on one medium first: what its file needs besides the video.
    CalculatorState single = state;
    single.mediumCount = 1;
    std::vector<MediumPlan> alone;
    std::vector<double> seconds;
    for (SeasonTitle& entry : titles) {
        PlanRequest request = entry.request;
        request.fixedVideoKbps.reset();
        const TitlePlanResult result = BuildTitlePlan(entry.title, single, request);
        if (result.media.empty())
            return Failure(entry.label + ": " + result.why, result.failure);
        alone.push_back(result.media.front());
        seconds.push_back(result.media.front().share.seconds);
    }
    SeasonPlanResult season;
    season.boundaries = GroupTitles(seconds, media);
    if (season.boundaries.empty())
        return Failure(
            StringPrintf("%zu titles cannot be spread over %d media: each medium takes whole titles",
                         titles.size(), media),
            FailureKind::NoResult);
    for (int medium = 0; medium < media; ++medium) {
        const auto first = static_cast<std::size_t>(season.boundaries[static_cast<std::size_t>(medium)]);
        const auto end = static_cast<std::size_t>(season.boundaries[static_cast<std::size_t>(medium) + 1]);
        double besides = 0, length = 0;
        for (std::size_t i = first; i < end; ++i) {
            besides += BytesBesidesVideo(alone[i]);
            length += alone[i].share.seconds;
        }
        const MediumPlan& lead = alone[first];
        // The one bitrate of the medium, in the calculator's kbit/s of 1024 bits, cut to a thousandth.
        const double shared =
            (lead.targetBytes - besides) * 8.0 / length / (1.0 + lead.toleranceMargin) / 1024.0;
        if (!(shared > 0))
            return Failure(
                StringPrintf("medium %d: the audio and the overhead of its %zu titles leave no room "
                             "for video",
                             medium + 1, end - first),
                FailureKind::NoResult);
        double planned = 0;
        bool maximumSaid = false;
        for (std::size_t i = first; i < end; ++i) {
            PlanRequest request = titles[i].request;
            request.fixedVideoKbps = std::floor(shared * 1000.0) / 1000.0;
            TitlePlanResult result = BuildTitlePlan(titles[i].title, single, request);
            if (result.media.empty())
                return Failure(titles[i].label + ": " + result.why, result.failure);
            MediumPlan plan = std::move(result.media.front());
            plan.medium = medium + 1;
            plan.mediumCount = media;
            plan.sourceTitle = titles[i].label;
            plan.share.calculatorVideoKbps = shared;
            planned += PlannedBytes(plan);
            for (std::string& note : result.notes) {
                // Above what the source holds: said once for the medium, not once per file.
                if (note == result.maximumNote) {
                    if (!maximumSaid)
                        season.notes.push_back(StringPrintf("medium %d", medium + 1) +
                                               note.substr(std::min(note.size(), note.find(" asks "))));
                    maximumSaid = true;
                    continue;
                }
                season.notes.push_back(titles[i].label + ": " + note);
            }
            titles[i].request = request;
            season.files.push_back(std::move(plan));
        }
        // Every file's own rounding is down, so the medium cannot overflow; checked all the same,
        // since a plan that overfills is the one fault a plan must never have.
        if (planned > lead.targetBytes)
            return Failure(StringPrintf("medium %d: its %zu titles need about %.0f bytes, more than its %.0f",
                                        medium + 1, end - first, planned, lead.targetBytes),
                           FailureKind::BadInput);
    }
    return season;
}

} // namespace ratewise
