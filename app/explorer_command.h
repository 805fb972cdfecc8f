// The main window's "Bitrate Informations" command.
#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace ratewise {

// Takes the explorer's snapshot of the title set at `ifoPath` (its time map and each track's
// running time), with the main window's track lines as the track names and `focusedTrack` (from
// 0) shown first, and opens the Bitrate Explorer over `parent`, window-modal, deleting itself
// when closed. Opens nothing and returns null when no file is loaded, it cannot be read as a
// title set, it has no time map, or no track has the focus (-1); the main window stays usable.
QDialog* RunExplorerCommand(QWidget* parent, const QString& ifoPath, int focusedTrack,
                            const QStringList& trackLines);

} // namespace ratewise
