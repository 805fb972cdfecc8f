// SPDX-License-Identifier: GPL-3.0-or-later
// What a user does to a window, done alike by every window test: typing over a field's text,
// resting the pointer on a control (what the tips wait for), dropping files on a window.
#pragma once

#include <QLineEdit>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace ratewise::test_support {

// Gives `field` the focus, selects its text and types `text` over it.
void Type(QLineEdit* field, const QString& text);

// Puts the pointer on `local` in `widget` and tells the widget so, as a real move would.
void RestPointer(QWidget* widget, QPoint local);
void RestPointerOn(QWidget* widget); // on its centre

// Drags `paths` onto `window` and drops them there.
void Drop(QWidget* window, const QStringList& paths);

} // namespace ratewise::test_support
