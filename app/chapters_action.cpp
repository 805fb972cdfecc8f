// SPDX-License-Identifier: GPL-3.0-or-later
// Chapters Informations: chapter list, then the split, then the window.
#include "app/chapters_action.h"

#include <QFileInfo>

#include "app/progress_bar_split_progress.h"
#include "chapters/chapter_forms.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/chapters_dialog.h"
#include "chapters/optimal_split.h"
#include "chapters/player_chapters.h"
#include "chapters/split_export.h"

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

    // The chapter-file forms list what a player shows, and the split plans cut at exact times:
    // both read from the same file, afresh.
    std::unique_ptr<ByteSource> playerSource = loaded.load->OpenIfo();
    const std::optional<PlayerChapters> player =
        playerSource ? ReadPlayerChapters(*playerSource, track) : std::nullopt;
    std::optional<SplitCuts> cuts = player ? CutsOf(plan, *chapters, *player) : std::nullopt;

    auto* dialog = new ChaptersDialog(std::move(*chapters), std::move(plan), parent);
    if (player) {
        // Named after the title set's information file, wherever it lies.
        dialog->SetChapterFile(NamedChapters(player->rate, player->starts, player->end, {}),
                               ChapterFileBase(QString::fromStdString(loaded.load->name), track));
    }
    if (cuts)
        dialog->SetSplitCuts(std::move(*cuts));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace ratewise
