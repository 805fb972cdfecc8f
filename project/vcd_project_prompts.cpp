// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's message box and save dialog behind the project command's prompts.
#include "project/vcd_project_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace ratewise {
namespace {

class PlatformPrompts : public VcdProjectPrompts
{
public:
    void ShowMessage(QWidget* parent, const QString& text) override
    {
        // A plain box with the program's name as its title and one OK button.
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Ratewise"), text, QMessageBox::Ok, parent);
        box.exec();
    }

    std::optional<QString> AskSaveFileName(QWidget* parent, const SaveFileRequest& request) override
    {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(request.nameFilter);
        dialog.setDefaultSuffix(request.defaultSuffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        if (!request.defaultName.isEmpty())
            dialog.selectFile(request.defaultName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }
};

PlatformPrompts g_platformPrompts;
VcdProjectPrompts* g_currentPrompts = &g_platformPrompts;

} // namespace

VcdProjectPrompts& CurrentVcdProjectPrompts()
{
    return *g_currentPrompts;
}

ScopedVcdProjectPrompts::ScopedVcdProjectPrompts(VcdProjectPrompts& prompts) : m_previous(g_currentPrompts)
{
    g_currentPrompts = &prompts;
}

ScopedVcdProjectPrompts::~ScopedVcdProjectPrompts()
{
    g_currentPrompts = m_previous;
}

} // namespace ratewise
