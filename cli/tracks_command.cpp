// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli tracks`: the track list a load of FILE shows, one line per track.
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "cli/json_text.h"
#include "cli/json_writer.h"
#include "cli/title_selection.h"
#include "common/dvd_time.h"
#include "ifo/track_texts.h"

namespace ratewise::cli {
namespace {

std::string TracksJson(const TrackList& list)
{
    JsonWriter json;
    json.BeginObject().Key("tracks").BeginArray();
    const int count = list.TrackCount();
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        json.BeginObject()
            .Member("number", i + 1)
            .Member("line", TrackEntryText(list, i))
            .Member("hours", list.hours[k])
            .Member("minutes", list.minutes[k])
            .Member("seconds", list.seconds[k])
            .Member("frames", list.frames[k])
            .Member("cells", list.cells[k])
            .Member("firstFrame", list.firstFrame[k])
            .Member("lastFrame", list.lastFrame[k])
            .Member("averageKbps", list.AverageKbps(i))
            .Member("report", TrackReportText(list, i))
            .Key("duration");
        // The running time on the playback-time counter, which counts 25 (PAL) or 30 (NTSC)
        // frames a nominal second.
        WriteDuration(
            json,
            TimeCodeFrames(list.hours[k], list.minutes[k], list.seconds[k], list.frames[k], list.frameRate),
            list.frameRate == 25);
        json.EndObject();
    }
    json.EndArray()
        .Member("frameRate", list.frameRate)
        .Member("audioStreams", list.audioStreamCount)
        .Member("subpictureStreams", list.subpictureStreamCount)
        .Member("framesPerSecond", FrameRateNumber(list.frameRate == 25))
        .Member("schemaVersion", kJsonSchemaVersion)
        .EndObject();
    return json.Text();
}

} // namespace

void AddTracksCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        TitleSelection input;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command =
        app.add_subcommand("tracks", "The track list of a title set: one line per program chain");
    AddTitleSelectionOptions(*command, settings->input, {.trackHelp = nullptr});
    command->add_flag("--json", settings->json, "Print one JSON object");
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) {
            FailureKind status = FailureKind::None;
            const std::optional<TitleSetLoad> load =
                LoadTitleSet(settings->input.source, settings->input.disc, err, status);
            if (!load)
                return status;
            const TrackList* list = &load->tracks;
            if (settings->json) {
                out << TracksJson(*list) << "\n";
            } else {
                std::string text;
                for (const std::string& line : TrackEntryLines(*list))
                    text += line + "\n";
                out << text;
            }
            return FailureKind::None;
        };
    });
}

} // namespace ratewise::cli
