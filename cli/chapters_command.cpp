// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli chapters`: where each chapter of a track begins, in the form the Chapters
// Informations window's format list chooses, or as a chapter file for today's tools.
#include <nlohmann/json.hpp>

#include "chapters/chapter_text.h"
#include "cli/chapter_file_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "cli/json_text.h"
#include "cli/messages.h"
#include "cli/option_checks.h"
#include "cli/track_chapters.h"
#include "common/string_format.h"

namespace ratewise::cli {
namespace {

nlohmann::json ChaptersJson(const ChapterList& chapters, bool pal)
{
    return {
        {"chapterCount", chapters.chapterCount},   {"timeLines", chapters.timeLines},
        {"frameLines", chapters.frameLines},       {"secondLines", chapters.secondLines},
        {"startSeconds", chapters.startSeconds},   {"frameRate", FrameRateNumber(pal)},
        {"framesPerSecond", FrameRateNumber(pal)}, {"chapters", ChapterObjects(chapters, pal)},
    };
}

// The chapter file of one of the new forms: the chapters a player shows, named.
FailureKind PrintChapterFile(const std::string& ifoPath, const TitleSetLoad& load, int trackNumber,
                             ChapterForm form, const ChapterNameOptions& nameOptions, std::string& text,
                             std::ostream& err)
{
    const std::optional<std::vector<std::string>> names = ReadChapterNames(nameOptions, err);
    if (!names)
        return FailureKind::BadInput;
    std::unique_ptr<ByteSource> source = load.OpenIfo();
    const std::optional<PlayerChapters> player =
        source ? ReadPlayerChapters(*source, trackNumber - 1) : std::nullopt;
    if (!player) {
        PrintError(err, ifoPath, StringPrintf("cannot read the cells of track %d", trackNumber));
        return FailureKind::BadInput;
    }
    text = ChapterFormText(
        NamedChapters(player->rate, player->starts, player->end, *names, nameOptions.language), form);
    return FailureKind::None;
}

// Why a track has no chapter line: chapters start only before the track's last second.
std::string NoChapterReason(const ChapterList& chapters, int trackNumber)
{
    const bool underASecond = chapters.startSeconds.empty() || chapters.startSeconds.back() == 0;
    return StringPrintf("no chapter line: track %d %s", trackNumber,
                        underASecond ? "plays for less than a second" : "has no cells");
}

} // namespace

void AddChaptersCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        TitleSelection input;
        std::string format = "time";
        bool formatGiven = false;
        ChapterNameOptions names;
        std::string outputPath;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command =
        app.add_subcommand("chapters", "Where each chapter of a track begins: start time, frame or second, "
                                       "or a chapter file for mkvmerge, ffmpeg or HandBrake");
    AddTitleSelectionOptions(*command, settings->input,
                             {.help = "Title-set information file (VTS_xx_0.IFO), or a disc; - reads a title "
                                      "set from standard input"});
    CLI::Option* formatOption =
        command
            ->add_option(
                "--format", settings->format,
                "time (VcdEasy / SVCD), frame (AviSynth Trim), second (BeSweet split); the chapters a "
                "player shows: ogm, matroska (mkvmerge), ffmetadata (ffmpeg), csv (HandBrake names)")
            ->type_name("FORM")
            ->transform(OneOf({"time", "frame", "second", "ogm", "matroska", "ffmetadata", "csv"}));
    AddChapterNameOptions(*command, settings->names);
    CLI::Option* output = command
                              ->add_option("-o,--output", settings->outputPath,
                                           "Write to this file (replaced in one step); - is standard output")
                              ->type_name("FILE");
    command->add_flag("--json", settings->json, "Print one JSON object with every form");
    command->callback([settings, formatOption, output, &action] {
        settings->formatGiven = formatOption->count() > 0;
        action = [settings, toFile = output->count() > 0](std::ostream& out,
                                                          std::ostream& err) -> FailureKind {
            if (settings->json && settings->formatGiven)
                PrintNote(err, "--format is not used with --json, which gives every form");
            if (settings->json && toFile)
                PrintNote(err, "--output is not used with --json, which prints to standard output");
            const TrackChapters read = ReadTrackChapters(settings->input, err);
            if (!read.chapters)
                return read.status;
            const ChapterList& chapters = *read.chapters;
            // An empty answer says why (exit 4); no empty file replaces one that is there.
            const bool noLine = chapters.chapterCount == 0;
            if (settings->json) {
                out << JsonText(ChaptersJson(chapters, read.pal)) << "\n";
                if (noLine)
                    PrintError(err, "chapters", NoChapterReason(chapters, read.track));
                return noLine ? FailureKind::NoResult : FailureKind::None;
            }
            std::string text;
            if (const std::optional<ChapterForm> form = ChapterFormNamed(settings->format)) {
                const FailureKind status = PrintChapterFile(settings->input.source, *read.load, read.track,
                                                            *form, settings->names, text, err);
                if (status != FailureKind::None)
                    return status;
            } else if (noLine) {
                PrintError(err, "chapters", NoChapterReason(chapters, read.track));
                return FailureKind::NoResult;
            } else {
                const ChapterFormat format = settings->format == "frame"    ? ChapterFormat::StartFrame
                                             : settings->format == "second" ? ChapterFormat::StartSecond
                                                                            : ChapterFormat::StartTime;
                for (const std::string& line : ChapterLines(chapters, format))
                    text += line + "\n";
            }
            if (!toFile) {
                out << text;
                return FailureKind::None;
            }
            return WriteTextFile(settings->outputPath, text, out, err) ? FailureKind::None
                                                                       : FailureKind::WriteFailed;
        };
    });
}

} // namespace ratewise::cli
