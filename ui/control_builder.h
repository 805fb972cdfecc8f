// SPDX-License-Identifier: GPL-3.0-or-later
// Places a dialog's controls at template positions given in dialog units: each control gets its
// object name (tests and the tips find controls by it) and its rectangle in pixels.
#pragma once

#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStyle;

namespace ratewise {

class DialogUnits;

class ControlBuilder
{
public:
    ControlBuilder(QWidget* dialog, const DialogUnits& units) : m_dialog(dialog), m_units(units) {}

    template <typename W> W* Place(W* widget, const char* name, int x, int y, int width, int height)
    {
        widget->setObjectName(QLatin1String(name));
        Position(widget, x, y, width, height);
        return widget;
    }

    // A group frame with its caption on the frame's top line, as the template's positions expect.
    QGroupBox* Group(const char* text, int x, int y, int width, int height);
    QLabel* Label(const char* text, int x, int y, int width, int height);
    // A push button that never becomes the default: Enter keeps its meaning for the dialog.
    QPushButton* Button(const char* text, const char* name, int x, int y, int width, int height);

    // A read-only field sits on the window's colour, not the white of an input.
    static void ShowAsReadOnly(QLineEdit* field);

protected:
    void Position(QWidget* widget, int x, int y, int width, int height) const;
    QWidget* Dialog() const { return m_dialog; }
    const DialogUnits& Units() const { return m_units; }

private:
    QWidget* m_dialog;
    const DialogUnits& m_units;
    QStyle* m_groupStyle = nullptr;
};

} // namespace ratewise
