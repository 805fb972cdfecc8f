// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the project command's message boxes and save dialog: records what would have been
// shown and answers the save dialog with a name given beforehand.
#pragma once

#include <QStringList>

#include <optional>
#include <vector>

#include "project/vcd_project_prompts.h"

namespace ratewise {

class VcdPromptRecorder : public VcdProjectPrompts
{
public:
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    std::optional<QString> AskSaveFileName(QWidget*, const SaveFileRequest& request) override
    {
        requests.push_back(request);
        return nextFileName;
    }

    QStringList messages;
    std::vector<SaveFileRequest> requests;
    std::optional<QString> nextFileName; // nothing: the user cancels
};

} // namespace ratewise
