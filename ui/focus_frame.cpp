// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/focus_frame.h"

#include <QEvent>
#include <QFrame>
#include <QPalette>

namespace ratewise {
namespace {

class FocusFrameFilter : public QObject
{
public:
    explicit FocusFrameFilter(QFrame* frame)
        : QObject(frame), m_shape(frame->frameShape()), m_shadow(frame->frameShadow()),
          m_lineWidth(frame->lineWidth()), m_width(frame->frameWidth()),
          m_windowText(frame->palette().color(QPalette::WindowText))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* frame = static_cast<QFrame*>(watched);
        if (event->type() == QEvent::FocusIn) {
            QPalette palette = frame->palette();
            palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
            frame->setPalette(palette);
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            frame->setLineWidth(m_width);
        } else if (event->type() == QEvent::FocusOut) {
            QPalette palette = frame->palette();
            palette.setColor(QPalette::WindowText, m_windowText);
            frame->setPalette(palette);
            frame->setFrameShape(m_shape);
            frame->setFrameShadow(m_shadow);
            frame->setLineWidth(m_lineWidth);
        }
        return false;
    }

private:
    QFrame::Shape m_shape;
    QFrame::Shadow m_shadow;
    int m_lineWidth;
    int m_width;
    QColor m_windowText;
};

} // namespace

void ShowFocusFrame(QFrame* frame)
{
    frame->installEventFilter(new FocusFrameFilter(frame));
}

} // namespace ratewise
