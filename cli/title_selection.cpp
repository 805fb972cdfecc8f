// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/title_selection.h"

#include "cli/cli.h"
#include "cli/option_checks.h"
#include "common/string_format.h"

namespace ratewise::cli {

CLI::Option* AddTitleSelectionOptions(CLI::App& command, TitleSelection& selection,
                                      const TitleSelectionForm& form)
{
    CLI::Option* file = form.sources ? command.add_option(form.name, *form.sources, form.help)
                                     : command.add_option(form.name, selection.source, form.help);
    if (form.required)
        file->required();
    CLI::Option* track = nullptr;
    if (form.trackHelp) {
        track = command.add_option("--track", selection.track, form.trackHelp)
                    ->type_name("N")
                    ->default_str("")
                    ->check(TrackNumber());
    }
    AddDiscChoiceOptions(command, selection.disc);
    if (!form.required) {
        for (const char* name : {"--track", "--title", "--title-set"}) {
            if (CLI::Option* option = command.get_option_no_throw(name))
                option->needs(file);
        }
    }
    if (track) {
        if (form.trackOrTitle)
            track->excludes(command.get_option("--title"));
        RequireTrackOrTitle(command, *track, selection.disc, form.required ? nullptr : file);
    }
    return file;
}

std::optional<SelectedTrack> OpenSelectedTrack(const TitleSelection& selection, std::ostream& err,
                                               std::ostream& diagnostics, FailureKind& status)
{
    std::optional<TitleSetLoad> load =
        LoadTitleSet(selection.source, selection.disc, err, diagnostics, status);
    if (!load)
        return std::nullopt;
    const int track = selection.track != 0 ? selection.track - 1 : load->titleTrack;
    TrackOpening opening = OpenLoadedTrack(*load, track);
    switch (opening.failure) {
    case TrackOpenFailure::None:
        return SelectedTrack{std::move(*load), std::move(*opening.opened)};
    case TrackOpenFailure::NoSuchTrack:
        PrintTrackOutOfRange(err, "--track", std::to_string(track + 1), opening.trackCount);
        status = FailureKind::Usage;
        return std::nullopt;
    case TrackOpenFailure::CannotOpen:
        PrintError(err, selection.source, "cannot open file");
        break;
    case TrackOpenFailure::NotTitleSet:
        PrintError(err, selection.source, "not a title-set information file");
        break;
    case TrackOpenFailure::NoCells:
        PrintError(err, selection.source, StringPrintf("cannot read the cells of track %d", track + 1));
        break;
    }
    status = FailureKind::BadInput;
    return std::nullopt;
}

std::optional<SelectedTitle> OpenSelectedTitle(const TitleSelection& selection, std::ostream& err,
                                               FailureKind& status)
{
    std::optional<SelectedTrack> opened = OpenSelectedTrack(selection, err, err, status);
    if (!opened)
        return std::nullopt;
    const int track = opened->track.track;
    if (opened->track.cells.empty()) {
        PrintError(err, selection.source, StringPrintf("cannot read the cells of track %d", track + 1));
        status = FailureKind::BadInput;
        return std::nullopt;
    }
    SelectedTitle selected;
    TitleSetLoad* load = &opened->load;
    selected.info = std::move(opened->track.info);
    selected.cells = std::move(opened->track.cells);
    selected.pal = opened->track.pal;
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
