// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/control_builder.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

#include "ui/dialog_units.h"

namespace ratewise {

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
        m_groupStyle = QStyleFactory::create(QStringLiteral("Windows"));
        if (m_groupStyle != nullptr)
            m_groupStyle->setParent(m_dialog);
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
