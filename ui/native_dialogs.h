// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's dialogs that wait for the user (open file, save file, colour, message box) and the
// one sound the program plays, behind one seam. The program uses the platform's; a test installs
// its own for its lifetime, since a real dialog would wait for a click and a real sound for a
// device.
#pragma once

#include <QColor>
#include <QString>
#include <QUrl>

#include <optional>

class QWidget;

namespace ratewise {

// How a file dialog is set up.
struct FileDialogRequest {
    QString nameFilter;            // Qt form: "Text files (*.txt);;All Files (*)"
    QString defaultSuffix;         // added to a name typed without one ("txt", no dot)
    bool confirmOverwrite = false; // save dialogs: ask before an existing file is chosen
    QString defaultName;           // the name (or path) the dialog starts on; empty for none
};

class NativeDialogs
{
public:
    virtual ~NativeDialogs() = default;

    // The full path of the file chosen to read, nothing when cancelled. Any name is accepted, so
    // a name that does not exist comes back and fails where it is opened.
    virtual std::optional<QString> AskOpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // The full path of the file chosen to write, nothing when cancelled.
    virtual std::optional<QString> AskSaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // A colour, the chooser starting from `initial`; nothing when cancelled.
    virtual std::optional<QColor> AskColour(QWidget* parent, const QColor& initial) = 0;
    // A box titled "Ratewise" with the text and an OK button; returns when it is closed.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // A box titled "Ratewise" with the question and Yes and No buttons, No the default; true for
    // Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& question) = 0;
    // Starts the sound and returns at once; a sound that cannot be played is not heard and not
    // reported.
    virtual void PlaySound(const QUrl& source) = 0;
};

// The dialogs in use: the platform's unless a ScopedNativeDialogs is alive.
NativeDialogs& CurrentNativeDialogs();

// Puts `dialogs` in place for the lifetime of this object, then restores the previous ones.
class ScopedNativeDialogs
{
public:
    explicit ScopedNativeDialogs(NativeDialogs& dialogs);
    ~ScopedNativeDialogs();
    ScopedNativeDialogs(const ScopedNativeDialogs&) = delete;
    ScopedNativeDialogs& operator=(const ScopedNativeDialogs&) = delete;

private:
    NativeDialogs* m_previous;
};

} // namespace ratewise
