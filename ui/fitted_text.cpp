// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts chosen so that fixed-size controls show their whole texts, measured with fractional
// metrics as the painter lays the text out.
#include "ui/fitted_text.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

#include "ui/mnemonic.h"

namespace ratewise {
namespace {

// A field keeps this many pixels between its text and either side of its contents.
constexpr int kFieldSideMargin = 2;

qreal WidestText(const QFont& font, const QStringList& texts, const QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    qreal widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// The font the control shows when nothing is set on it: its window's.
QFont WindowFont(const QWidget* control)
{
    return control->parentWidget() != nullptr ? control->parentWidget()->font() : control->font();
}

// Sets the fitted font, or lets the control follow its window's font again when that fits.
void ApplyFont(QWidget* control, const QFont& fitted)
{
    if (fitted == WindowFont(control))
        control->setFont(QFont());
    else
        control->setFont(fitted);
}

} // namespace

QFont FontFitting(const QFont& font, const QStringList& texts, qreal width, const QPaintDevice* device)
{
    QFont fitted = font;
    const qreal start = font.pointSizeF();
    if (start <= 0)
        return fitted;
    for (qreal size = start; size >= start / 2; size -= 0.5) {
        fitted.setPointSizeF(size);
        if (WidestText(fitted, texts, device) <= width)
            return fitted;
    }
    return fitted;
}

QRect ButtonTextBox(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (const auto* push = qobject_cast<const QPushButton*>(button)) {
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    return button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, button);
}

QRect ComboTextBox(const QComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    // The style draws the chosen entry one pixel in from either side of the field.
    return combo->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
        .adjusted(1, 0, -1, 0);
}

QRect FieldTextBox(const QLineEdit* field)
{
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->contentsRect();
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect contents = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    return contents.marginsRemoved(field->textMargins()).adjusted(kFieldSideMargin, 0, -kFieldSideMargin, 0);
}

void FitButtonText(QPushButton* button)
{
    // Measured as shown: a mnemonic's marker takes no room.
    ApplyFont(button, FontFitting(WindowFont(button), {WithoutMnemonic(button->text())},
                                  ButtonTextBox(button).width(), button));
}

void FitComboTexts(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    ApplyFont(combo, FontFitting(WindowFont(combo), texts, ComboTextBox(combo).width(), combo));
}

} // namespace ratewise
