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
    dialog->setDefaultSuffix(QStringLiteral("ifo"));
    dialog->setNameFilters({QStringLiteral("Ifo files (*.ifo)"), QStringLiteral("All Files (*)")});
    return dialog;
}

std::optional<QString> IfoFileDialog::GetOpenFileName(QWidget* parent)
{
    if (g_hasNextAnswer) {
        g_hasNextAnswer = false;
        return std::exchange(g_nextAnswer, std::nullopt);
    }
    QFileDialog* dialog = Create(parent);
    std::optional<QString> chosen;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        chosen = QFileInfo(dialog->selectedFiles().first()).absoluteFilePath();
    delete dialog;
    return chosen;
}

void IfoFileDialog::SetNextAnswer(std::optional<QString> answer)
{
    g_hasNextAnswer = true;
    g_nextAnswer = std::move(answer);
}

} // namespace ratewise
