// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli profile`: the Bitrate Explorer's curve of a track as numbers, one line per pixel
// column of a plot of the given width.
#include <nlohmann/json.hpp>

#include <algorithm>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/option_checks.h"
#include "cli/title_selection.h"
#include "common/string_format.h"
#include "explorer/explorer_data.h"
#include "explorer/profile_column.h"

namespace ratewise::cli {
namespace {

struct Settings {
    TitleSelection input;
    int width = 400;
    bool json = false;
};

FailureKind RunProfile(const Settings& settings, std::ostream& out, std::ostream& err)
{
    // The track list as the window's load makes it; its time map holds every track's map.
    FailureKind status = FailureKind::None;
    const std::optional<TitleSetLoad> load =
        LoadTitleSet(settings.input.source, settings.input.disc, err, status);
    if (!load)
        return status;
    const TrackList* list = &load->tracks;
    // --title names the track when --track does not.
    const int trackNumber = settings.input.track != 0 ? settings.input.track : load->titleTrack + 1;
    const int trackCount = std::min(list->timeMap.mapCount, list->TrackCount());
    if (trackCount == 0) {
        PrintError(err, settings.input.source, "the title set has no time map");
        return FailureKind::BadInput;
    }
    const std::optional<ExplorerData> data = BuildExplorerData(*list, {}, trackNumber - 1);
    if (!data) {
        PrintTrackOutOfRange(err, "--track", std::to_string(trackNumber), trackCount);
        return FailureKind::Usage;
    }

    const std::vector<int> columns = ProfileColumns(*data, settings.width);
    if (settings.json) {
        const auto track = static_cast<std::size_t>(data->currentTrack);
        const nlohmann::json json = {
            {"track", trackNumber},
            {"timeUnit", data->TimeUnitOf(data->currentTrack)},
            {"averageKbps", data->averageKbps[track]},
            {"columns", columns},
        };
        out << JsonText(json) << "\n";
        return FailureKind::None;
    }
    for (std::size_t i = 0; i < columns.size(); ++i)
        out << i + 1 << "," << columns[i] << "\n";
    return FailureKind::None;
}

} // namespace

void AddProfileCommand(CLI::App& app, CommandAction& action)
{
    auto settings = std::make_shared<Settings>();
    CLI::App* command = app.add_subcommand(
        "profile", "A track's bitrate over its running time, as the Bitrate Explorer draws it: x,heldKbps");
    AddTitleSelectionOptions(*command, settings->input);
    command->add_option("--width", settings->width, "Plot width in pixels; one line per column 1 ... W - 1")
        ->type_name("W")
        ->check(WholeNumber("a width in pixels", 1, 1000000));
    command->add_flag("--json", settings->json,
                      "Print one JSON object: track, timeUnit, averageKbps, columns");
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) { return RunProfile(*settings, out, err); };
    });
}

} // namespace ratewise::cli
