// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's progress bar as the split's progress report.
#include "app/progress_bar_split_progress.h"

#include <QProgressBar>

namespace ratewise {

void ProgressBarSplitProgress::Begin(int maximum)
{
    m_bar->setRange(0, maximum);
    m_bar->setValue(0);
    m_bar->show();
}

void ProgressBarSplitProgress::Step()
{
    m_bar->setValue(m_bar->value() + 1);
}

void ProgressBarSplitProgress::End()
{
    m_bar->hide();
}

} // namespace ratewise
