// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the chapters of one track for `chapters` and `split`.
#include "cli/track_chapters.h"

#include "chapters/chapter_list_builder.h"
#include "cli/cli.h"
#include "cli/option_checks.h"
#include "cli/title_set_input.h"
#include "common/string_format.h"
#include "ifo/byte_source.h"
#include "ifo/title_set_info.h"

namespace ratewise::cli {

TrackChapters ReadTrackChapters(const std::string& ifoPath, int trackNumber, std::ostream& err)
{
    std::unique_ptr<TitleSetInfo> info = OpenTitleSetInfo(ifoPath, err);
    if (!info)
        return {std::nullopt, kExitBadInput};
    const int tracks = ifoGetPGCCount(info.get());
    if (trackNumber < 1 || trackNumber > tracks) {
        PrintTrackOutOfRange(err, "--track", std::to_string(trackNumber), tracks);
        ifoClose(std::move(info));
        return {std::nullopt, kExitUsage};
    }
    std::optional<ChapterList> chapters = BuildChapterListOfTrack(*info, trackNumber - 1);
    const bool pal = ChapterFrameRate(*info) == 25.0;
    ifoClose(std::move(info));
    if (!chapters) {
        PrintError(err, ifoPath, StringPrintf("cannot read the cells of track %d", trackNumber));
        return {std::nullopt, kExitBadInput};
    }
    return {std::move(chapters), kExitOk, pal};
}

} // namespace ratewise::cli
