// SPDX-License-Identifier: GPL-3.0-or-later
// The Chapters Informations window: a track's chapter starts in the form the format list
// chooses, and the optimal split of its chapters over the media.
#pragma once

#include <QDialog>

#include <optional>

#include "chapters/chapter_forms.h"
#include "chapters/chapter_list.h"
#include "chapters/optimal_split.h"
#include "chapters/split_export.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QPlainTextEdit;

namespace ratewise {

class ChaptersDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Chapters Informations";
    // The format list's items: the three ChapterFormat forms in their order, then the chapter
    // files of kChapterForms.
    static constexpr const char* kFormatItems[7] = {
        "Show Start Time (VcdEasy / SVCD Compliant)",
        "Show Start Frame (for AviSynth-Trim)",
        "Show Start Second (for  BeSweet-split)",
        "Show OGM Chapters (mkvmerge)",
        "Show Matroska XML (mkvmerge)",
        "Show FFmetadata (ffmpeg)",
        "Show Names CSV (HandBrake)",
    };
    static constexpr int kFirstFileForm = 3;

    // Keeps its own copies; nothing flows back to the caller.
    ChaptersDialog(ChapterList chapters, SplitPlan plan, QWidget* parent = nullptr);

    // The chapters a player shows, for the chapter-file forms, and the start of the names the
    // save dialog proposes ("VTS_01_track02" gives "VTS_01_track02.chapters.xml"). Until this is
    // called those forms show an empty box.
    void SetChapterFile(TimedChapters chapters, const QString& fileBase);
    // The split's cuts at exact times; until this is called (and SetChapterFile), "Save plan..."
    // is disabled.
    void SetSplitCuts(SplitCuts cuts);

    // The two texts as built: "\r\n" line ends and padding lines included for the three chapter
    // forms, the file's own text for the chapter-file forms.
    const std::string& ChapterText() const { return m_chapterText; }
    const std::string& SplitText() const { return m_splitText; }
    // What "Save..." writes of the form on show, and the name its dialog proposes.
    std::string SavedText() const;
    QString DefaultFileName() const;

private:
    void ShowFormat(int index);
    void EnableFileControls();
    // chapters_dialog_files.cpp: what the window reads and writes.
    void Save();
    void PickNames();
    void SetLanguage(const QString& code);
    enum class SplitTool { Mkvmerge, Ffmpeg };
    void SavePlanText(SplitTool tool);
    void SaveChaptersPerMedium(ChapterForm form);
    // Writes `text` to `path` in one step; on failure says why and returns false.
    bool WriteText(const QString& path, const std::string& text);

    ChapterList m_chapters;
    SplitPlan m_plan;
    std::optional<TimedChapters> m_fileChapters;
    std::optional<SplitCuts> m_cuts;
    QString m_fileBase;
    std::string m_chapterText;
    std::string m_splitText;
    QPlainTextEdit* m_chapterEdit;
    QPlainTextEdit* m_splitEdit;
    QComboBox* m_formats;
    QPushButton* m_namesButton;
    QLineEdit* m_language;
    QLabel* m_languageReason;
    QPushButton* m_planButton;
};

} // namespace ratewise
