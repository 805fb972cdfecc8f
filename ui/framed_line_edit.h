// SPDX-License-Identifier: GPL-3.0-or-later
// An edit field that draws a two-pixel frame in the colour of its check along its inside edge,
// tells when it receives the keyboard focus, and takes a smaller font for a text wider than it.
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
    // Where the text is drawn: the field's text box, clear of the drawn frame.
    QRect TextBox() const;
    // Shows the whole text: the window's font when the text fits, else the largest smaller one
    // that fits. Typing does it by itself; a program that writes the text with its signals
    // blocked calls it after writing.
    void FitText();

signals:
    void FocusReceived();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor m_frameColour;
};

} // namespace ratewise
