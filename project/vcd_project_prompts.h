// SPDX-License-Identifier: GPL-3.0-or-later
// The message boxes and the save dialog of the Create VCD Project command. The program uses the
// platform's dialogs; window tests put in a recorder, since a real one would wait for a click.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace ratewise {

// How the "Browse..." button asks for the project file.
struct SaveFileRequest {
    QString nameFilter;    // Qt form: entries separated by ";;"
    QString defaultSuffix; // added to a name typed without one
    bool confirmOverwrite = false;
    QString defaultName; // the name (or path) the dialog starts on; empty for none
};

class VcdProjectPrompts
{
public:
    virtual ~VcdProjectPrompts() = default;
    // A message box with an OK button; returns when it is closed.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // The full path the user chose, nothing when the dialog was cancelled.
    virtual std::optional<QString> AskSaveFileName(QWidget* parent, const SaveFileRequest& request) = 0;
};

// The prompts in use: the platform's dialogs unless a test has put in its own.
VcdProjectPrompts& CurrentVcdProjectPrompts();

// Puts `prompts` in place for the lifetime of this object, then restores the previous ones.
class ScopedVcdProjectPrompts
{
public:
    explicit ScopedVcdProjectPrompts(VcdProjectPrompts& prompts);
    ~ScopedVcdProjectPrompts();
    ScopedVcdProjectPrompts(const ScopedVcdProjectPrompts&) = delete;
    ScopedVcdProjectPrompts& operator=(const ScopedVcdProjectPrompts&) = delete;

private:
    VcdProjectPrompts* m_previous;
};

} // namespace ratewise
