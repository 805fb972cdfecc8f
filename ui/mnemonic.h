// SPDX-License-Identifier: GPL-3.0-or-later
// Mnemonics: one letter of a control's text shown underlined, Alt+letter acting on the control.
// The text keeps its words; the marker is an '&' before the letter, and an '&' of the text itself
// is doubled so that it still shows as one.
#pragma once

#include <QChar>
#include <QString>

#include <vector>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QWidget;

namespace ratewise {

// `text` with the marker before the first `letter` (compared exactly); unchanged but for the
// doubled '&' when the text has no such letter.
QString WithMnemonic(const QString& text, QChar letter);
// The text as a control shows it: the marker dropped, "&&" shown as "&".
QString WithoutMnemonic(const QString& text);

// Alt+letter clicks the button.
void GiveMnemonic(QAbstractButton* button, QChar letter);
// Alt+letter moves the focus to the field the label names (its buddy).
void GiveMnemonic(QLabel* label, QChar letter, QWidget* buddy);
// Alt+letter moves the focus to the first control the group frames: the checked radio button
// among `controls` if there is one, else the first of them. The controls need not be the group's
// children (the template places them on the window beside it).
void GiveMnemonic(QGroupBox* group, QChar letter, std::vector<QWidget*> controls);

} // namespace ratewise
