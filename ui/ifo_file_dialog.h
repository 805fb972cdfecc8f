// SPDX-License-Identifier: GPL-3.0-or-later
// The file-open dialog of the "Open IFO file" button, through the native-dialog seam.
#pragma once

#include <QString>

#include <optional>

#include "ui/native_dialogs.h"

class QWidget;

namespace ratewise {

class IfoFileDialog
{
public:
    // The dialog as the button shows it: the filters "Ifo files (*.ifo)" and "All Files (*.*)",
    // then "Discs and title sets" and "Every file (*)" for images without an extension; any name accepted (a
    // name that does not exist is returned and then fails to load). Its default extension is applied by
    // ResolveTypedName, not by the dialog.
    static FileDialogRequest Request();

    // The chosen full path, resolved by ResolveTypedName, or nothing when the user cancels.
    static std::optional<QString> GetOpenFileName(QWidget* parent);

    // A name typed without extension, such as "VTS_01_0": the name as typed when that file
    // exists, else with ".IFO" (how title sets are named on a disc) when that exists, else with
    // the default extension ".ifo". A name with an extension is left as typed.
    static QString ResolveTypedName(const QString& path);
};

} // namespace ratewise
