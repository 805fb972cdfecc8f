// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's dialogs and sound behind the native-dialog seam.
#include "ui/native_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "ui/sound_player.h"

namespace ratewise {
namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.nameFilter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.defaultName.isEmpty())
        dialog.selectFile(request.defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

class PlatformDialogs : public NativeDialogs
{
public:
    std::optional<QString> AskOpenFileName(QWidget* parent, const FileDialogRequest& request) override
    {
        return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
    }

    std::optional<QString> AskSaveFileName(QWidget* parent, const FileDialogRequest& request) override
    {
        return RunFileDialog(parent, request, QFileDialog::AcceptSave);
    }

    std::optional<QColor> AskColour(QWidget* parent, const QColor& initial) override
    {
        const QColor colour = QColorDialog::getColor(initial, parent);
        if (!colour.isValid())
            return std::nullopt;
        return colour;
    }

    void ShowMessage(QWidget* parent, const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Ratewise"), text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool AskYesNo(QWidget* parent, const QString& question) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Ratewise"), question,
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    void PlaySound(const QUrl& source) override { m_sound.Play(source); }

private:
    EffectSoundPlayer m_sound;
};

PlatformDialogs g_platformDialogs;
NativeDialogs* g_currentDialogs = &g_platformDialogs;

} // namespace

NativeDialogs& CurrentNativeDialogs()
{
    return *g_currentDialogs;
}

ScopedNativeDialogs::ScopedNativeDialogs(NativeDialogs& dialogs) : m_previous(g_currentDialogs)
{
    g_currentDialogs = &dialogs;
}

ScopedNativeDialogs::~ScopedNativeDialogs()
{
    g_currentDialogs = m_previous;
}

} // namespace ratewise
