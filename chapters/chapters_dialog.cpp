// SPDX-License-Identifier: GPL-3.0-or-later
// The Chapters Informations window, laid out from its template's dialog units.
#include "chapters/chapters_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "chapters/chapter_text.h"
#include "project/atomic_file.h"
#include "ui/dialog_units.h"
#include "ui/info_colours.h"
#include "ui/native_dialogs.h"

namespace ratewise {
namespace {

QPlainTextEdit* InfoEdit(QWidget* parent, const char* name)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    InfoColours::Prepare(edit);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    m_formats->setGeometry(units.Rect(127, 147, 124, 12));

    auto* save = new QPushButton(QStringLiteral("Save..."), this);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setGeometry(units.Rect(255, 146, 50, 14));
    connect(save, &QPushButton::clicked, this, &ChaptersDialog::Save);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->setGeometry(units.Rect(309, 146, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.X(366), units.Y(168));

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
    ShowFormat(m_formats->currentIndex());
}

void ChaptersDialog::ShowFormat(int index)
{
    if (index >= kFirstFileForm) {
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

void ChaptersDialog::Save()
{
    FileDialogRequest request;
    request.nameFilter = QStringLiteral("All files (*)");
    request.confirmOverwrite = true;
    request.defaultName = DefaultFileName();
    NativeDialogs& prompts = CurrentNativeDialogs();
    const std::optional<QString> path = prompts.AskSaveFileName(this, request);
    if (!path)
        return;
    const std::string text = SavedText();
    std::string why;
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    if (!WriteFileAtomically(QFile::encodeName(*path).toStdString(), bytes, why))
        prompts.ShowMessage(this,
                            QStringLiteral("Could not save %1: %2").arg(*path, QString::fromStdString(why)));
}

} // namespace ratewise
