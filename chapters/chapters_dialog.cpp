// SPDX-License-Identifier: GPL-3.0-or-later
// The Chapters Informations window, laid out from its template's dialog units.
#include "chapters/chapters_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "chapters/chapter_text.h"
#include "ui/dialog_units.h"
#include "ui/info_colours.h"

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
    m_formats->setGeometry(units.Rect(127, 147, 178, 12));

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

void ChaptersDialog::ShowFormat(int index)
{
    const auto format = index == 1   ? ChapterFormat::StartFrame
                        : index == 2 ? ChapterFormat::StartSecond
                                     : ChapterFormat::StartTime;
    m_chapterText = ratewise::ChapterText(m_chapters, format);
    InfoColours::SetText(m_chapterEdit, QString::fromStdString(m_chapterText));
}

} // namespace ratewise
