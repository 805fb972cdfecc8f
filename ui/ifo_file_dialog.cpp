// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ifo_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include <utility>

namespace ratewise {
namespace {

// Set by tests: whether an answer is waiting, and which.
bool g_hasNextAnswer = false;
std::optional<QString> g_nextAnswer;

} // namespace

QFileDialog* IfoFileDialog::Create(QWidget* parent)
{
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QStringLiteral("ifoFileDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters({QStringLiteral("Ifo files (*.ifo)"), QStringLiteral("All Files (*.*)")});
    return dialog;
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
    std::optional<QString> chosen;
    if (g_hasNextAnswer) {
        g_hasNextAnswer = false;
        chosen = std::exchange(g_nextAnswer, std::nullopt);
    } else {
        QFileDialog* dialog = Create(parent);
        if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
            chosen = QFileInfo(dialog->selectedFiles().first()).absoluteFilePath();
        delete dialog;
    }
    if (chosen)
        chosen = ResolveTypedName(*chosen);
    return chosen;
}

void IfoFileDialog::SetNextAnswer(std::optional<QString> answer)
{
    g_hasNextAnswer = true;
    g_nextAnswer = std::move(answer);
}

} // namespace ratewise
