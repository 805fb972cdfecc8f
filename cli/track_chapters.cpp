// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the chapters of one track for `chapters` and `split`.
#include "cli/track_chapters.h"

#include "chapters/chapter_list_builder.h"
#include "cli/cli.h"
#include "cli/option_checks.h"
#include "common/string_format.h"
#include "ifo/byte_source.h"
#include "ifo/title_set_info.h"

namespace ratewise::cli {

TrackChapters ReadTrackChapters(const std::string& path, const DiscChoice& choice, int trackNumber,
                                std::ostream& err)
{
    // The chapters are read from the title set's tables; the track list's diagnostics are not ours.
    std::ostream quiet(nullptr);
    int status = kExitOk;
    std::optional<TitleSetLoad> load = LoadTitleSet(path, choice, err, quiet, status);
    if (!load)
        return {std::nullopt, status, true, std::nullopt, 0};
    if (trackNumber == 0)
        trackNumber = load->titleTrack + 1;
    std::unique_ptr<ByteSource> source = load->OpenIfo();
    const bool opened = source != nullptr;
    std::unique_ptr<TitleSetInfo> info = opened ? ifoOpen(*source) : nullptr;
    source.reset();
    if (!info) {
        PrintError(err, path, opened ? "not a title-set information file" : "cannot open file");
        return {std::nullopt, kExitBadInput, true, std::nullopt, 0};
    }
    const int tracks = ifoGetPGCCount(info.get());
    if (trackNumber < 1 || trackNumber > tracks) {
        PrintTrackOutOfRange(err, "--track", std::to_string(trackNumber), tracks);
        ifoClose(std::move(info));
        return {std::nullopt, kExitUsage, true, std::nullopt, 0};
    }
    std::optional<ChapterList> chapters = BuildChapterListOfTrack(*info, trackNumber - 1);
    const bool pal = ChapterFrameRate(*info) == 25.0;
    ifoClose(std::move(info));
    if (!chapters) {
        PrintError(err, path, StringPrintf("cannot read the cells of track %d", trackNumber));
        return {std::nullopt, kExitBadInput, true, std::nullopt, 0};
    }
    return {std::move(chapters), kExitOk, pal, std::move(load), trackNumber};
}

} // namespace ratewise::cli
