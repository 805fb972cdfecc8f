// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: start-up, the event table of its controls, the tips, the menu, drops.
#include "app/main_dialog.h"
#include "disc/title_set_chooser_dialog.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QUrl>

#include "app/chapters_action.h"
#include "app/explorer_command.h"
#include "app/track_list_commands.h"
#include "app/vcd_project_action.h"
#include "app/window_slide.h"
#include "encode/encode_command.h"
#include "encode/encode_dialog.h"
#include "ui/about_dialog.h"
#include "ui/app_resources.h"
#include "ui/balloon_tip_relay.h"
#include "ui/focus_frame.h"
#include "ui/framed_line_edit.h"
#include "ui/native_dialogs.h"
#include "ui/rgb_colour.h"

namespace ratewise {
namespace {

// Writes a text the program computed; the field raises no change signal, and an unchanged text
// is left alone so the cursor stays where the user put it.
void ShowText(QLineEdit* field, const QString& text)
{
    if (field->text() == text)
        return;
    const QSignalBlocker blocker(field);
    field->setText(text);
}

// The suggestion's tip may be wider than the others.
enum class TipWidth { Usual, Wide };

// Puts a new text on a field's tip, replacing the one it had: colour first (and the wide limit
// for the suggestion), the window's timing, then the tool itself; a tip that was showing hides and
// shows the new text the next time the pointer rests on the field.
void PutTipText(BalloonTip& tip, QWidget* field, const TipText& text, TipWidth width)
{
    tip.SetTipBkColor(ToQColor(TipColourRgb(text.colour)));
    if (width == TipWidth::Wide)
        tip.SetMaxTipWidth(CalculatorController::kSuggestionMaxWidth);
    tip.initialDelay = MainDialog::kTipInitialDelay;
    tip.autoHideTime = MainDialog::kTipAutoHide;
    tip.DelTool(field, 0);
    tip.AddTool(field, QString::fromStdString(text.text), std::nullopt, 0);
    tip.active = true;
    tip.Pop();
}

} // namespace

MainDialog::MainDialog(const QStringList& arguments, QWidget* parent)
    : QDialog(parent), m_units(DialogFont()), m_relay(nullptr), m_slide(nullptr), m_trackCommands(nullptr)
{
    setObjectName(QStringLiteral("mainDialog"));
    // A fixed-size window with a title, minimize and close, and a taskbar button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(ApplicationIcon());
    setFont(DialogFont());
    setAcceptDrops(true);
    setSizeGripEnabled(false);

    m_controls = BuildMainDialogControls(this, m_units);
    // Controls paint their own background, so their updates (a caret blinking, a button under
    // the pointer, a new text) do not make the window paint itself. Its paint recalculates, and
    // should run when the window is uncovered or resized, not after every keystroke.
    for (QWidget* child : findChildren<QWidget*>())
        child->setAutoFillBackground(true);
    const int closedWidth = m_units.X(kClosedWidthUnits);
    const int openWidth = m_units.X(kOpenWidthUnits);
    setFixedSize(closedWidth, m_units.Y(kHeightUnits));
    for (QWidget* widget : m_controls.openOnly)
        widget->hide();
    m_slide = new WindowSlide(this, closedWidth, openWidth, m_units.ScaledPixels(10));
    connect(m_slide, &WindowSlide::Finished, this, [this](bool open) {
        if (!open) {
            for (QWidget* widget : m_controls.openOnly)
                widget->hide();
        }
    });

    m_trackCommands =
        new TrackListCommands(m_controls, m_trackTip,
                              {[this](bool open) { StartSlide(open); },
                               [this](int h, int m, int s) { Apply(m_controller.TracksChosen(h, m, s)); },
                               [this](const QString& loaded) { ShowLoaded(loaded); }},
                              this);

    StartUp(arguments);
    Connect();
    ConnectKeys();
}

void MainDialog::ConnectKeys()
{
    // The window's menu from the keyboard: Shift+F10 anywhere, and the Menu key on the track
    // list as on the buttons; a field keeps its own editing menu for the Menu key.
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QWidget* focused = focusWidget() ? focusWidget() : this;
        PopUpWindowMenu(focused->mapToGlobal(focused->rect().center()));
    });
    m_controls.tracks->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_controls.tracks, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopUpWindowMenu(m_controls.tracks->mapToGlobal(at)); });
    ShowFocusFrame(m_controls.tracks);

    // The menu's shortcuts, and the "Open IFO file" button's.
    const auto key = [this](const QKeySequence& sequence, auto slot) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, slot);
    };
    key(QKeySequence(QString::fromLatin1(kEncodeCommandKey)),
        [this] { CopyEncodeCommand(this, Loaded(), State()); });
    key(QKeySequence(QString::fromLatin1(kEncodeKey)), [this] { OpenEncodeWindow(); });
    key(QKeySequence(QString::fromLatin1(kAboutKey)), [this] { OpenAboutBox(); });
    key(QKeySequence(QString::fromLatin1(kMinimizeKey)), [this] { showMinimized(); });
    key(QKeySequence(QString::fromLatin1(kOpenKey)), [this] { m_controls.openIfo->click(); });
}

