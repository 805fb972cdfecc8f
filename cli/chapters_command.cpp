// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli chapters`: where each chapter of a track begins, in the form the Chapters
// Informations window's format list chooses.
#include <nlohmann/json.hpp>

#include "chapters/chapter_text.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/title_set_input.h"
#include "cli/track_chapters.h"

namespace ratewise::cli {
namespace {

nlohmann::json ChaptersJson(const ChapterList& chapters)
{
    return {
        {"chapterCount", chapters.chapterCount}, {"timeLines", chapters.timeLines},
        {"frameLines", chapters.frameLines},     {"secondLines", chapters.secondLines},
        {"startSeconds", chapters.startSeconds},
    };
}

} // namespace

void AddChaptersCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        std::string ifoPath;
        DiscChoice disc;
        int track = 0;
        std::string format = "time";
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command =
        app.add_subcommand("chapters", "Where each chapter of a track begins: start time, frame or second");
    command->add_option("FILE", settings->ifoPath, "Title-set information file (VTS_xx_0.IFO), or a disc")
        ->required();
    CLI::Option* track =
        command->add_option("--track", settings->track, "Track number, from 1")->check(CLI::PositiveNumber);
    AddDiscChoiceOptions(*command, settings->disc);
    RequireTrackOrTitle(*command, *track);
    command
        ->add_option("--format", settings->format,
                     "time (VcdEasy / SVCD), frame (AviSynth Trim), second (BeSweet split)")
        ->check(CLI::IsMember({"time", "frame", "second"}));
    command->add_flag("--json", settings->json, "Print one JSON object with every form");
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) -> int {
            const TrackChapters read =
                ReadTrackChapters(settings->ifoPath, settings->disc, settings->track, err);
            if (!read.chapters)
                return read.status;
            const ChapterList& chapters = *read.chapters;
            if (settings->json) {
                out << JsonText(ChaptersJson(chapters)) << "\n";
                return kExitOk;
            }
            const ChapterFormat format = settings->format == "frame"    ? ChapterFormat::StartFrame
                                         : settings->format == "second" ? ChapterFormat::StartSecond
                                                                        : ChapterFormat::StartTime;
            for (const std::string& line : ChapterLines(chapters, format))
                out << line << "\n";
            return kExitOk;
        };
    });
}

} // namespace ratewise::cli
