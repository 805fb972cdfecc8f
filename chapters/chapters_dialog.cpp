// SPDX-License-Identifier: GPL-3.0-or-later
// The Chapters Informations window, laid out from its template's dialog units. One row below the
// template's holds the names and language of the chapter files, "Save..." and the split plans.
#include "chapters/chapters_dialog.h"

#include <algorithm>
#include <functional>

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QValidator>

#include "chapters/chapter_text.h"
#include "chapters/chapters_dialog_languages.h"
#include "ui/dialog_units.h"
#include "ui/fitted_text.h"
#include "ui/focus_frame.h"
#include "ui/info_colours.h"

namespace ratewise {
namespace {

QPlainTextEdit* InfoEdit(QWidget* parent, const char* name)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    InfoColours::Prepare(edit);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    ShowFocusFrame(edit);
    return edit;
}

QGroupBox* Group(QWidget* parent, const QString& title, const char* name, QRect where)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(where);
    InfoColours::Apply(group);
    return group;
}

// Up to three letters, lowercased as typed; three make a whole ISO 639-2 code. An unfinished code
// gives way to the one in use when the field is left.
class LanguageValidator : public QValidator
{
public:
    LanguageValidator(QObject* parent, std::function<QString()> inUse)
        : QValidator(parent), m_inUse(std::move(inUse))
    {
    }
    State validate(QString& input, int&) const override
    {
        input = input.toLower();
        const bool letters = std::all_of(input.begin(), input.end(), [](QChar c) {
            return c >= QLatin1Char('a') && c <= QLatin1Char('z');
        });
        if (!letters || input.size() > 3)
            return Invalid;
        // Three letters that are no code are kept while typed, and give way when the field is left.
        return IsIso6392Code(input.toStdString()) ? Acceptable : Intermediate;
    }
    void fixup(QString& input) const override { input = m_inUse(); }

private:
    std::function<QString()> m_inUse;
};

} // namespace

