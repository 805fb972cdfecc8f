// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the main window's progress bar from the optimal split's progress reports.
#pragma once

#include "chapters/optimal_split.h"

class QProgressBar;

namespace ratewise {

class ProgressBarSplitProgress final : public SplitProgress
{
public:
    explicit ProgressBarSplitProgress(QProgressBar* bar) : m_bar(bar) {}

    // Range 0 to `maximum` in steps of one, at the start, shown.
    void Begin(int maximum) override;
    void Step() override;
    // Hidden again until the next split.
    void End() override;

private:
    QProgressBar* m_bar;
};

} // namespace ratewise
