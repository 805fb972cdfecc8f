// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ifo_file_dialog.h"

#include <QFileInfo>

namespace ratewise {

FileDialogRequest IfoFileDialog::Request()
{
    FileDialogRequest request;
    // "Ifo files" first and the default, then "All Files"; then discs and title sets, and every file,
    // since "*.*" hides an image without an extension.
    request.nameFilter = QStringLiteral("Ifo files (*.ifo);;All Files (*.*);;Discs and title sets (*.ifo "
                                        "*.iso VIDEO_TS.IFO);;Every file (*)");
    return request;
}

QString IfoFileDialog::ResolveTypedName(const QString& path)
{
    const QFileInfo typed(path);
    if (typed.exists() || !typed.suffix().isEmpty())
        return path;
    // On a case-sensitive file system the lowercase default alone would miss "VTS_01_0.IFO".
    const QString upper = path + QStringLiteral(".IFO");
    return QFileInfo::exists(upper) ? upper : path + QStringLiteral(".ifo");
}

std::optional<QString> IfoFileDialog::GetOpenFileName(QWidget* parent)
{
    std::optional<QString> chosen = CurrentNativeDialogs().AskOpenFileName(parent, Request());
    if (chosen)
        chosen = ResolveTypedName(*chosen);
    return chosen;
}

} // namespace ratewise
