// SPDX-License-Identifier: GPL-3.0-or-later
// InfoColours: the colouring of the read-only information windows. The glyphs of their texts and
// group captions are white on black cells; the rest of each control keeps the window's own
// background, and push buttons look as usual.
#pragma once

#include <QColor>
#include <QString>

class QGroupBox;
class QPlainTextEdit;

namespace ratewise {

struct InfoColours {
    static QColor Text() { return QColor(255, 255, 255); }
    static QColor TextBackground() { return QColor(0, 0, 0); }

    // A read-only edit whose text can be selected and copied, on the window's background.
    static void Prepare(QPlainTextEdit* edit);
    // Replaces the edit's text ("\r\n" or "\n" line ends) and colours every character.
    static void SetText(QPlainTextEdit* edit, const QString& text);
    // The group box's caption in the same colours.
    static void Apply(QGroupBox* group);
};

} // namespace ratewise
