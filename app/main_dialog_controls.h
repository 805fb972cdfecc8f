// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the main window, created and placed from the template's dialog units.
#pragma once

#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ratewise {

class DialogUnits;
class FramedLineEdit;
class UpDownWidget;

struct MainDialogControls {
    FramedLineEdit* hours = nullptr;
    FramedLineEdit* minutes = nullptr;
    FramedLineEdit* seconds = nullptr;
    QComboBox* preset = nullptr;
    FramedLineEdit* size = nullptr;
    QLineEdit* count = nullptr;
    UpDownWidget* countUpDown = nullptr;
    FramedLineEdit* audio1 = nullptr;
    FramedLineEdit* audio2 = nullptr;
    QRadioButton* aviDvd = nullptr;
    QRadioButton* svcd = nullptr;
    FramedLineEdit* video = nullptr;
    QPushButton* lock = nullptr;
    QPushButton* openIfo = nullptr;
    QListWidget* tracks = nullptr;
    QLineEdit* cells = nullptr;
    QLineEdit* audioTracks = nullptr;
    QLineEdit* subtitles = nullptr;
    QPushButton* videoInfo = nullptr;
    QPushButton* audioInfo = nullptr;
    QPushButton* chaptersInfo = nullptr;
    QPushButton* subsInfo = nullptr;
    QPushButton* bitrateInfo = nullptr;
    QPushButton* createVcd = nullptr;
    QPushButton* createSvcd = nullptr;
    QPushButton* about = nullptr;
    QProgressBar* progress = nullptr;
    // What lies beyond the closed width: seen only while the window is open.
    std::vector<QWidget*> openOnly;
};

// Widths of the template in dialog units: closed shows the calculator and the track list, open
// also the information and project groups and the About button. The height never changes.
inline constexpr int kClosedWidthUnits = 188;
inline constexpr int kOpenWidthUnits = 278;
inline constexpr int kHeightUnits = 121;

// Creates every control on `dialog`, in tab order.
MainDialogControls BuildMainDialogControls(QWidget* dialog, const DialogUnits& units);

} // namespace ratewise
