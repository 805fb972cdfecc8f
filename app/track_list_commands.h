// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's title-set side: loading a file into the track list, what a selection in the
// list does, the green track report on the list's tip, the "Open IFO file" dialog and the three
// stream report windows. The window owns this object and passes in its controls and tip.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <iostream>
#include <optional>
#include <vector>

#include "app/main_dialog_controls.h"
#include "disc/title_set_load.h"
#include "ifo/stream_reports.h"
#include "ifo/track_list.h"

namespace ratewise {

class BalloonTip;
class InfoDialog;
class TitleSetChooserDialog;

class TrackListCommands : public QObject
{
    Q_OBJECT

public:
    // What the window does for these commands.
    struct Hooks {
        // Slide the information panel open (valid file) or closed (invalid file).
        std::function<void(bool open)> startSlide;
        // The selected tracks' summed running time goes into the duration fields; recalculate,
        // then refresh the bitrate suggestion.
        std::function<void(int hours, int minutes, int seconds)> tracksChosen;
        // What is loaded, for the caption: the disc's label (or folder or file name) and title
        // set; empty when nothing is.
        std::function<void(const QString& loaded)> showLoaded;
    };

    TrackListCommands(const MainDialogControls& controls, BalloonTip& trackTip, Hooks hooks, QWidget* window);

    // Loads what path names through the one load path (a title set's .IFO, a disc's VIDEO_TS.IFO,
    // a folder, an image or a drive): the list shows the set's tracks and the first is selected,
    // or, for anything that is no title set, the red "Invalid ifo Loaded" tip (the reason on its
    // second line) and zero counts. A disc with several title sets first shows the chooser
    // (returned; nothing otherwise): taking a set loads it, cancelling leaves everything as it was.
    TitleSetChooserDialog* LoadIfo(const QString& path);
    // The track list's selection changed.
    void OnTrackSelection();
    // Puts the report of the focused track on the list's tip, in green.
    void ShowTrackReport();
    // The "Open IFO file" dialog: the chosen full path, or nothing on cancel.
    std::optional<QString> ChooseIfoFile();
    // Opens the report window of the loaded title set, read afresh (window-modal, deleted when
    // closed) and returns it; nothing, and no window, when its file cannot be opened.
    InfoDialog* ShowReport(InfoReportKind kind);

    const TrackList& Tracks() const { return m_tracks; }
    int FocusedTrack() const;
    // The selected entries that are tracks, in list order.
    std::vector<int> SelectedTracks() const;
    // The last load when it succeeded; nothing after a failed one.
    const TitleSetLoad* Load() const { return m_load ? &*m_load : nullptr; }

    // Where the reader's progress lines and diagnostics go (standard output and error).
    void SetReaderStreams(std::ostream& out, std::ostream& err);

private:
    std::vector<int> SelectedRows() const;
    void ShowCounts(int cells);
    void ResetList();
    // Loads the chosen set of an opened disc (or fails with the red tip when there is no disc).
    // `whyNoDisc` is the opening's reason when there is no disc.
    void LoadTitleSetOf(std::shared_ptr<const OpenedDisc> disc, int titleSet,
                        const std::string& whyNoDisc = {});

    MainDialogControls m_controls;
    BalloonTip& m_trackTip;
    Hooks m_hooks;
    QWidget* m_window;
    TrackList m_tracks;
    std::optional<TitleSetLoad> m_load;
    std::ostream* m_out = &std::cout;
    std::ostream* m_err = &std::cerr;
};

} // namespace ratewise
