// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/hostile/load_path.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <sstream>

#include "calc/calculator_controller.h"
#include "chapters/chapter_forms.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/chapter_text.h"
#include "chapters/player_chapters.h"
#include "chapters/split_export.h"
#include "cli/vcd_project_command.h"
#include "disc/title_set_load.h"
#include "explorer/explorer_source.h"
#include "explorer/profile_column.h"

namespace ratewise::test_support {
namespace {

// Each walked track's chapters and their split over 1 to 9 media of the start-up calculator. The
// Chapters window opens the file afresh for each track; the bytes are the same each time, so one
// open serves every walked track here (a set of a thousand tracks would otherwise be read a thousand
// times).
// The four chapter files of the chapters a player shows, and the split handed to the tools.
void RunChapterFiles(const TitleSetInfo& info, const std::optional<std::vector<TitleParts>>& titles,
                     TrackChapters& entry)
{
    std::optional<PlayerChapters> player = BuildPlayerChapters(info, titles, entry.track);
    if (!player)
        return;
    const TimedChapters named = NamedChapters(player->rate, player->starts, player->end, {});
    for (const ChapterForm form : kChapterForms)
        entry.fileTexts.push_back(ChapterFormText(named, form));
    const std::optional<SplitCuts> cuts = CutsOf(entry.split, entry.chapters, *player);
    if (!cuts)
        return;
    entry.fileTexts.push_back(MkvmergeSplitText(*cuts, named));
    entry.fileTexts.push_back(FfmpegSplitText(*cuts));
    for (const TimedChapters& medium : ChaptersPerMedium(*cuts, named))
        entry.fileTexts.push_back(ChapterFormText(medium, ChapterForm::Matroska));
}

void RunChapters(const TitleSetLoad& load, const std::vector<int>& tracks, const CalculatorState& calculator,
                 LoadOutcome& outcome)
{
    std::unique_ptr<ByteSource> source = load.OpenIfo();
    std::unique_ptr<TitleSetInfo> info = source ? ifoOpen(*source) : nullptr;
    if (!info)
        return;
    const std::optional<std::vector<TitleParts>> titles = ReadPartOfTitleTable(*source, info->header.View());
    for (const int track : tracks) {
        std::optional<ChapterList> chapters = BuildChapterListOfTrack(*info, track);
        if (!chapters)
            continue;
        TrackChapters entry{.track = track,
                            .mediaCount = 1 + track % 9,
                            .chapters = std::move(*chapters),
                            .texts = {},
                            .split = {},
                            .fileTexts = {}};
        for (ChapterFormat format :
             {ChapterFormat::StartTime, ChapterFormat::StartFrame, ChapterFormat::StartSecond})
            entry.texts.push_back(ChapterText(entry.chapters, format));
        CalculatorState state = calculator;
        state.mediumCount = entry.mediaCount;
        NoSplitProgress progress;
        entry.split = ComputeSplit(entry.chapters, state, progress);
        RunChapterFiles(*info, titles, entry);
        outcome.chapters.push_back(std::move(entry));
    }
    ifoClose(std::move(info));
}

} // namespace

std::vector<int> TracksToWalk(int count, int firstTracks)
{
    std::vector<int> tracks;
    for (int track = 0; track < count && track < firstTracks; ++track)
        tracks.push_back(track);
    if (count > 0 && count - 1 >= firstTracks)
        tracks.push_back(count - 1);
    return tracks;
}

LoadOutcome RunLoadPath(const std::string& path, int firstTracks)
{
    LoadOutcome outcome;
    // The decoders over the file's bytes (a folder or a missing file has none).
    std::vector<std::uint8_t> bytes;
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    outcome.reader = ExerciseReader(bytes);

    // The track list, its texts and the three stream reports, through the load path the window
    // takes.
    std::ostringstream parseOut, parseErr;
    TitleSetLoadResult loaded = LoadTitleSet(path, {}, parseOut, parseErr);
    outcome.parsed = loaded.load.has_value();
    if (loaded.load)
        outcome.tracks = loaded.load->tracks;
    outcome.entries = TrackEntryLines(outcome.tracks);
    const int trackCount = outcome.tracks.TrackCount();
    for (const int track : TracksToWalk(trackCount, firstTracks))
        outcome.trackReports.push_back(TrackReportText(outcome.tracks, track));
    std::vector<int> all(static_cast<std::size_t>(trackCount));
    std::iota(all.begin(), all.end(), 0);
    outcome.allTracks = SumSelectedTracks(outcome.tracks, all);
    (void)SelectedCells(outcome.tracks, all);
    for (InfoReportKind kind : {InfoReportKind::Video, InfoReportKind::Audio, InfoReportKind::Subs}) {
        std::unique_ptr<ByteSource> source = loaded.load ? loaded.load->OpenIfo() : nullptr;
        outcome.infoReports.push_back(source ? BuildInfoReport(kind, *source, outcome.tracks) : std::nullopt);
    }

    // Bitrate Informations takes one snapshot of the file; the explorer then shows each of its
    // tracks in turn.
    std::ostringstream explorerErr;
    std::unique_ptr<ByteSource> explorerSource = loaded.load ? loaded.load->OpenIfo() : nullptr;
    ExplorerRead read =
        explorerSource
            ? ReadExplorerData(*explorerSource, outcome.entries, 0, explorerErr)
            : ExplorerRead{.data = std::nullopt, .error = ExplorerReadError::CannotRead, .trackCount = 0};
    if (read.data) {
        for (const int track : TracksToWalk(read.data->trackCount, firstTracks)) {
            read.data->currentTrack = track;
            outcome.profiles.push_back(ProfileColumns(*read.data, LoadOutcome::kProfileWidth));
        }
    }

    CalculatorController calculator;
    calculator.StartUp();
    if (loaded.load)
        RunChapters(*loaded.load, TracksToWalk(static_cast<int>(outcome.reader.times.size()), firstTracks),
                    calculator.State(), outcome);

    std::unique_ptr<ByteSource> vcdSource = loaded.load ? loaded.load->OpenIfo() : nullptr;
    outcome.vcdOpening = ReadVcdProjectOpening(vcdSource.get(), calculator.State());
    std::ostringstream vcdError;
    outcome.vcdSource = cli::ReadVcdSource(path, vcdError);
    outcome.vcdError = vcdError.str();
    return outcome;
}

} // namespace ratewise::test_support
