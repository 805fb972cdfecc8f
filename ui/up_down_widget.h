// SPDX-License-Identifier: GPL-3.0-or-later
// A pair of arrow buttons that steps the integer in its buddy field: up adds one, down subtracts
// one, within 0 to 100. The Up and Down keys in the buddy step it too. Each step writes the new
// number into the buddy, which raises the buddy's own change signal.
#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace ratewise {

class UpDownWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;

    explicit UpDownWidget(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy);
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

    // Writes the buddy's number plus `delta`, kept within the range.
    void Step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QPointer<QLineEdit> m_buddy;
};

} // namespace ratewise
