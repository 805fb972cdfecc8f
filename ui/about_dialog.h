// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: name, version and greetings, with a chime when it opens.
#pragma once

#include <QDialog>

namespace ratewise {

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // The chime goes through the native-dialog seam's sound.
    explicit AboutDialog(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_chimed = false;
};

} // namespace ratewise
