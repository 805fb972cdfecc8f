// SPDX-License-Identifier: GPL-3.0-or-later
// A small labelled colour box that reports clicks: the Bitrate Explorer shows one per chart
// colour ("BG", "FG", "AX").
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace ratewise {

class ColourSwatchWidget : public QWidget
{
    Q_OBJECT

public:
    // `label` is drawn with its top-left corner at `labelOrigin`.
    ColourSwatchWidget(const QString& label, QPoint labelOrigin, QWidget* parent);

    void SetColour(const QColor& colour);
    QColor Colour() const { return m_colour; }
    const QString& Label() const { return m_label; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_label;
    QPoint m_labelOrigin;
    QColor m_colour;
    bool m_pressed = false;
};

} // namespace ratewise
