// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's face: group boxes, labels and controls at their template positions. The
// controls are created in the order the Tab key visits them.
#include "app/main_dialog_controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "calc/medium_presets.h"
#include "ui/control_builder.h"
#include "ui/dialog_units.h"
#include "ui/fitted_text.h"
#include "ui/framed_line_edit.h"
#include "ui/mnemonic.h"
#include "ui/up_down_widget.h"

namespace ratewise {
namespace {

class Builder : public ControlBuilder
{
public:
    using ControlBuilder::ControlBuilder;

    FramedLineEdit* Field(const char* name, int x, int y, int width, int height)
    {
        auto* field = Place(new FramedLineEdit(Dialog()), name, x, y, width, height);
        field->setAlignment(Qt::AlignCenter);
        return field;
    }

    // Read-only digits: the count and the three track counts.
    QLineEdit* Counter(const char* name, int x, int y, int width, int height)
    {
        auto* field = Place(new QLineEdit(Dialog()), name, x, y, width, height);
        ShowAsReadOnly(field);
        field->setValidator(new QIntValidator(field));
        return field;
    }
};

} // namespace

MainDialogControls BuildMainDialogControls(QWidget* dialog, const DialogUnits& units)
{
    Builder b(dialog, units);
    MainDialogControls c;

    // Frames and labels first, so every control lies above them.
    QGroupBox* durationGroup = b.Group("Duration (h:m:s)", 4, 2, 90, 26);
    b.Label(":", 33, 13, 4, 8);
    b.Label(":", 61, 13, 4, 8);
    QGroupBox* mediaGroup = b.Group("Target Media (MB)", 4, 30, 90, 40);
    b.Label("x", 47, 56, 5, 8);
    b.Group("Audio (Kbps)", 4, 72, 90, 24);
    QLabel* audio1Label = b.Label("1:", 10, 83, 7, 8);
    QLabel* audio2Label = b.Label("2:", 50, 83, 7, 8);
    QGroupBox* formatGroup = b.Group("Format", 4, 98, 90, 20);
    QGroupBox* videoGroup = b.Group("Video Bitrate (Kbps)", 98, 2, 86, 26);
    QGroupBox* tracksGroup = b.Group("Video tracks (h:m:s .f)", 98, 46, 86, 72);
    b.Label("Cells:", 104, 88, 46, 8);
    b.Label("Audio Tracks:", 104, 97, 46, 8);
    b.Label("Subtitles:", 104, 106, 46, 8);
    QWidget* infoGroup = b.Group("More informations...", 192, 2, 82, 66);
    QWidget* projectGroup = b.Group("TMPGEnc", 192, 70, 82, 32);

    c.hours = b.Field("hoursEdit", 10, 12, 22, 11);
    c.minutes = b.Field("minutesEdit", 38, 12, 22, 11);
    c.seconds = b.Field("secondsEdit", 66, 12, 22, 11);

    c.preset = b.Place(new QComboBox(dialog), "presetCombo", 10, 40, 78, 12);
    for (const MediumPreset& preset : MediumPresets)
        c.preset->addItem(
            QString::fromUtf8(preset.label.data(), static_cast<qsizetype>(preset.label.size())));
    FitComboTexts(c.preset);
    c.size = b.Field("sizeEdit", 10, 55, 34, 11);
    c.count = b.Counter("countEdit", 54, 55, 22, 11);
    c.count->setAlignment(Qt::AlignCenter);
    c.countUpDown = b.Place(new UpDownWidget(dialog), "countUpDown", 76, 55, 9, 11);
    c.countUpDown->SetBuddy(c.count);

    c.audio1 = b.Field("audio1Edit", 18, 82, 26, 11);
    c.audio2 = b.Field("audio2Edit", 58, 82, 26, 11);

    c.aviDvd = b.Place(new QRadioButton(QStringLiteral("Avi/Dvd"), dialog), "aviDvdRadio", 10, 107, 40, 9);
    c.svcd = b.Place(new QRadioButton(QStringLiteral("(S)VCD"), dialog), "svcdRadio", 52, 107, 40, 9);

    c.video = b.Field("videoEdit", 104, 12, 46, 11);
    c.lock = b.Button("Lock", "lockButton", 154, 11, 24, 13);
    c.lock->setCheckable(true); // looks pressed while locked

    c.openIfo = b.Button("Open IFO file", "openIfoButton", 98, 31, 86, 13);

    c.tracks = b.Place(new QListWidget(dialog), "trackList", 104, 55, 74, 30);
    c.tracks->setSelectionMode(QAbstractItemView::ExtendedSelection);
    c.cells = b.Counter("cellsEdit", 152, 87, 26, 9);
    c.audioTracks = b.Counter("audioTracksEdit", 152, 96, 26, 9);
    c.subtitles = b.Counter("subtitlesEdit", 152, 105, 26, 9);
    for (QLineEdit* counter : {c.cells, c.audioTracks, c.subtitles}) {
        counter->setText(QStringLiteral("0"));
        counter->setFrame(false);
        // Shown for reading; the Tab key passes them by.
        counter->setFocusPolicy(Qt::ClickFocus);
    }

    c.videoInfo = b.Button("Video Informations", "videoInfoButton", 195, 11, 76, 10);
    c.audioInfo = b.Button("Audio Informations", "audioInfoButton", 195, 22, 76, 10);
    c.chaptersInfo = b.Button("Chapters Informations", "chaptersInfoButton", 195, 33, 76, 10);
    c.subsInfo = b.Button("Subs Informations", "subsInfoButton", 195, 44, 76, 10);
    c.bitrateInfo = b.Button("Bitrate Informations", "bitrateInfoButton", 195, 55, 76, 10);
    c.createVcd = b.Button("Create VCD Project", "createVcdButton", 195, 79, 76, 10);
    c.createSvcd = b.Button("Create SVCD Project", "createSvcdButton", 195, 90, 76, 10);
    c.createSvcd->setEnabled(false);
    c.progress = b.Place(new QProgressBar(dialog), "progressBar", 192, 104, 82, 4);
    c.progress->setTextVisible(false);
    c.progress->hide();
    c.about = b.Button("About Ratewise...", "aboutButton", 192, 108, 82, 11);

    // Mnemonics, one letter each on the window: D duration, M target media (the preset list),
    // 1 and 2 the audio fields, F format (the chosen one), B video bitrate, L Lock, O Open IFO
    // file, T video tracks; when open V, A, C, S and I (bItrate) the five information buttons,
    // P the VCD project, R About. The read-only counts, which Tab passes by, and the disabled
    // SVCD button get none.
    GiveMnemonic(durationGroup, u'D', {c.hours});
    GiveMnemonic(mediaGroup, u'M', {c.preset});
    GiveMnemonic(audio1Label, u'1', c.audio1);
    GiveMnemonic(audio2Label, u'2', c.audio2);
    GiveMnemonic(formatGroup, u'F', {c.aviDvd, c.svcd});
    GiveMnemonic(videoGroup, u'B', {c.video});
    GiveMnemonic(c.lock, u'L');
    GiveMnemonic(c.openIfo, u'O');
    GiveMnemonic(tracksGroup, u't', {c.tracks});
    GiveMnemonic(c.videoInfo, u'V');
    GiveMnemonic(c.audioInfo, u'A');
    GiveMnemonic(c.chaptersInfo, u'C');
    GiveMnemonic(c.subsInfo, u'S');
    GiveMnemonic(c.bitrateInfo, u'i');
    GiveMnemonic(c.createVcd, u'P');
    GiveMnemonic(c.about, u'R');

    c.openOnly = {infoGroup,  projectGroup,  c.videoInfo, c.audioInfo,  c.chaptersInfo,
                  c.subsInfo, c.bitrateInfo, c.createVcd, c.createSvcd, c.about};
    return c;
}

} // namespace ratewise
