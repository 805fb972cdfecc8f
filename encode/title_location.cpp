// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_location.h"

#include <filesystem>
#include <system_error>

namespace ratewise {
namespace {

// HandBrakeCLI reads an image or a drive itself, and a folder when given the folder: the one
// holding VIDEO_TS, or VIDEO_TS itself, never one of its files.
std::string HandBrakeInput(const DiscInput& input)
{
    if (input.kind == DiscKind::Image || input.kind == DiscKind::Device)
        return input.source;
    std::error_code error;
    std::filesystem::path path(input.kind == DiscKind::TitleSet ? input.titleSetPath : input.source);
    if (!std::filesystem::is_directory(path, error))
        path = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    if (path.filename() == "VIDEO_TS" && path.has_parent_path())
        path = path.parent_path();
    return path.string();
}

} // namespace

TitleLocation LocateTrack(const TitleSetLoad& load, int track)
{
    TitleLocation location;
    location.titleSet = load.titleSet;
    location.programChain = track;
    // A lone title set without its disc's manager beside it knows no disc title numbers.
    const bool discNumbers =
        load.disc && (load.disc->input.kind != DiscKind::TitleSet || load.disc->hasTitleTable);
    if (load.disc) {
        for (const DiscTitle& title : discNumbers ? load.disc->titles : std::vector<DiscTitle>{}) {
            if (title.titleSet == load.titleSet && title.track == track + 1) {
                location.title = title.number;
                break;
            }
        }
        location.handBrakeInput = HandBrakeInput(load.disc->input);
    }
    return location;
}

} // namespace ratewise
