// SPDX-License-Identifier: GPL-3.0-or-later
// What the Chapters Informations window reads and writes: the names file, the form on show, the
// split plans and the chapter files per medium. Files are written in one step, so a failed write
// leaves an earlier file as it was.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include "chapters/chapter_names.h"
#include "chapters/chapters_dialog.h"
#include "chapters/chapters_dialog_languages.h"
#include "common/atomic_file.h"
#include "ui/native_dialogs.h"

namespace ratewise {
namespace {

std::optional<QString> AskSavePath(QWidget* parent, const QString& defaultName)
{
    FileDialogRequest request;
    request.nameFilter = QStringLiteral("All files (*)");
    request.confirmOverwrite = true;
    request.defaultName = defaultName;
    return CurrentNativeDialogs().AskSaveFileName(parent, request);
}

} // namespace

bool ChaptersDialog::WriteText(const QString& path, const std::string& text)
{
    std::string why;
    if (WriteFileAtomically(QFile::encodeName(path).toStdString(), AsBytes(text), why))
        return true;
    CurrentNativeDialogs().ShowMessage(
        this, QStringLiteral("Could not save %1: %2").arg(path, QString::fromStdString(why)));
    return false;
}

void ChaptersDialog::Save()
{
    if (const std::optional<QString> path = AskSavePath(this, DefaultFileName()))
        WriteText(*path, SavedText());
}

void ChaptersDialog::PickNames()
{
    if (!m_fileChapters)
        return;
    FileDialogRequest request;
    request.nameFilter = QStringLiteral("Text files (*.txt);;All files (*)");
    NativeDialogs& prompts = CurrentNativeDialogs();
    const std::optional<QString> path = prompts.AskOpenFileName(this, request);
    if (!path)
        return;
    std::string why;
    const std::optional<std::vector<std::string>> names =
        ReadChapterNamesFile(QFile::encodeName(*path).toStdString(), why);
    if (!names) {
        prompts.ShowMessage(this, QStringLiteral("Could not read chapter names from %1: %2")
                                      .arg(*path, QString::fromStdString(why)));
        return;
    }
    m_fileChapters->names = ChapterNames(m_fileChapters->starts.size(), *names);
    ShowFormat(m_formats->currentIndex());
}

void ChaptersDialog::SetLanguage(const QString& code)
{
    // Until the code is whole and known, the chapter files keep the one before; three letters
    // that are no code say so.
    const bool known = IsLanguageCode(code.toStdString()) && IsIso6392Code(code.toStdString());
    m_languageReason->setText(code.size() == 3 && !known
                                  ? QStringLiteral("\u201c%1\u201d is no ISO 639-2 code").arg(code)
                                  : QString());
    if (!m_fileChapters || !known)
        return;
    m_fileChapters->language = code.toStdString();
    ShowFormat(m_formats->currentIndex());
}

void ChaptersDialog::SavePlanText(SplitTool tool)
{
    if (!m_fileChapters || !m_cuts)
        return;
    const bool forMkvmerge = tool == SplitTool::Mkvmerge;
    const QString ending =
        forMkvmerge ? QStringLiteral(".mkvmerge-split.txt") : QStringLiteral(".ffmpeg-cuts.txt");
    if (const std::optional<QString> path = AskSavePath(this, m_fileBase + ending))
        WriteText(*path,
                  forMkvmerge ? MkvmergeSplitText(*m_cuts, *m_fileChapters) : FfmpegSplitText(*m_cuts));
}

void ChaptersDialog::SaveChaptersPerMedium(ChapterForm form)
{
    if (!m_fileChapters || !m_cuts)
        return;
    // The dialog names the first medium's file; the others take its name with their number:
    // "X.medium01.chapters.xml" (or "X.chapters.xml", or "X") gives "X.medium02.chapters.xml". A
    // name typed with another extension keeps it as the ending: "X.xml" gives "X.medium02.xml".
    QString ending = QLatin1Char('.') + QLatin1String(ChapterFormFileEnding(form));
    const QString medium01 = QStringLiteral(".medium01");
    FileDialogRequest request;
    request.nameFilter = QStringLiteral("All files (*)");
    request.defaultName = m_fileBase + medium01 + ending;
    // The files the set replaces are asked about together below, not the typed name alone.
    const std::optional<QString> path = CurrentNativeDialogs().AskSaveFileName(this, request);
    if (!path)
        return;
    QString stem = *path;
    const QFileInfo typed(stem);
    if (stem.endsWith(ending)) {
        stem.chop(ending.size());
    } else if (const QString suffix = typed.suffix(); !suffix.isEmpty() && !stem.endsWith(medium01)) {
        ending = QLatin1Char('.') + suffix;
        stem.chop(ending.size());
    }
    if (stem.endsWith(medium01))
        stem.chop(medium01.size());
    // Written as a set: a failure (a full disk) leaves every earlier file of the set as it was.
    const std::vector<TimedChapters> media = ChaptersPerMedium(*m_cuts, *m_fileChapters);
    std::vector<std::string> texts;
    std::vector<FileToWrite> files;
    QStringList replaced;
    texts.reserve(media.size());
    for (std::size_t m = 0; m < media.size(); ++m) {
        const QString name = stem + QStringLiteral(".medium%1").arg(m + 1, 2, 10, QLatin1Char('0')) + ending;
        if (QFileInfo::exists(name))
            replaced << name;
        texts.push_back(ChapterFormText(media[m], form));
        files.push_back({QFile::encodeName(name).toStdString(), AsBytes(texts.back())});
    }
    if (!replaced.isEmpty() &&
        !CurrentNativeDialogs().AskYesNo(
            this,
            QStringLiteral("%1 already exist%2:\n%3\nReplace %4?")
                .arg(replaced.size() == 1 ? QStringLiteral("This file") : QStringLiteral("These files"),
                     replaced.size() == 1 ? QStringLiteral("s") : QString(), replaced.join(QLatin1Char('\n')),
                     replaced.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"))))
        return;
    std::string failedPath, why;
    if (!WriteFilesAtomically(files, failedPath, why))
        CurrentNativeDialogs().ShowMessage(
            this, QStringLiteral("Could not save %1: %2")
                      .arg(QFile::decodeName(failedPath.c_str()), QString::fromStdString(why)));
}

} // namespace ratewise
