// SPDX-License-Identifier: GPL-3.0-or-later
// The Create VCD Project dialog's face: four picture groups, the aspect ratio and encoding groups,
// the warning list and the destination, at their template positions.
#include "project/vcd_project_dialog_controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include "project/aspect_pictures.h"
#include "project/vcd_project_settings.h"
#include "ui/app_resources.h"
#include "ui/control_builder.h"
#include "ui/dialog_units.h"
#include "ui/fitted_text.h"

namespace ratewise {
namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class Builder : public ControlBuilder
{
public:
    using ControlBuilder::ControlBuilder;

    // The three pictures of one group at one place, letterboxed first, then squeezed, then full.
    std::array<QLabel*, 3> Pictures(const char* group, int x, int y)
    {
        static constexpr const char* kinds[] = {"Letterboxed", "Squeezed", "Full"};
        const QString paths[] = {LetterboxedPicturePath(), SqueezedPicturePath(), FullPicturePath()};
        std::array<QLabel*, 3> labels{};
        for (std::size_t i = 0; i < labels.size(); ++i) {
            auto* label = new QLabel(Dialog());
            label->setObjectName(
                QStringLiteral("%1%2Picture").arg(QLatin1String(group), QLatin1String(kinds[i])));
            Position(label, x, y, 55, 38);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setAlignment(Qt::AlignCenter);
            label->setPixmap(PicturePixmap(paths[i], Dialog()->devicePixelRatioF()));
            label->hide();
            labels[i] = label;
        }
        return labels;
    }

    QComboBox* DropDown(const char* name, int x, int y, int width)
    {
        return Place(new QComboBox(Dialog()), name, x, y, width, 12);
    }
};

} // namespace

VcdProjectDialogControls BuildVcdProjectDialogControls(QWidget* dialog, const DialogUnits& units)
{
    Builder b(dialog, units);
    VcdProjectDialogControls c;

    b.Group("Source", 5, 5, 64, 55);
    b.Group("Source Displayed", 72, 5, 64, 55);
    b.Group("Target", 139, 5, 64, 55);
    b.Group("Target Displayed", 206, 5, 64, 55);
    b.Group("Aspect Ratio", 5, 60, 131, 53);
    b.Label("Source Aspect Ratio:", 10, 75, 70, 10);
    b.Group("Encoding Parameters", 139, 60, 131, 68);
    b.Label("Video Bit Rate:", 175, 70, 50, 10);
    b.Label("Audio Bitrate:", 175, 85, 50, 10);
    b.Label("Quality:", 147, 99, 26, 10);
    b.Group("Destination File", 5, 193, 213, 30);

    c.pictures[kSourceGroup] = b.Pictures("source", 10, 15);
    c.pictures[kSourceDisplayedGroup] = b.Pictures("sourceDisplayed", 76, 15);
    c.pictures[kTargetGroup] = b.Pictures("target", 143, 15);
    c.pictures[kTargetDisplayedGroup] = b.Pictures("targetDisplayed", 210, 15);

    c.sourceAspect = b.Place(new QLineEdit(dialog), "sourceAspectEdit", 85, 75, 36, 12);
    ControlBuilder::ShowAsReadOnly(c.sourceAspect);

    c.conversion = b.DropDown("conversionCombo", 9, 89, 124);
    for (const std::string_view text : kAspectConversionTexts)
        c.conversion->addItem(ToQString(text));

    c.video = b.Place(new QLineEdit(dialog), "videoEdit", 225, 67, 40, 12);
    c.audio = b.DropDown("audioCombo", 225, 81, 40);
    for (const int kbps : kVcdAudioBitrates)
        c.audio->addItem(QString::number(kbps));
    c.quality = b.DropDown("qualityCombo", 179, 96, 86);
    for (const std::string_view text : kEncodeQualityTexts)
        c.quality->addItem(ToQString(text));

    for (QComboBox* list : {c.conversion, c.audio, c.quality})
        FitComboTexts(list);

    c.getFromRatewise = b.Button("Get from Ratewise", "getFromRatewiseButton", 144, 113, 56, 11);
    c.standardVcd = b.Button("Standard VCD", "standardVcdButton", 208, 113, 56, 11);

    c.warnings = b.Place(new QListWidget(dialog), "warningList", 5, 132, 264, 55);
    c.warnings->setSelectionMode(QAbstractItemView::NoSelection);
    c.warnings->setSortingEnabled(false);
    c.warnings->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    c.warnings->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    c.destination = b.Place(new QLineEdit(dialog), "destinationEdit", 10, 203, 155, 15);
    c.browse = b.Button("Browse...", "browseButton", 170, 203, 45, 15);
    c.ok = b.Button("OK", "okButton", 224, 193, 45, 14);
    c.ok->setDefault(true);
    c.cancel = b.Button("Cancel", "cancelButton", 224, 209, 45, 14);
    return c;
}

} // namespace ratewise