MainDialog::~MainDialog() = default;

void MainDialog::StartUp(const QStringList& arguments)
{
    // Start values, first computation, "Avi/Dvd", the "0" of the second audio field.
    const CalculatorUpdate update = m_controller.StartUp();
    Apply(CalculatorUpdate{.showFields = update.showFields,
                           .presetIndex = update.presetIndex,
                           .mediumReport = std::nullopt,
                           .bitrateSuggestion = std::nullopt});
    {
        const QSignalBlocker blocker(m_controls.aviDvd);
        m_controls.aviDvd->setChecked(true);
    }

    // The track list's empty state.
    m_controls.tracks->clear();
    m_controls.tracks->addItem(QStringLiteral("None."));
    m_controls.tracks->addItem(QStringLiteral("Drag IFO here"));

    m_trackTip.Create(this);
    m_trackTip.active = true;
    m_trackTip.AddTool(m_controls.tracks, QStringLiteral("No ifo loaded"));
    m_trackTip.SetTipBkColor(QColor(255, 0, 0));

    m_mediumTip.Create(this);
    m_mediumTip.active = true;
    if (update.mediumReport)
        PutTipText(m_mediumTip, m_controls.size, *update.mediumReport, TipWidth::Usual);

    m_bitrateTip.Create(this);
    m_bitrateTip.active = true;
    if (update.bitrateSuggestion)
        PutTipText(m_bitrateTip, m_controls.video, *update.bitrateSuggestion, TipWidth::Wide);

    // Every event of the window and its controls reaches the tips first, in this order.
    m_relay = new BalloonTipRelay(this);
    m_relay->AddTip(&m_trackTip);
    m_relay->AddTip(&m_mediumTip);
    m_relay->AddTip(&m_bitrateTip);
    m_relay->Watch(this);

    if (!arguments.isEmpty()) {
        m_ifoPath = arguments.first();
        LoadIfo();
    }
}

