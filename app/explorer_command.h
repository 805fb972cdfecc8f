// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Bitrate Informations" command.
#pragma once

#include <QStringList>

#include "disc/loaded_title_set.h"

class QDialog;
class QWidget;

namespace ratewise {

// Takes the explorer's snapshot of the loaded title set (the time map of the load, each track's
// running time from the track list), with `trackLines` (the main window's list entries) as the
// track names and the focused track shown first, and opens the Bitrate Explorer over `parent`,
// window-modal, deleting itself when closed. Opens nothing and returns null when no title set is
// loaded, its load found no time map, or no track has the focus; the main window stays usable.
QDialog* RunExplorerCommand(QWidget* parent, const LoadedTitleSet& loaded, const QStringList& trackLines);

} // namespace ratewise
