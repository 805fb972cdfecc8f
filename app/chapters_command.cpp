// SPDX-License-Identifier: GPL-3.0-or-later
// Chapters Informations: chapter list, then the split, then the window.
#include "app/chapters_command.h"

#include "app/progress_bar_split_progress.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/chapters_dialog.h"
#include "chapters/optimal_split.h"

namespace ratewise {

QDialog* RunChaptersCommand(QWidget* parent, const LoadedTitleSet& loaded, const CalculatorState& state,
                            QProgressBar* progressBar)
{
    const TrackList& tracks = loaded.tracks;
    const int track = loaded.focusedTrack;
    if (!loaded.load || track < 0 || track >= tracks.TrackCount())
        return nullptr;
    // The cell count and running time are the loaded track list's; the cells themselves are read
    // from the file afresh.
    const auto index = static_cast<std::size_t>(track);
    const PlaybackTime runningTime{
        static_cast<std::uint8_t>(tracks.hours[index]), static_cast<std::uint8_t>(tracks.minutes[index]),
        static_cast<std::uint8_t>(tracks.seconds[index]), static_cast<std::uint8_t>(tracks.frames[index])};
    std::unique_ptr<ByteSource> source = loaded.load->OpenIfo();
    std::unique_ptr<TitleSetInfo> info = source ? ifoOpen(*source) : nullptr;
    source.reset();
    if (!info)
        return nullptr;
    std::optional<ChapterList> chapters = BuildChapterList(*info, track, tracks.Cells(track), runningTime);
    ifoClose(std::move(info));
    if (!chapters)
        return nullptr;

    ProgressBarSplitProgress progress(progressBar);
    SplitPlan plan = ComputeSplit(*chapters, state, progress);

    auto* dialog = new ChaptersDialog(std::move(*chapters), std::move(plan), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace ratewise
