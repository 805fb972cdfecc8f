// SPDX-License-Identifier: GPL-3.0-or-later
// Bitrate Informations: the snapshot of the load, then the window.
#include "app/explorer_command.h"

#include "explorer/bitrate_explorer_window.h"

namespace ratewise {

QDialog* RunExplorerCommand(QWidget* parent, const LoadedTitleSet& loaded, const QStringList& trackLines)
{
    if (!loaded.load || loaded.tracks.Empty())
        return nullptr;
    std::vector<std::string> lines;
    for (const QString& line : trackLines)
        lines.push_back(line.toStdString());
    std::optional<ExplorerData> data = BuildExplorerData(loaded.tracks, lines, loaded.focusedTrack);
    if (!data)
        return nullptr;

    auto* window = new BitrateExplorerWindow(std::move(*data), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

} // namespace ratewise
