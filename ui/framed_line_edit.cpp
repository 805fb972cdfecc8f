// SPDX-License-Identifier: GPL-3.0-or-later
// Frame painting and text fitting of the calculator's edit fields.
#include "ui/framed_line_edit.h"

#include <QPainter>

#include "ui/fitted_text.h"

namespace ratewise {

FramedLineEdit::FramedLineEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &FramedLineEdit::FitText);
}

QRect FramedLineEdit::TextBox() const
{
    // The drawn frame covers the field's edge, so the text keeps clear of it too.
    return FieldTextBox(this) & rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
}

void FramedLineEdit::FitText()
{
    const QFont window = parentWidget() != nullptr ? parentWidget()->font() : font();
    const QFont fitted = FontFitting(window, {text()}, TextBox().width(), this);
    if (fitted == font())
        return;
    setFont(fitted == window ? QFont() : fitted);
}

void FramedLineEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    FitText();
}

void FramedLineEdit::SetFrameColour(const QColor& colour)
{
    if (colour == m_frameColour)
        return;
    m_frameColour = colour;
    update();
}

void FramedLineEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!m_frameColour.isValid())
        return;
    // The frame covers the field's own border and the pixel inside it, so the state colour is
    // what the user sees as the field's outline.
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_frameColour);
    const QRect all = rect();
    const QRect inner = all.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
    QRegion frame(all);
    frame -= QRegion(inner);
    painter.setClipRegion(frame);
    painter.drawRect(all);
}

void FramedLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit FocusReceived();
}

} // namespace ratewise
