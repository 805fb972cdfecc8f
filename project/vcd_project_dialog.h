// SPDX-License-Identifier: GPL-3.0-or-later
// The Create VCD Project dialog: shows what the aspect conversion does to the picture, takes the
// audio and video bitrates, the quality and the destination, keeps the warning list up to date
// and on OK writes the encoder project through ProjectFileWriter.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <optional>

#include "project/aspect_pictures.h"
#include "project/vcd_project_dialog_controls.h"
#include "project/vcd_project_opening.h"
#include "project/vcd_project_settings.h"
#include "ui/dialog_units.h"

namespace ratewise {

class VcdProjectDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Create VCD Project";
    // The save dialog's filter and the extension it adds to a name typed without one.
    static constexpr const char* kNameFilter = "Tpr files (*.tpr);;All Files (*.*)";
    static constexpr const char* kDefaultSuffix = "tpr";

    explicit VcdProjectDialog(const VcdProjectOpening& opening, QWidget* parent = nullptr);

    // The fields as last read from the controls or set by the buttons. keep16x9Flag follows the
    // last warning refresh.
    const VcdProjectSettings& Settings() const { return m_settings; }
    int AudioIndex() const { return m_audioIndex; }
    // The picture each group shows; nothing for a group that shows none yet.
    std::array<std::optional<AspectPicture>, 4> ShownPictures() const;

private:
    void Connect();

    // Copies every control into its field, in the template's order. The video field must hold a
    // whole number from 0 to 10000: anything else shows the range message and stops the reading,
    // so the field and those after it keep their values. False then.
    bool ReadFields();
    // Copies every field into its control without raising the controls' change signals.
    void ShowFields();
    void RefreshPictures();
    void RefreshWarningList();

    void OnAudioChosen();
    void OnVideoEdited();
    void OnBrowse();
    void OnGetFromRatewise();
    void OnStandardVcd();
    void OnOk();

    DialogUnits m_units;
    VcdProjectDialogControls m_controls;

    VcdProjectSettings m_settings;
    int m_audioIndex;
    QString m_sourceAspectText;
    // What the video field shows: the accepted bitrate, or a calculator bitrate outside the
    // accepted range taken by "Get from Ratewise", which stays until something replaces it.
    long long m_videoShown;
    int m_calcAudioKbps;
    int m_calcVideoKbps;
};

} // namespace ratewise