ChaptersDialog::ChaptersDialog(ChapterList chapters, SplitPlan plan, QWidget* parent)
    : QDialog(parent), m_chapters(std::move(chapters)), m_plan(std::move(plan))
{
    setObjectName(QStringLiteral("chaptersDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    setFont(DialogFont(9));
    const DialogUnits units(font());

    Group(this, QStringLiteral("Chapters"), "chaptersGroup", units.Rect(7, 7, 116, 154));
    m_chapterEdit = InfoEdit(this, "chapterEdit");
    m_chapterEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_chapterEdit->setGeometry(units.Rect(11, 17, 106, 139));

    Group(this, QStringLiteral("Optimal Split"), "splitGroup", units.Rect(127, 7, 232, 130));
    m_splitEdit = InfoEdit(this, "splitEdit");
    m_splitEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_splitEdit->setGeometry(units.Rect(130, 17, 224, 115));

    m_formats = new QComboBox(this);
    m_formats->setObjectName(QStringLiteral("formatList"));
    for (const char* item : kFormatItems)
        m_formats->addItem(QString::fromLatin1(item));
    m_formats->setGeometry(units.Rect(127, 147, 178, 12));
    FitComboTexts(m_formats);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->setGeometry(units.Rect(309, 146, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_namesButton = new QPushButton(QStringLiteral("&Names..."), this);
    m_namesButton->setObjectName(QStringLiteral("namesButton"));
    m_namesButton->setGeometry(units.Rect(7, 164, 44, 14));
    connect(m_namesButton, &QPushButton::clicked, this, &ChaptersDialog::PickNames);

    auto* language = new QLabel(QStringLiteral("&Language:"), this);
    language->setGeometry(units.Rect(55, 167, 40, 8));
    m_language = new QLineEdit(QStringLiteral("und"), this);
    m_language->setObjectName(QStringLiteral("languageEdit"));
    m_language->setToolTip(QStringLiteral("Language of the chapter names, ISO 639-2"));
    m_language->setMaxLength(3);
    m_language->setValidator(new LanguageValidator(m_language, [this] {
        return m_fileChapters ? QString::fromStdString(m_fileChapters->language) : QStringLiteral("und");
    }));
    m_language->setGeometry(units.Rect(97, 165, 26, 12));
    language->setBuddy(m_language);
    connect(m_language, &QLineEdit::textEdited, this, &ChaptersDialog::SetLanguage);
    // Why a typed code is not taken, in the free space of the row.
    m_languageReason = new QLabel(this);
    m_languageReason->setObjectName(QStringLiteral("languageReason"));
    m_languageReason->setGeometry(units.Rect(127, 167, 116, 8));

    auto* save = new QPushButton(QStringLiteral("&Save..."), this);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setGeometry(units.Rect(247, 164, 50, 14));
    connect(save, &QPushButton::clicked, this, &ChaptersDialog::Save);

    // The split for the tools that cut: mkvmerge's and ffmpeg's arguments, or one chapter file
    // per medium in a form of the list.
    m_planButton = new QPushButton(QStringLiteral("Save &plan..."), this);
    m_planButton->setObjectName(QStringLiteral("planButton"));
    // Wider than "Save...": the menu arrow takes room beside the text.
    m_planButton->setGeometry(units.Rect(301, 164, 58, 14));
    auto* plans = new QMenu(m_planButton);
    plans->addAction(QStringLiteral("mkvmerge --split arguments..."), this,
                     [this] { SavePlanText(SplitTool::Mkvmerge); });
    plans->addAction(QStringLiteral("ffmpeg -ss/-to ranges..."), this,
                     [this] { SavePlanText(SplitTool::Ffmpeg); });
    plans->addSeparator();
    for (int i = kFirstFileForm; i < static_cast<int>(std::size(kFormatItems)); ++i) {
        const ChapterForm form = kChapterForms[i - kFirstFileForm];
        // "Show OGM Chapters (mkvmerge)" gives "Chapter files per medium: OGM Chapters (mkvmerge)...".
        const QString item = QString::fromLatin1(kFormatItems[i]).mid(5);
        plans->addAction(QStringLiteral("Chapter files per medium: %1...").arg(item), this,
                         [this, form] { SaveChaptersPerMedium(form); });
    }
    m_planButton->setMenu(plans);

    // Tab follows the screen: the two boxes, the row below them, then the files' row.
    QWidget* const order[] = {m_chapterEdit, m_splitEdit, m_formats, ok,
                              m_namesButton, m_language,  save,      m_planButton};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);

    setFixedSize(units.X(366), units.Y(185));
    EnableFileControls();

    // Window start: the first form, and the split as computed.
    m_formats->setCurrentIndex(0);
    m_splitText = m_plan.splitText;
    InfoColours::SetText(m_splitEdit, QString::fromStdString(m_splitText));
    ShowFormat(0);
    connect(m_formats, &QComboBox::currentIndexChanged, this, &ChaptersDialog::ShowFormat);
    ok->setFocus();
}

void ChaptersDialog::SetChapterFile(TimedChapters chapters, const QString& fileBase)
{
    m_fileChapters = std::move(chapters);
    m_fileBase = fileBase;
    m_language->setText(QString::fromStdString(m_fileChapters->language));
    EnableFileControls();
    ShowFormat(m_formats->currentIndex());
}

void ChaptersDialog::SetSplitCuts(SplitCuts cuts)
{
    m_cuts = std::move(cuts);
    EnableFileControls();
}

void ChaptersDialog::EnableFileControls()
{
    m_namesButton->setEnabled(m_fileChapters.has_value());
    m_language->setEnabled(m_fileChapters.has_value());
    m_planButton->setEnabled(m_fileChapters && m_cuts);
}

void ChaptersDialog::ShowFormat(int index)
{
    // The files' forms show one line per file line, in a fixed-width font, scrolling sideways;
    // the three lists wrap in the window's font.
    const bool fileForm = index >= kFirstFileForm;
    m_chapterEdit->setLineWrapMode(fileForm ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    m_chapterEdit->setHorizontalScrollBarPolicy(fileForm ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(font().pointSizeF());
    m_chapterEdit->setFont(fileForm ? fixed : font());
    if (fileForm) {
        const ChapterForm form = kChapterForms[index - kFirstFileForm];
        m_chapterText = m_fileChapters ? ChapterFormText(*m_fileChapters, form) : std::string();
        InfoColours::SetText(m_chapterEdit, QString::fromStdString(m_chapterText));
        return;
    }
    const auto format = index == 1   ? ChapterFormat::StartFrame
                        : index == 2 ? ChapterFormat::StartSecond
                                     : ChapterFormat::StartTime;
    m_chapterText = ratewise::ChapterText(m_chapters, format);
    InfoColours::SetText(m_chapterEdit, QString::fromStdString(m_chapterText));
}

std::string ChaptersDialog::SavedText() const
{
    const int index = m_formats->currentIndex();
    if (index >= kFirstFileForm)
        return m_chapterText;
    // The box's lines without its padding, with the line ends the box uses.
    const auto format = index == 1   ? ChapterFormat::StartFrame
                        : index == 2 ? ChapterFormat::StartSecond
                                     : ChapterFormat::StartTime;
    const std::vector<std::string>& lines = ChapterLines(m_chapters, format);
    std::string text;
    for (std::size_t i = 0;
         i < lines.size() && i < static_cast<std::size_t>(std::max(m_chapters.chapterCount, 0)); ++i)
        text += lines[i] + "\r\n";
    return text;
}

QString ChaptersDialog::DefaultFileName() const
{
    static constexpr const char* kEndings[kFirstFileForm] = {"start-times.txt", "start-frames.txt",
                                                             "start-seconds.txt"};
    const int index = m_formats->currentIndex();
    const char* ending = index >= kFirstFileForm
                             ? ChapterFormFileEnding(kChapterForms[index - kFirstFileForm])
                             : kEndings[std::max(index, 0)];
    const QString base = m_fileBase.isEmpty() ? QStringLiteral("chapters") : m_fileBase;
    return base + QLatin1Char('.') + QLatin1String(ending);
}

} // namespace ratewise
