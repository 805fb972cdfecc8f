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
#include "ifo/stream_reports.h"
#include "ifo/track_list.h"

namespace ratewise {

class BalloonTip;
class InfoDialog;

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
    };

    TrackListCommands(const MainDialogControls& controls, BalloonTip& trackTip, Hooks hooks, QWidget* window);

    // Loads the title set at path: the list shows its tracks and the first is selected, or, for a
    // file that is no title set, the red "Invalid ifo Loaded" tip and zero counts.
    void LoadIfo(const QString& path);
    // The track list's selection changed.
    void OnTrackSelection();
    // Puts the report of the focused track on the list's tip, in green.
    void ShowTrackReport();
    // The "Open IFO file" dialog: the chosen full path, or nothing on cancel.
    std::optional<QString> ChooseIfoFile();
    // Opens the report window of the title set at path (window-modal, deleted when closed) and
    // returns it; nothing, and no window, when the file cannot be opened.
    InfoDialog* ShowReport(InfoReportKind kind, const QString& path);

    const TrackList& Tracks() const { return m_tracks; }
    int FocusedTrack() const;

    // Where the reader's progress lines and diagnostics go (standard output and error).
    void SetReaderStreams(std::ostream& out, std::ostream& err);

private:
    std::vector<int> SelectedRows() const;
    void ShowCounts(int cells);
    void ResetList();

    MainDialogControls m_controls;
    BalloonTip& m_trackTip;
    Hooks m_hooks;
    QWidget* m_window;
    TrackList m_tracks;
    std::ostream* m_out = &std::cout;
    std::ostream* m_err = &std::cerr;
};

} // namespace ratewise
