// SPDX-License-Identifier: GPL-3.0-or-later
// The title-set chooser: when a disc holds more than one title set, one entry per set (its number,
// its titles with their running times, its audio and subtitle counts), the set holding the disc's
// longest title preselected. Enter, OK or a double-click takes the selected set; Escape or Cancel
// takes none.
#pragma once

#include <QDialog>

#include "disc/opened_disc.h"

class QListWidget;

namespace ratewise {

class TitleSetChooserDialog : public QDialog
{
    Q_OBJECT

public:
    TitleSetChooserDialog(const OpenedDisc& disc, QWidget* parent);

    // The number of the selected set; 0 when none is selected.
    int ChosenTitleSet() const;

private:
    QListWidget* m_sets;
};

// The text of a set's entry: its line, then one indented line per title it holds.
QString TitleSetEntryText(const OpenedDisc& disc, const TitleSetFile& set);

} // namespace ratewise
