// SPDX-License-Identifier: GPL-3.0-or-later
// InfoDialog: a small modal window that shows one stream report of the loaded title set in a
// read-only text, with an OK button. Laid out from the report's dialog template.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "ifo/stream_reports.h"

class QPlainTextEdit;

namespace ratewise {

class InfoDialog : public QDialog
{
    Q_OBJECT

public:
    // `lines` is the report's line table as the report built it; the window shows the text made
    // from it (lines before the end marker, padded to the window's minimum).
    InfoDialog(InfoReportKind kind, std::vector<std::string> lines, QWidget* parent = nullptr);

    static QString Title(InfoReportKind kind);
    QPlainTextEdit* TextEdit() const { return m_text; }

private:
    std::vector<std::string> m_lines;
    QPlainTextEdit* m_text;
};

} // namespace ratewise
