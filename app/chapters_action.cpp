// SPDX-License-Identifier: GPL-3.0-or-later
// Chapters Informations: chapter list, then the split, then the window.
#include "app/chapters_action.h"

#include <QFile>
#include <QFileInfo>

#include "app/progress_bar_split_progress.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/chapter_names.h"
#include "chapters/chapters_dialog.h"
#include "chapters/optimal_split.h"
#include "chapters/player_chapters.h"

namespace ratewise {
namespace {

// "VTS_01_track02" for track index 1 of VTS_01_0.IFO: the start of the proposed file names.
QString ChapterFileBase(const QString& ifoPath, int track)
{
    QString base = QFileInfo(ifoPath).completeBaseName();
    if (base.endsWith(QLatin1String("_0")))
        base.chop(2);
    return base + QStringLiteral("_track%1").arg(track + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

QDialog* RunChaptersAction(QWidget* parent, const LoadedTitleSet& loaded, const CalculatorState& state,
                           QProgressBar* progressBar)
{
    const TrackList& tracks = loaded.tracks;
    const int track = loaded.focusedTrack;
    if (loaded.ifoPath.isEmpty() || track < 0 || track >= tracks.TrackCount())
        return nullptr;
    // The cell count and running time are the loaded track list's; the cells themselves are read
    // from the file afresh.
    const auto index = static_cast<std::size_t>(track);
    const PlaybackTime runningTime{
        static_cast<std::uint8_t>(tracks.hours[index]), static_cast<std::uint8_t>(tracks.minutes[index]),
        static_cast<std::uint8_t>(tracks.seconds[index]), static_cast<std::uint8_t>(tracks.frames[index])};
    std::optional<ChapterList> chapters = BuildChapterList(QFile::encodeName(loaded.ifoPath).toStdString(),
                                                           track, tracks.Cells(track), runningTime);
    if (!chapters)
        return nullptr;

    ProgressBarSplitProgress progress(progressBar);
    SplitPlan plan = ComputeSplit(*chapters, state, progress);

    auto* dialog = new ChaptersDialog(std::move(*chapters), std::move(plan), parent);
    // The chapter-file forms list what a player shows: read from the same file, afresh.
    if (std::optional<PlayerChapters> player =
            ReadPlayerChapters(QFile::encodeName(loaded.ifoPath).toStdString(), track)) {
        TimedChapters file;
        file.rate = player->rate;
        file.names = ChapterNames(player->starts.size(), {});
        file.starts = std::move(player->starts);
        file.end = player->end;
        dialog->SetChapterFile(std::move(file), ChapterFileBase(loaded.ifoPath, track));
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace ratewise