void MainDialog::Connect()
{
    const MainDialogControls& c = m_controls;
    const auto edited = [this](FramedLineEdit* field, CalcField which) {
        connect(field, &QLineEdit::textChanged, this,
                [this, which](const QString& text) { OnFieldEdited(which, text); });
    };
    edited(c.hours, CalcField::Hours);
    edited(c.minutes, CalcField::Minutes);
    edited(c.seconds, CalcField::Seconds);
    edited(c.size, CalcField::MediumSize);
    edited(c.audio1, CalcField::Audio1);
    edited(c.audio2, CalcField::Audio2);
    edited(c.video, CalcField::Video);

    // Only the user's choice counts; choosing the entry already shown still rewrites the size.
    connect(c.preset, &QComboBox::activated, this,
            [this](int index) { Apply(m_controller.PresetChosen(index)); });
    // The up-down writes into the count field, which raises this.
    connect(c.count, &QLineEdit::textChanged, this,
            [this](const QString& text) { Apply(m_controller.CountChanged(text.toStdString())); });
    connect(c.aviDvd, &QRadioButton::clicked, this,
            [this] { Apply(m_controller.FormatChosen(FormatMode::AviDvd)); });
    connect(c.svcd, &QRadioButton::clicked, this,
            [this] { Apply(m_controller.FormatChosen(FormatMode::Svcd)); });
    connect(c.lock, &QPushButton::clicked, this, [this] {
        Apply(m_controller.LockClicked());
        const QSignalBlocker blocker(m_controls.lock);
        m_controls.lock->setChecked(State().locked);
    });
    const auto suggestOnFocus = [this] { Apply(m_controller.SuggestionRequested()); };
    connect(c.video, &FramedLineEdit::FocusReceived, this, suggestOnFocus);
    connect(c.audio2, &FramedLineEdit::FocusReceived, this, suggestOnFocus);
    connect(c.about, &QPushButton::clicked, this, [this] { OpenAboutBox(); });
    connect(c.chaptersInfo, &QPushButton::clicked, this,
            [this] { RunChaptersAction(this, Loaded(), State(), m_controls.progress); });
    connect(c.createVcd, &QPushButton::clicked, this, [this] { CreateVcdProject(); });

    connect(c.openIfo, &QPushButton::clicked, this, [this] {
        if (const std::optional<QString> path = m_trackCommands->ChooseIfoFile()) {
            m_ifoPath = *path;
            LoadIfo();
        }
    });
    connect(c.tracks, &QListWidget::itemSelectionChanged, m_trackCommands,
            &TrackListCommands::OnTrackSelection);
    const auto report = [this](QPushButton* button, InfoReportKind kind) {
        connect(button, &QPushButton::clicked, this, [this, kind] { m_trackCommands->ShowReport(kind); });
    };
    report(c.videoInfo, InfoReportKind::Video);
    report(c.audioInfo, InfoReportKind::Audio);
    report(c.subsInfo, InfoReportKind::Subs);
    connect(c.bitrateInfo, &QPushButton::clicked, this, [this] {
        QStringList lines;
        for (int row = 0; row < m_controls.tracks->count(); ++row)
            lines.append(m_controls.tracks->item(row)->text());
        RunExplorerCommand(this, Loaded(), lines);
    });
}

void MainDialog::OnFieldEdited(CalcField field, const QString& text)
{
    Apply(m_controller.FieldChanged(field, text.toStdString()));
}

void MainDialog::Apply(const CalculatorUpdate& update)
{
    if (update.showFields)
        ShowFields();
    if (update.presetIndex) {
        const QSignalBlocker blocker(m_controls.preset);
        m_controls.preset->setCurrentIndex(*update.presetIndex);
    }
    if (update.mediumReport)
        PutTipText(m_mediumTip, m_controls.size, *update.mediumReport, TipWidth::Usual);
    if (update.bitrateSuggestion)
        PutTipText(m_bitrateTip, m_controls.video, *update.bitrateSuggestion, TipWidth::Wide);
}

void MainDialog::ShowFields()
{
    const CalculatorState& state = State();
    const MainDialogControls& c = m_controls;
    const struct {
        FramedLineEdit* field;
        CalcField which;
    } fields[] = {
        {c.hours, CalcField::Hours},     {c.minutes, CalcField::Minutes}, {c.seconds, CalcField::Seconds},
        {c.size, CalcField::MediumSize}, {c.audio1, CalcField::Audio1},   {c.audio2, CalcField::Audio2},
        {c.video, CalcField::Video},
    };
    for (const auto& entry : fields) {
        ShowText(entry.field, QString::fromStdString(state.Text(entry.which)));
        entry.field->FitText();
        entry.field->SetFrameColour(ToQColor(FieldStateColour(state.fieldStates.Of(entry.which))));
    }
    ShowText(c.count, QString::number(state.mediumCount));
}

void MainDialog::ShowLoaded(const QString& loaded)
{
    // The name and version first; what is loaded follows them.
    const QString title = QString::fromLatin1(kTitle);
    setWindowTitle(loaded.isEmpty() ? title : title + QStringLiteral(" - ") + loaded);
}

