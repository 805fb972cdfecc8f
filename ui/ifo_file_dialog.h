// SPDX-License-Identifier: GPL-3.0-or-later
// The file-open dialog of the "Open IFO file" button, behind a seam: tests give the next answer
// instead of a dialog that would wait for a user.
#pragma once

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace ratewise {

class IfoFileDialog
{
public:
    // The dialog as the button shows it: default suffix "ifo", the filters "Ifo files (*.ifo)"
    // and "All Files (*)", any name accepted (no options, so a name that does not exist is
    // returned and then fails to load).
    static QFileDialog* Create(QWidget* parent);

    // The chosen full path, or nothing when the user cancels.
    static std::optional<QString> GetOpenFileName(QWidget* parent);

    // Tests: the next GetOpenFileName returns this without showing anything (nothing = cancel).
    static void SetNextAnswer(std::optional<QString> answer);
};

} // namespace ratewise
