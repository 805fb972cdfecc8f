// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli tracks`: the track list a load of FILE shows, one line per track.
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "cli/json_text.h"
#include "cli/title_set_input.h"
#include "common/dvd_time.h"
#include "ifo/track_texts.h"

namespace ratewise::cli {
namespace {

nlohmann::json TracksJson(const TrackList& list)
{
    nlohmann::json tracks = nlohmann::json::array();
    const int count = list.TrackCount();
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        tracks.push_back({
            {"number", i + 1},
            {"line", TrackEntryText(list, i)},
            {"hours", list.hours[k]},
            {"minutes", list.minutes[k]},
            {"seconds", list.seconds[k]},
            {"frames", list.frames[k]},
            {"cells", list.cells[k]},
            {"firstFrame", list.firstFrame[k]},
            {"lastFrame", list.lastFrame[k]},
            {"averageKbps", list.AverageKbps(i)},
            {"report", TrackReportText(list, i)},
            // The running time on the playback-time counter, which counts 25 (PAL) or 30 (NTSC)
            // frames a nominal second.
            {"duration", DurationJson(TimeCodeFrames(list.hours[k], list.minutes[k], list.seconds[k],
                                                     list.frames[k], list.frameRate),
                                      list.frameRate == 25)},
        });
    }
    return {
        {"frameRate", list.frameRate},
        {"audioStreams", list.audioStreamCount},
        {"subpictureStreams", list.subpictureStreamCount},
        {"tracks", tracks},
        {"framesPerSecond", FrameRateNumber(list.frameRate == 25)},
    };
}

} // namespace

void AddTracksCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        std::string path;
        DiscChoice disc;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command =
        app.add_subcommand("tracks", "The track list of a title set: one line per program chain");
    command
        ->add_option(
            "FILE", settings->path,
            "Title-set information file (VTS_xx_0.IFO), or a disc: VIDEO_TS.IFO, folder, image, drive; - "
            "reads a title set from standard input")
        ->required();
    AddDiscChoiceOptions(*command, settings->disc);
    command->add_flag("--json", settings->json, "Print one JSON object");
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) {
            int status = kExitOk;
            const std::optional<TitleSetLoad> load =
                LoadTitleSet(settings->path, settings->disc, err, status);
            if (!load)
                return status;
            const TrackList* list = &load->tracks;
            if (settings->json) {
                out << JsonText(TracksJson(*list)) << "\n";
            } else {
                std::string text;
                for (const std::string& line : TrackEntryLines(*list))
                    text += line + "\n";
                out << text;
            }
            return static_cast<int>(kExitOk);
        };
    });
}

} // namespace ratewise::cli
