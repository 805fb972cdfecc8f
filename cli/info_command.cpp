// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli info`: the video, audio or subs report of FILE as its window shows it.
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/messages.h"
#include "cli/plain_text.h"
#include "cli/title_selection.h"
#include "common/dvd_time.h"
#include "common/string_format.h"
#include "encode/language_codes.h"
#include "ifo/audio_names.h"
#include "ifo/language_table.h"
#include "ifo/stream_attributes.h"
#include "ifo/stream_reports.h"
#include "ifo/title_set_info.h"
#include "ifo/video_attributes.h"

namespace ratewise::cli {
namespace {

// The streams of the report as objects, beside its lines.
nlohmann::json StreamObjects(InfoReportKind kind, const TitleSetInfo* info, const TrackList& list)
{
    nlohmann::json streams = nlohmann::json::array();
    auto language = [](std::array<std::uint8_t, 2> code) {
        const bool letters = code[0] >= 'a' && code[0] <= 'z' && code[1] >= 'a' && code[1] <= 'z';
        return nlohmann::json{{"code", letters ? std::string{char(code[0]), char(code[1])} : std::string()},
                              {"name", std::string(languageName(code))}};
    };
    if (kind == InfoReportKind::Video) {
        if (const std::optional<VideoAttributes> video = ifoGetVideoAttributes(info))
            streams.push_back({{"number", 1},
                               {"codec", video->mpeg2 ? "MPEG-2" : "MPEG-1"},
                               {"standard", video->pal ? "PAL" : "NTSC"},
                               {"frameRate", ShownFrameRate(video->pal)},
                               {"framesPerSecond", ShownFrameRate(video->pal)},
                               {"streamId", "0xE0"}});
    } else if (kind == InfoReportKind::Audio) {
        for (int k = 0; k < list.audioStreamCount; ++k) {
            const std::optional<AudioAttributes> audio = ifoGetAudioAttributes(info, k);
            if (!audio)
                break;
            streams.push_back({{"number", k + 1},
                               {"language", language(audio->language)},
                               {"codec", std::string(audioCodingName(audio->codingMode))},
                               {"channels", audio->channelCount},
                               {"sampleRate", audio->sampleRateHz},
                               {"languageTag", LanguageTag(audio->language)},
                               {"commentary", IsCommentaryAudio(*audio)},
                               {"streamId", audioStreamCode(audio->codingMode, k)}});
        }
    } else {
        for (int k = 0; k < list.subpictureStreamCount; ++k) {
            const std::optional<SubpictureAttributes> subs = ifoGetSubpictureAttributes(info, k);
            if (!subs)
                break;
            streams.push_back({{"number", k + 1},
                               {"language", language(subs->language)},
                               {"codec", "subpicture"},
                               {"languageTag", LanguageTag(subs->language)},
                               {"commentary", IsCommentarySubpicture(*subs)},
                               {"streamId", StringPrintf("0xBD 0x%02X", 0x20 + k)}});
        }
    }
    return streams;
}

} // namespace

void AddInfoCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        TitleSelection input;
        bool video = false;
        bool audio = false;
        bool subs = false;
        bool raw = false;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command = app.add_subcommand(
        "info", "The video, audio or subtitle report of a title set, as its window shows it");
    AddTitleSelectionOptions(*command, settings->input, {.trackHelp = nullptr});
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
            FailureKind status = FailureKind::None;
            const std::optional<TitleSetLoad> load =
                LoadTitleSet(settings->input.source, settings->input.disc, err, status);
            if (!load)
                return status;
            const InfoReportKind kind = settings->video   ? InfoReportKind::Video
                                        : settings->audio ? InfoReportKind::Audio
                                                          : InfoReportKind::Subs;
            std::unique_ptr<ByteSource> source = load->OpenIfo();
            std::unique_ptr<TitleSetInfo> info = source ? ifoOpen(*source) : nullptr;
            source.reset();
            if (!info) {
                PrintError(err, settings->input.source, "not a title-set information file");
                return FailureKind::BadInput;
            }
            const InfoReport report = BuildInfoReport(kind, *info, load->tracks);
            const nlohmann::json streams = StreamObjects(kind, info.get(), load->tracks);
            ifoClose(std::move(info));
            if (settings->json && settings->raw)
                PrintNote(err, "--raw is not used with --json, whose text keeps the \\r\\n line ends");
            if (settings->json)
                out << JsonText(
                           {{"lines", TextLines(report.text)}, {"text", report.text}, {"streams", streams}})
                    << "\n";
            else
                out << (settings->raw ? report.text : PlainText(report.text));
            return FailureKind::None;
        };
    });
}

} // namespace ratewise::cli
