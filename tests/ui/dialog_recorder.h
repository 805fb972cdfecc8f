// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for every native dialog and the sound while it exists: records what would have been
// shown and answers with what the test set beforehand (nothing: the user cancels).
#pragma once

#include <QStringList>

#include <vector>

#include "ui/native_dialogs.h"

namespace ratewise::test_support {

class DialogRecorder : public NativeDialogs
{
public:
    std::optional<QString> AskOpenFileName(QWidget*, const FileDialogRequest& request) override
    {
        openRequests.push_back(request);
        return nextOpenFileName;
    }
    std::optional<QString> AskSaveFileName(QWidget*, const FileDialogRequest& request) override
    {
        saveRequests.push_back(request);
        return nextSaveFileName;
    }
    std::optional<QColor> AskColour(QWidget*, const QColor& initial) override
    {
        colourStarts.push_back(initial);
        return nextColour;
    }
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    bool AskYesNo(QWidget*, const QString& question) override
    {
        questions << question;
        return nextAnswer;
    }
    void PlaySound(const QUrl& source) override { sounds.push_back(source); }

    std::optional<QString> nextOpenFileName;
    std::optional<QString> nextSaveFileName;
    std::optional<QColor> nextColour;
    bool nextAnswer = false; // No

    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<QColor> colourStarts;
    QStringList messages;
    QStringList questions;
    std::vector<QUrl> sounds;

private:
    ScopedNativeDialogs m_installed{*this};
};

} // namespace ratewise::test_support
