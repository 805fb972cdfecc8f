// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/title_selection.h"

#include "cli/cli.h"
#include "cli/option_checks.h"
#include "common/string_format.h"
#include "ifo/program_chain.h"
#include "ifo/video_attributes.h"

namespace ratewise::cli {

void AddTitleSelectionOptions(CLI::App& command, TitleSelection& selection, std::vector<std::string>* sources)
{
    if (sources) {
        command
            .add_option("SOURCE", *sources,
                        "DVD folder, image, drive, VIDEO_TS.IFO or VTS_xx_0.IFO; several for the discs of a "
                        "season (with --titles)")
            ->required();
    } else {
        command
            .add_option("SOURCE", selection.source, "DVD folder, image, drive, VIDEO_TS.IFO or VTS_xx_0.IFO")
            ->required();
    }
    AddDiscChoiceOptions(command, selection.disc);
    CLI::Option* track =
        command.add_option("--track", selection.track, "Track (program chain) of the title set, from 1")
            ->type_name("N")
            ->default_str("")
            ->check(TrackNumber());
    track->excludes(command.get_option("--title"));
    RequireTrackOrTitle(command, *track, selection.disc);
}

std::optional<SelectedTitle> OpenSelectedTitle(const TitleSelection& selection, std::ostream& err,
                                               int& status)
{
    std::optional<TitleSetLoad> load = LoadTitleSet(selection.source, selection.disc, err, status);
    if (!load)
        return std::nullopt;
    SelectedTitle selected;
    const int track = selection.track != 0 ? selection.track - 1 : load->titleTrack;
    std::unique_ptr<ByteSource> ifo = load->OpenIfo();
    selected.info = ifo ? ifoOpen(*ifo) : nullptr;
    if (!selected.info) {
        PrintError(err, selection.source, "the title set's information file cannot be read");
        status = kExitBadInput;
        return std::nullopt;
    }
    const int chains = ifoGetPGCCount(selected.info.get());
    if (track < 0 || track >= chains) {
        PrintTrackOutOfRange(err, "--track", std::to_string(track + 1), chains);
        status = kExitUsage;
        return std::nullopt;
    }
    std::optional<std::vector<CellEntry>> cells = ifoGetCells(selected.info.get(), track);
    if (!cells || cells->empty()) {
        PrintError(err, selection.source, StringPrintf("track %d: its cells cannot be read", track + 1));
        status = kExitBadInput;
        return std::nullopt;
    }
    selected.cells = std::move(*cells);
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(selected.info.get());
    selected.pal = video && video->pal;
    selected.location = LocateTrack(*load, track);
    if (selection.disc.title != 0)
        selected.location.title = selection.disc.title;
    else if (load->mainTitle != 0 && !load->disc->TitlesNumberedBySet())
        selected.location.title = load->mainTitle;
    const int mainTitle = load->mainTitle;
    selected.byTitle = selection.disc.title != 0 || (mainTitle != 0 && !load->disc->TitlesNumberedBySet());
    selected.number = selection.disc.title != 0 ? selection.disc.title
                      : selected.byTitle        ? mainTitle
                                                : track + 1;
    selected.load = std::move(*load);
    return selected;
}

} // namespace ratewise::cli
