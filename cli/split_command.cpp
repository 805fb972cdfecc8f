// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli split`: the optimal split of a track's chapters over the calculator's media, as
// the Optimal Split box of the Chapters Informations window shows it.
#include <nlohmann/json.hpp>
#include <optional>

#include "chapters/optimal_split.h"
#include "cli/calculator_options.h"
#include "cli/cli.h"
#include "cli/comma_list.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/title_set_input.h"
#include "cli/track_chapters.h"
#include "common/string_format.h"

namespace ratewise::cli {
namespace {

// The values of --starts: whole seconds, at least a chapter start and the end, never decreasing.
// Sets `why` and returns nothing when the text is not such a list.
std::optional<std::vector<int>> ParseStarts(const std::string& text, std::string& why)
{
    std::vector<int> starts;
    for (const ListedNumber& item : ReadCommaList(text)) {
        if (item.reading == ListedNumber::Reading::kTooLarge) {
            why = "too many seconds: '" + item.text + "'";
            return std::nullopt;
        }
        if (item.reading != ListedNumber::Reading::kNumber) {
            why = "not a whole number of seconds: '" + item.text + "'";
            return std::nullopt;
        }
        if (!starts.empty() && item.value < starts.back()) {
            why = StringPrintf("starts must not decrease: %d after %d", item.value, starts.back());
            return std::nullopt;
        }
        starts.push_back(item.value);
    }
    if (starts.size() < 2) {
        why = "give at least one chapter start and the end of the track";
        return std::nullopt;
    }
    return starts;
}

// The box's lines without the padding and line ends.
std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find("\r\n", begin), text.size());
        if (end > begin)
            lines.push_back(text.substr(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}

nlohmann::json SplitJson(const SplitPlan& plan)
{
    return {
        {"boundaries", plan.boundaries},      {"durations", plan.durations}, {"bitrates", plan.bitrates},
        {"lines", TextLines(plan.splitText)}, {"text", plan.splitText},
    };
}

} // namespace

void AddSplitCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        CalculatorOptions calculator;
        std::string ifoPath;
        DiscChoice disc;
        int track = 0;
        std::string starts;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command =
        app.add_subcommand("split", "The most even split of a track's chapters over the media, "
                                    "with the video bitrate of each medium");
    // The chapters come from a title set's track, as the Chapters Informations command builds
    // them, or straight from --starts.
    CLI::Option* file =
        command->add_option("FILE", settings->ifoPath, "Title-set information file (VTS_xx_0.IFO)");
    CLI::Option* track =
        command->add_option("--track", settings->track, "Track number, from 1")->check(CLI::PositiveNumber);
    CLI::Option* starts =
        command
            ->add_option("--starts", settings->starts,
                         "Start second of each chapter, then the end of the track: S1,...,SC,END")
            ->check([](const std::string& text) {
                std::string why;
                return ParseStarts(text, why) ? std::string() : why;
            });
    AddDiscChoiceOptions(*command, settings->disc);
    track->needs(file);
    command->get_option("--title")->needs(file);
    command->get_option("--title-set")->needs(file);
    RequireTrackOrTitle(*command, *track, file);
    starts->excludes(file);
    AddCalculatorOptions(*command, settings->calculator);
    command->add_flag("--json", settings->json, "Print one JSON object");
    command->callback([settings, file, starts, &action] {
        action = [settings, fromFile = file->count() > 0,
                  fromStarts = starts->count() > 0](std::ostream& out, std::ostream& err) -> int {
            ChapterList chapters;
            if (fromFile) {
                TrackChapters read =
                    ReadTrackChapters(settings->ifoPath, settings->disc, settings->track, err);
                if (!read.chapters)
                    return read.status;
                chapters = std::move(*read.chapters);
            } else if (fromStarts) {
                std::string why;
                chapters.startSeconds = *ParseStarts(settings->starts, why);
                chapters.chapterCount = static_cast<int>(chapters.startSeconds.size()) - 1;
            } else {
                PrintError(err, "usage", "split needs FILE --track N or --starts S1,...,SC,END");
                return kExitUsage;
            }

            const CalculatorRun run = RunCalculatorSteps(settings->calculator);
            NoSplitProgress progress;
            const SplitPlan plan = ComputeSplit(chapters, run.controller.State(), progress);
            if (settings->json)
                out << JsonText(SplitJson(plan)) << "\n";
            else
                out << ToPlainLineEnds(plan.splitText);
            return kExitOk;
        };
    });
}

} // namespace ratewise::cli