void MainDialog::StartSlide(bool open)
{
    if (open) {
        for (QWidget* widget : m_controls.openOnly)
            widget->show();
    }
    m_slide->Start(open);
}

QMenu* MainDialog::CreateWindowMenu()
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("windowMenu"));
    // The window's own shortcuts are shown beside the entries; the window, not the menu, acts on them.
    const auto shown = [](QAction* action, const char* sequence) {
        action->setShortcut(QKeySequence(QString::fromLatin1(sequence)));
        action->setShortcutContext(Qt::WidgetShortcut);
        return action;
    };
    shown(menu->addAction(QStringLiteral("Minimize"), this, &QWidget::showMinimized), kMinimizeKey);
    menu->addAction(QStringLiteral("Close"), this, &QWidget::close);
    menu->addSeparator();
    QAction* encode = shown(menu->addAction(QString::fromLatin1(kEncodeCommandEntry)), kEncodeCommandKey);
    encode->setObjectName(QStringLiteral("encodeCommandAction"));
    connect(encode, &QAction::triggered, this, [this] { CopyEncodeCommand(this, Loaded(), State()); });
    QAction* run = shown(menu->addAction(QString::fromLatin1(kEncodeEntry)), kEncodeKey);
    run->setObjectName(QStringLiteral("encodeAction"));
    connect(run, &QAction::triggered, this, [this] { OpenEncodeWindow(); });
    menu->addSeparator();
    QAction* about = shown(menu->addAction(QString::fromLatin1(kAboutEntry)), kAboutKey);
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, [this] { OpenAboutBox(); });
    return menu;
}

QDialog* MainDialog::OpenAboutBox()
{
    auto* box = new AboutDialog(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

QDialog* MainDialog::CreateVcdProject()
{
    // The switch to "(S)VCD" happens whether or not a title set can be read.
    Apply(m_controller.FormatChosen(FormatMode::Svcd));
    m_controls.svcd->setChecked(true);
    return OpenVcdProjectDialog(this, m_trackCommands->Load(), State());
}

QDialog* MainDialog::OpenEncodeWindow()
{
    const LoadedTitleSet loaded = Loaded();
    if (!loaded.load || (loaded.selectedTracks.empty() && loaded.focusedTrack < 0)) {
        CurrentNativeDialogs().ShowMessage(this, QStringLiteral("No ifo file loaded"));
        return nullptr;
    }
    auto* window = new EncodeDialog(loaded, State(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

void MainDialog::paintEvent(QPaintEvent* event)
{
    // Each repaint recalculates, which redraws the field frames in their states' colours.
    Apply(m_controller.Repaint());
    QDialog::paintEvent(event);
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event)
{
    // The window manager owns the title bar's menu, so the window offers its own.
    PopUpWindowMenu(event->globalPos());
}

QMenu* MainDialog::PopUpWindowMenu(const QPoint& at)
{
    QMenu* menu = CreateWindowMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
    return menu;
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainDialog::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    // Only the first file counts.
    const QUrl& first = urls.first();
    const QString path = first.isLocalFile() ? first.toLocalFile() : first.toString();
    m_ifoPath = path.left(kMaxDroppedPathLength);
    event->acceptProposedAction();
    LoadIfo();
}

void MainDialog::keyPressEvent(QKeyEvent* event)
{
    // As in any dialog: Enter on a button presses it, Enter elsewhere and Escape close the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::LoadIfo()
{
    // Cancelling a disc's title-set chooser leaves the window as it was, the path included.
    if (QDialog* chooser = m_trackCommands->LoadIfo(m_ifoPath))
        connect(chooser, &QDialog::rejected, this, [this, previous = m_previousIfoPath] {
            m_ifoPath = previous;
            m_previousIfoPath = previous;
        });
    m_previousIfoPath = m_ifoPath;
}

LoadedTitleSet MainDialog::Loaded() const
{
    return {m_trackCommands->Tracks(), m_trackCommands->FocusedTrack(), m_ifoPath, m_trackCommands->Load(),
            m_trackCommands->SelectedTracks()};
}

} // namespace ratewise
