// The Chapters Informations window, laid out from its template's dialog units.
#include "chapters/chapters_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTextCursor>

#include "chapters/chapter_text.h"
#include "common/string_format.h"
#include "ui/dialog_units.h"

namespace ratewise {
namespace {

// The information windows draw their texts white on black character cells and leave every
// control's own background as it is; push buttons keep their usual look.
const QColor kInfoText(255, 255, 255);
const QColor kInfoTextBackground(0, 0, 0);

// Writes `text` into a read-only edit with the information windows' colours on its characters.
void ShowInfoText(QPlainTextEdit* edit, const std::string& text)
{
    edit->setPlainText(QString::fromStdString(ToPlainLineEnds(text)));
    QTextCharFormat colours;
    colours.setForeground(kInfoText);
    colours.setBackground(kInfoTextBackground);
    QTextCursor cursor(edit->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(colours);
}

// The same colours for the group boxes' captions.
void ColourCaption(QGroupBox* group)
{
    group->setStyleSheet(QStringLiteral("QGroupBox::title { color: %1; background-color: %2; }")
                             .arg(kInfoText.name(), kInfoTextBackground.name()));
}

QPlainTextEdit* InfoEdit(QWidget* parent, const char* name)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return edit;
}

QGroupBox* Group(QWidget* parent, const QString& title, const char* name, QRect where)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(where);
    ColourCaption(group);
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
    ShowInfoText(m_splitEdit, m_splitText);
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
    ShowInfoText(m_chapterEdit, m_chapterText);
}

} // namespace ratewise
