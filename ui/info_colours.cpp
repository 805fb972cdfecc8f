// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/info_colours.h"

#include <QGroupBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTextCursor>

namespace ratewise {

void InfoColours::Prepare(QPlainTextEdit* edit)
{
    edit->setReadOnly(true);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The edit's empty space shows the window's background, as a read-only edit does; only the
    // cells behind the characters are black.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    palette.setColor(QPalette::Text, Text());
    edit->setPalette(palette);
}

void InfoColours::SetText(QPlainTextEdit* edit, const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit->setPlainText(plain);
    QTextCharFormat format;
    format.setForeground(Text());
    format.setBackground(TextBackground());
    QTextCursor cursor(edit->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
}

void InfoColours::Apply(QGroupBox* group)
{
    group->setStyleSheet(QStringLiteral("QGroupBox::title { color: white; background-color: black; }"));
}

} // namespace ratewise
