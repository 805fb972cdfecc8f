// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/title_selection.h"

#include "cli/cli.h"
#include "common/string_format.h"
#include "ifo/program_chain.h"
#include "ifo/video_attributes.h"

namespace ratewise::cli {

void AddTitleSelectionOptions(CLI::App& command, TitleSelection& selection)
{
    command.add_option("SOURCE", selection.source, "DVD folder, VIDEO_TS.IFO or VTS_xx_0.IFO")->required();
    CLI::Option* title = command.add_option("--title", selection.title, "Title of the disc, from 1")
                             ->check(CLI::PositiveNumber);
    CLI::Option* track =
        command.add_option("--track", selection.track, "Track (program chain) of the title set, from 1")
            ->check(CLI::PositiveNumber);
    title->excludes(track);
}

std::optional<SelectedTitle> OpenSelectedTitle(const TitleSelection& selection, std::ostream& err,
                                               int& status)
{
    if (selection.title == 0 && selection.track == 0) {
        PrintError(err, "usage", "give --title T or --track N");
        status = kExitUsage;
        return std::nullopt;
    }
    const TitleChoice choice{selection.title != 0, selection.title != 0 ? selection.title : selection.track};
    TitleLookup lookup = LocateTitle(selection.source, choice);
    if (!lookup.location) {
        PrintError(err, selection.source, lookup.why);
        status = lookup.usage ? kExitUsage : kExitBadInput;
        return std::nullopt;
    }
    SelectedTitle selected;
    selected.location = *lookup.location;
    selected.info = ifoOpen(selected.location.titleSetIfo);
    if (!selected.info) {
        PrintError(err, selected.location.titleSetIfo, "not a title-set information file");
        status = kExitBadInput;
        return std::nullopt;
    }
    const int chains = ifoGetPGCCount(selected.info.get());
    if (selected.location.programChain >= chains) {
        PrintError(
            err, selection.source,
            StringPrintf("no track %d (the title set has %d)", selected.location.programChain + 1, chains));
        status = kExitUsage;
        return std::nullopt;
    }
    std::optional<std::vector<CellEntry>> cells =
        ifoGetCells(selected.info.get(), selected.location.programChain);
    if (!cells || cells->empty()) {
        PrintError(err, selection.source,
                   StringPrintf("track %d: its cells cannot be read", selected.location.programChain + 1));
        status = kExitBadInput;
        return std::nullopt;
    }
    selected.cells = std::move(*cells);
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(selected.info.get());
    selected.pal = video && video->pal;
    return selected;
}

} // namespace ratewise::cli
