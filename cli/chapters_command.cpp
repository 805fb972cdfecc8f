// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli chapters`: where each chapter of a track begins, in the form the Chapters
// Informations window's format list chooses.
#include <nlohmann/json.hpp>

#include "chapters/chapter_text.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "cli/json_text.h"
#include "cli/messages.h"
#include "cli/option_checks.h"
#include "cli/track_chapters.h"

namespace ratewise::cli {
namespace {

nlohmann::json ChaptersJson(const ChapterList& chapters, bool pal)
{
    return {
        {"chapterCount", chapters.chapterCount},     {"timeLines", chapters.timeLines},
        {"frameLines", chapters.frameLines},         {"secondLines", chapters.secondLines},
        {"startSeconds", chapters.startSeconds},     {"frameRate", FrameRateNumber(pal)},
        {"chapters", ChapterObjects(chapters, pal)},
    };
}

} // namespace

void AddChaptersCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        std::string ifoPath;
        int track = 0;
        std::string format = "time";
        bool formatGiven = false;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command =
        app.add_subcommand("chapters", "Where each chapter of a track begins: start time, frame or second");
    command
        ->add_option("FILE", settings->ifoPath,
                     "Title-set information file (VTS_xx_0.IFO); - reads it from standard input")
        ->required();
    command->add_option("--track", settings->track, "Track number, from 1")
        ->required()
        ->type_name("N")
        ->check(TrackNumber());
    CLI::Option* formatOption =
        command
            ->add_option("--format", settings->format,
                         "time (VcdEasy / SVCD), frame (AviSynth Trim), second (BeSweet split)")
            ->type_name("time|frame|second")
            ->transform(OneOf({"time", "frame", "second"}));
    command->add_flag("--json", settings->json, "Print one JSON object with every form");
    command->callback([settings, formatOption, &action] {
        settings->formatGiven = formatOption->count() > 0;
        action = [settings](std::ostream& out, std::ostream& err) -> int {
            if (settings->json && settings->formatGiven)
                PrintNote(err, "--format is not used with --json, which gives every form");
            const TrackChapters read = ReadTrackChapters(settings->ifoPath, settings->track, err);
            if (!read.chapters)
                return read.status;
            const ChapterList& chapters = *read.chapters;
            if (settings->json) {
                out << JsonText(ChaptersJson(chapters, read.pal)) << "\n";
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
