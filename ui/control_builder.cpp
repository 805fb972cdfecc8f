// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/control_builder.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

#include "ui/dialog_units.h"
#include "ui/fitted_text.h"

namespace ratewise {
namespace {

// The classic style sizes a group's caption box from rounded-down metrics; the box grows to the
// caption's fractional size, so the caption never loses a sliver at an edge.
class GroupCaptionStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override
    {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || part != SC_GroupBoxLabel || group == nullptr || widget == nullptr)
            return rect;
        const QSizeF text = QFontMetricsF(widget->font(), widget).size(Qt::TextShowMnemonic, group->text);
        rect.setWidth(std::max(rect.width(), static_cast<int>(std::ceil(text.width()))));
        rect.setHeight(std::max(rect.height(), static_cast<int>(std::ceil(text.height()))));
        return rect;
    }
};

} // namespace

void ControlBuilder::Position(QWidget* widget, int x, int y, int width, int height) const
{
    widget->setGeometry(m_units.Rect(x, y, width, height));
}

QGroupBox* ControlBuilder::Group(const char* text, int x, int y, int width, int height)
{
    auto* group = new QGroupBox(QString::fromLatin1(text), m_dialog);
    Position(group, x, y, width, height);
    // The classic style draws the caption on the frame's line; other styles put it above the
    // frame, across the controls. One style object serves every group of the dialog.
    if (m_groupStyle == nullptr) {
        if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
            m_groupStyle = new GroupCaptionStyle(classic);
            m_groupStyle->setParent(m_dialog);
        }
    }
    if (m_groupStyle != nullptr)
        group->setStyle(m_groupStyle);
    return group;
}

QLabel* ControlBuilder::Label(const char* text, int x, int y, int width, int height)
{
    auto* label = new QLabel(QString::fromLatin1(text), m_dialog);
    Position(label, x, y, width, height);
    return label;
}

QPushButton* ControlBuilder::Button(const char* text, const char* name, int x, int y, int width, int height)
{
    auto* button = Place(new QPushButton(QString::fromLatin1(text), m_dialog), name, x, y, width, height);
    button->setAutoDefault(false);
    FitButtonText(button);
    return button;
}

void ControlBuilder::ShowAsReadOnly(QLineEdit* field)
{
    field->setReadOnly(true);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
}

} // namespace ratewise
