// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the Create VCD Project dialog, created and placed from its template's units.
#pragma once

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace ratewise {

class DialogUnits;

// The four groups of pictures, left to right.
enum PictureGroup : int { kSourceGroup, kSourceDisplayedGroup, kTargetGroup, kTargetDisplayedGroup };

struct VcdProjectDialogControls {
    // Per group, the three pictures stacked at one place, indexed by AspectPicture: letterboxed,
    // squeezed, full. Only one of them is shown at a time.
    std::array<std::array<QLabel*, 3>, 4> pictures{};
    QLineEdit* sourceAspect = nullptr;
    QComboBox* conversion = nullptr;
    QLineEdit* video = nullptr;
    QComboBox* audio = nullptr;
    QComboBox* quality = nullptr;
    QPushButton* getFromRatewise = nullptr;
    QPushButton* standardVcd = nullptr;
    QListWidget* warnings = nullptr;
    QLineEdit* destination = nullptr;
    QPushButton* browse = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// The template's size in dialog units.
inline constexpr int kVcdDialogWidthUnits = 274;
inline constexpr int kVcdDialogHeightUnits = 230;

// Creates every control on `dialog`, in tab order, with the lists filled.
VcdProjectDialogControls BuildVcdProjectDialogControls(QWidget* dialog, const DialogUnits& units);

} // namespace ratewise
