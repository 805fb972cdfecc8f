// SPDX-License-Identifier: GPL-3.0-or-later
// Painting and clicks of a colour swatch.
#include "explorer/colour_swatch_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace ratewise {

ColourSwatchWidget::ColourSwatchWidget(const QString& label, QPoint labelOrigin, QWidget* parent)
    : QWidget(parent), m_label(label), m_labelOrigin(labelOrigin), m_colour(Qt::black)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourSwatchWidget::SetColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

void ColourSwatchWidget::paintEvent(QPaintEvent*)
{
    // Drawn off-screen first and shown in one piece.
    QPixmap buffer(size());
    buffer.fill(palette().color(backgroundRole()));
    {
        QPainter painter(&buffer);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(m_colour);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(m_labelOrigin.x(), m_labelOrigin.y() + painter.fontMetrics().ascent(), m_label);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void ColourSwatchWidget::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ColourSwatchWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit Clicked();
}

} // namespace ratewise
