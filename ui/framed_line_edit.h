// SPDX-License-Identifier: GPL-3.0-or-later
// An edit field that draws a two-pixel frame in the colour of its check along its inside edge,
// and tells when it receives the keyboard focus.
#pragma once

#include <QColor>
#include <QLineEdit>

namespace ratewise {

class FramedLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit FramedLineEdit(QWidget* parent = nullptr);

    // An invalid colour draws no frame. Repaints only when the colour changes.
    void SetFrameColour(const QColor& colour);
    QColor FrameColour() const { return m_frameColour; }

    // Width of the drawn frame in pixels.
    static constexpr int kFrameWidth = 2;

signals:
    void FocusReceived();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QColor m_frameColour;
};

} // namespace ratewise
