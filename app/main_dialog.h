// SPDX-License-Identifier: GPL-3.0-or-later
// The program's main window: the calculator, the track list, the buttons of the other windows and
// three balloon tips that explain what the fields show. Every calculator request goes through the
// CalculatorController; the window only shows what each request returns.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include "app/main_dialog_controls.h"
#include "calc/calculator_controller.h"
#include "common/version.h"
#include "disc/loaded_title_set.h"
#include "ui/balloon_tip_widget.h"
#include "ui/dialog_units.h"

class QMenu;

namespace ratewise {

class BalloonTipRelay;
class TrackListCommands;
class WindowSlide;

class MainDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Ratewise " RATEWISE_VERSION;
    static constexpr const char* kAboutEntry = "About Ratewise...";
    static constexpr const char* kEncodeCommandEntry = "Copy encode command";
    static constexpr const char* kEncodeEntry = "Encode...";
    // Shortcuts of the menu's entries and of "Open IFO file", in QKeySequence's portable form.
    static constexpr const char* kEncodeCommandKey = "Ctrl+Shift+C";
    static constexpr const char* kEncodeKey = "Ctrl+E";
    static constexpr const char* kAboutKey = "F1";
    static constexpr const char* kMinimizeKey = "Ctrl+M";
    static constexpr const char* kOpenKey = "Ctrl+O";
    // Tip timing the window sets with each new text.
    static constexpr int kTipInitialDelay = 100;
    static constexpr int kTipAutoHide = 30000;
    // A dropped path is cut to this many characters.
    static constexpr int kMaxDroppedPathLength = 255;

    // `arguments` are the command-line arguments after the program name; the first one is the
    // title set to load.
    explicit MainDialog(const QStringList& arguments, QWidget* parent = nullptr);
    ~MainDialog() override;

    const CalculatorState& State() const { return m_controller.State(); }
    const MainDialogControls& Controls() const { return m_controls; }
    BalloonTip& TrackTip() { return m_trackTip; }
    BalloonTip& MediumTip() { return m_mediumTip; }
    BalloonTip& BitrateTip() { return m_bitrateTip; }
    const QString& IfoPath() const { return m_ifoPath; }
    // The last title-set load: its tracks, the focused track and the file's path.
    LoadedTitleSet Loaded() const;
    TrackListCommands& TrackCommands() { return *m_trackCommands; }

    // Widens the window to show every group (open) or narrows it to the calculator and the track
    // list (closed), in steps of a 10 ms timer. The title-set loader calls it after each load.
    void StartSlide(bool open);
    const WindowSlide& Slide() const { return *m_slide; }

    // The window's menu: Minimize, Close, then "Copy encode command" and "Encode...", and the About
    // entry, each group after a separator.
    QMenu* CreateWindowMenu();
    // Opens that menu at `at` (global), deleting itself when closed, and returns it.
    QMenu* PopUpWindowMenu(const QPoint& at);
    // Opens the About box (window-modal) and returns it; it deletes itself when closed.
    QDialog* OpenAboutBox();
    // "Create VCD Project": switches to "(S)VCD", then opens the project dialog for the loaded
    // title set (window-modal, deleting itself when closed) and returns it, or null after "No
    // ifo file loaded".
    QDialog* CreateVcdProject();
    // "Encode...": opens the Encode window (window-modal, deleting itself when closed) for the
    // selected or focused tracks and returns it, or null after "No ifo file loaded".
    QDialog* OpenEncodeWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void StartUp(const QStringList& arguments);
    void Connect();
    void ConnectKeys();
    void Apply(const CalculatorUpdate& update);
    void ShowFields();
    void OnFieldEdited(CalcField field, const QString& text);
    void LoadIfo();
    void ShowLoaded(const QString& loaded);

    DialogUnits m_units;
    MainDialogControls m_controls;
    CalculatorController m_controller;
    BalloonTip m_trackTip;
    BalloonTip m_mediumTip;
    BalloonTip m_bitrateTip;
    BalloonTipRelay* m_relay;
    WindowSlide* m_slide;
    TrackListCommands* m_trackCommands;
    QString m_ifoPath;
    QString m_previousIfoPath; // the path of the window's last load, for a cancelled chooser
};

} // namespace ratewise
