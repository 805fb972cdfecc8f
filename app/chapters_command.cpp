// Chapters Informations: chapter list, then the split, then the window.
#include "app/chapters_command.h"

#include <QFile>

#include "app/progress_bar_split_progress.h"
#include "chapters/chapter_list_builder.h"
#include "chapters/chapters_dialog.h"
#include "chapters/optimal_split.h"

namespace ratewise {

QDialog* RunChaptersCommand(QWidget* parent, const QString& ifoPath, int track, const CalculatorState& state,
                            QProgressBar* progressBar)
{
    if (ifoPath.isEmpty() || track < 0)
        return nullptr;
    std::unique_ptr<TitleSetInfo> info = ifoOpen(QFile::encodeName(ifoPath).toStdString());
    if (!info)
        return nullptr;
    // The track's cell count and running time come from its program chain.
    std::optional<ChapterList> chapters = BuildChapterListOfTrack(*info, track);
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
