// SPDX-License-Identifier: GPL-3.0-or-later
// Texts in controls whose size the window's template fixes. Where a text is wider than the room
// its control gives it at the window's font, the control takes the largest smaller font (in half
// points) that shows the text whole; a text that fits keeps the window's font.
#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPaintDevice;
class QPushButton;

namespace ratewise {

// The largest size of `font`, from its own down in half points, at which every one of `texts` is
// at most `width` pixels wide on `device`; half the font's size is the smallest tried.
QFont FontFitting(const QFont& font, const QStringList& texts, qreal width, const QPaintDevice* device);

// Where a control draws its text, as its style places it: a push or radio button's contents, a
// closed list's text field, a field's text area inside its frame and its 2-pixel side margins.
QRect ButtonTextBox(const QAbstractButton* button);
QRect ComboTextBox(const QComboBox* combo);
QRect FieldTextBox(const QLineEdit* field);

// The button's text inside its text box.
void FitButtonText(QPushButton* button);
// Every entry of the list inside the closed list's text box, whichever is chosen.
void FitComboTexts(QComboBox* combo);

} // namespace ratewise
