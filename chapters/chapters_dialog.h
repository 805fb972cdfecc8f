// SPDX-License-Identifier: GPL-3.0-or-later
// The Chapters Informations window: a track's chapter starts in the form the format list
// chooses, and the optimal split of its chapters over the media.
#pragma once

#include <QDialog>

#include "chapters/chapter_list.h"
#include "chapters/optimal_split.h"

class QComboBox;
class QPlainTextEdit;

namespace ratewise {

class ChaptersDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Chapters Informations";
    // The format list's items, in the order of ChapterFormat.
    static constexpr const char* kFormatItems[3] = {
        "Show Start Time (VcdEasy / SVCD Compliant)",
        "Show Start Frame (for AviSynth-Trim)",
        "Show Start Second (for  BeSweet-split)",
    };

    // Keeps its own copies; nothing flows back to the caller.
    ChaptersDialog(ChapterList chapters, SplitPlan plan, QWidget* parent = nullptr);

    // The two texts as built, "\r\n" line ends and padding lines included.
    const std::string& ChapterText() const { return m_chapterText; }
    const std::string& SplitText() const { return m_splitText; }

private:
    void ShowFormat(int index);

    ChapterList m_chapters;
    SplitPlan m_plan;
    std::string m_chapterText;
    std::string m_splitText;
    QPlainTextEdit* m_chapterEdit;
    QPlainTextEdit* m_splitEdit;
    QComboBox* m_formats;
};

} // namespace ratewise
