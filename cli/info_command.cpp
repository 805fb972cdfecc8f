// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli info`: the video, audio or subs report of FILE as its window shows it.
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/title_set_input.h"
#include "common/string_format.h"
#include "ifo/stream_reports.h"

namespace ratewise::cli {
namespace {

// The report's lines without the end marker; padding is only ever in the text.
std::vector<std::string> ShownLines(const InfoReport& report)
{
    std::vector<std::string> lines;
    for (const std::string& line : report.lines) {
        if (line == kReportEndMarker)
            break;
        lines.push_back(line);
    }
    return lines;
}

} // namespace

void AddInfoCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        std::string path;
        bool video = false;
        bool audio = false;
        bool subs = false;
        bool raw = false;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command = app.add_subcommand(
        "info", "The video, audio or subtitle report of a title set, as its window shows it");
    command
        ->add_option("FILE", settings->path,
                     "Title-set information file (VTS_xx_0.IFO); - reads it from standard input")
        ->required();
    // Exactly one of the three reports.
    CLI::Option_group* which = command->add_option_group("report", "Which report to print");
    which->add_flag("--video", settings->video, "Video Informations");
    which->add_flag("--audio", settings->audio, "Audio Informations");
    which->add_flag("--subs", settings->subs, "Subs Informations");
    which->require_option(1);
    command->add_flag("--raw", settings->raw, "Keep the window's \\r\\n line ends");
    command->add_flag("--json", settings->json, "Print one JSON object");
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) {
            // The reports count the streams as a load of the same file does.
            const std::optional<TrackList> list = LoadTitleSet(settings->path, err);
            if (!list)
                return static_cast<int>(kExitBadInput);
            const InfoReportKind kind = settings->video   ? InfoReportKind::Video
                                        : settings->audio ? InfoReportKind::Audio
                                                          : InfoReportKind::Subs;
            const std::optional<InfoReport> report = BuildInfoReport(kind, settings->path, *list);
            if (!report) {
                PrintError(err, settings->path, "not a title-set information file");
                return static_cast<int>(kExitBadInput);
            }
            if (settings->json)
                out << JsonText({{"lines", ShownLines(*report)}, {"text", report->text}}) << "\n";
            else
                out << (settings->raw ? report->text : ToPlainLineEnds(report->text));
            return static_cast<int>(kExitOk);
        };
    });
}

} // namespace ratewise::cli
