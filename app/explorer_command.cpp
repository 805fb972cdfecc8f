// Bitrate Informations: the snapshot, then the window.
#include "app/explorer_command.h"

#include <QFile>

#include <iostream>

#include "explorer/bitrate_explorer_window.h"
#include "explorer/explorer_source.h"

namespace ratewise {

QDialog* RunExplorerCommand(QWidget* parent, const QString& ifoPath, int focusedTrack,
                            const QStringList& trackLines)
{
    if (ifoPath.isEmpty() || focusedTrack < 0)
        return nullptr;
    std::vector<std::string> lines;
    for (const QString& line : trackLines)
        lines.push_back(line.toStdString());
    ExplorerRead read =
        ReadExplorerData(QFile::encodeName(ifoPath).toStdString(), lines, focusedTrack, std::cerr);
    if (!read.data)
        return nullptr;

    auto* window = new BitrateExplorerWindow(std::move(*read.data), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

} // namespace ratewise
