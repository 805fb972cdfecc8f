// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: name, version and greetings, with a chime when it opens.
#pragma once

#include <QDialog>

namespace ratewise {

class SoundPlayer;

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // `sound` may be null (no chime); it must outlive the chime, not the dialog.
    explicit AboutDialog(SoundPlayer* sound, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    SoundPlayer* m_sound;
    bool m_chimed = false;
};

} // namespace ratewise
