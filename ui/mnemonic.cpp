// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mnemonic.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>
#include <utility>

namespace ratewise {
namespace {

// A group box moves the focus only into its own children; this takes its mnemonic's shortcut
// event and moves the focus to the controls it frames on the window instead.
class GroupMnemonic : public QObject
{
public:
    GroupMnemonic(QGroupBox* group, std::vector<QWidget*> controls)
        : QObject(group), m_controls(std::move(controls))
    {
        group->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut || m_controls.empty())
            return QObject::eventFilter(watched, event);
        const auto checked = std::find_if(m_controls.begin(), m_controls.end(), [](QWidget* control) {
            const auto* radio = qobject_cast<QRadioButton*>(control);
            return radio != nullptr && radio->isChecked();
        });
        (checked != m_controls.end() ? *checked : m_controls.front())->setFocus(Qt::ShortcutFocusReason);
        return true;
    }

private:
    std::vector<QWidget*> m_controls;
};

} // namespace

QString WithMnemonic(const QString& text, QChar letter)
{
    QString marked = text;
    marked.replace(QLatin1Char('&'), QStringLiteral("&&"));
    // Searched in the marked text: a letter is never an '&', so doubled ones are passed by.
    const qsizetype at = marked.indexOf(letter);
    if (at >= 0)
        marked.insert(at, QLatin1Char('&'));
    return marked;
}

QString WithoutMnemonic(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i; // the marker goes; of "&&" one '&' stays
        shown += text.at(i);
    }
    return shown;
}

void GiveMnemonic(QAbstractButton* button, QChar letter)
{
    button->setText(WithMnemonic(button->text(), letter));
}

void GiveMnemonic(QLabel* label, QChar letter, QWidget* buddy)
{
    // Without a buddy a label would show the marker as an '&'.
    label->setBuddy(buddy);
    label->setText(WithMnemonic(label->text(), letter));
}

void GiveMnemonic(QGroupBox* group, QChar letter, std::vector<QWidget*> controls)
{
    group->setTitle(WithMnemonic(group->title(), letter));
    new GroupMnemonic(group, std::move(controls));
}

} // namespace ratewise
