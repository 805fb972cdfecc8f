// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/track_list_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

#include "app/main_dialog.h"
#include "disc/disc_texts.h"
#include "disc/title_set_chooser_dialog.h"
#include "encode/title_location.h"
#include "ifo/track_texts.h"
#include "ui/balloon_tip_widget.h"
#include "ui/ifo_file_dialog.h"
#include "ui/info_dialog.h"

namespace ratewise {
namespace {

std::string FileName(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Replaces the list tip's text, in the given colour, and hides a tip that was showing.
void PutTrackTip(BalloonTip& tip, QWidget* list, const QColor& colour, const QString& text)
{
    tip.SetTipBkColor(colour);
    tip.DelTool(list, 0);
    tip.AddTool(list, text, std::nullopt, 0);
    tip.active = true;
    tip.Pop();
}

// What the window's caption names of a load: the disc's label, else its folder's or image's name,
// then the title set; a lone title set's file name.
QString LoadedName(const TitleSetLoad& load)
{
    // A folder called VIDEO_TS is named by the folder holding it; a relative path by where it is.
    const auto folderName = [](const QString& path) {
        const QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
        return info.fileName().compare(QStringLiteral("VIDEO_TS"), Qt::CaseInsensitive) == 0
                   ? info.dir().dirName()
                   : info.fileName();
    };
    const DiscInput& input = load.disc->input;
    if (input.kind == DiscKind::TitleSet) {
        const QFileInfo file(QFile::decodeName(input.titleSetPath.c_str()));
        return folderName(file.absolutePath()) + QLatin1Char('/') + file.fileName();
    }
    QString name = QString::fromStdString(input.label).trimmed();
    if (name.isEmpty()) {
        // A disc given by its manager file is named by the manager's folder, not by the file.
        const QFileInfo source(QFile::decodeName(input.source.c_str()));
        name = folderName(input.kind == DiscKind::Folder && !source.isDir() ? source.absolutePath()
                                                                            : source.filePath());
    }
    if (name.isEmpty()) // the root folder
        name = QFile::decodeName(input.source.c_str());
    return QStringLiteral("%1, title set %2").arg(name).arg(load.titleSet);
}

} // namespace

TrackListCommands::TrackListCommands(const MainDialogControls& controls, BalloonTip& trackTip, Hooks hooks,
                                     QWidget* window)
    : QObject(window), m_controls(controls), m_trackTip(trackTip), m_hooks(std::move(hooks)), m_window(window)
{
}

void TrackListCommands::SetReaderStreams(std::ostream& out, std::ostream& err)
{
    m_out = &out;
    m_err = &err;
}

void TrackListCommands::ResetList()
{
    m_controls.tracks->clear();
    m_controls.tracks->addItem(QStringLiteral("None."));
    m_controls.tracks->addItem(QStringLiteral("Drag IFO here"));
}

TitleSetChooserDialog* TrackListCommands::LoadIfo(const QString& path)
{
    // An empty path loads nothing and fails nothing, as the reader has always taken it.
    if (path.isEmpty()) {
        const QSignalBlocker blocker(m_controls.tracks);
        m_tracks.MarkEmpty();
        m_controls.tracks->clear();
        m_load.reset();
        m_hooks.showLoaded({});
        m_hooks.startSlide(true);
        OnTrackSelection();
        return nullptr;
    }
    OpenedDiscResult opened = OpenDisc(FileName(path));
    if (opened.disc && opened.disc->titleSets.size() > 1) {
        auto* chooser = new TitleSetChooserDialog(*opened.disc, m_window);
        chooser->setAttribute(Qt::WA_DeleteOnClose);
        connect(chooser, &QDialog::accepted, this, [this, chooser, disc = opened.disc] {
            if (const int set = chooser->ChosenTitleSet(); set != 0)
                LoadTitleSetOf(disc, set);
        });
        chooser->open();
        return chooser;
    }
    LoadTitleSetOf(opened.disc, 0, opened.why);
    return nullptr;
}

void TrackListCommands::LoadTitleSetOf(std::shared_ptr<const OpenedDisc> disc, int titleSet,
                                       const std::string& whyNoDisc)
{
    QListWidget* list = m_controls.tracks;
    // The list is filled and its first entry chosen without selection signals; the selection
    // handler runs once, at the end.
    const QSignalBlocker blocker(list);
    m_tracks.MarkEmpty();
    ResetList();
    m_load.reset();
    // The load parses into the list as it stands, so tables a title set lacks keep their values.
    TitleSetLoadResult result;
    result.why = whyNoDisc;
    if (disc)
        result = LoadTitleSet(std::move(disc), {titleSet, 0}, *m_out, *m_err, m_tracks);
    if (!result.load) {
        // The reason goes on the tip's second line, as the command line gives it.
        const std::string& why = result.why;
        QString text = QStringLiteral("Invalid ifo Loaded");
        if (!why.empty())
            text += QLatin1Char('\n') + QString::fromStdString(why);
        PutTrackTip(m_trackTip, list, QColor(255, 0, 0), text);
        m_hooks.showLoaded({});
        for (QLineEdit* count : {m_controls.cells, m_controls.audioTracks, m_controls.subtitles})
            count->setText(QStringLiteral("0"));
        m_hooks.startSlide(false);
        return;
    }
    m_load = std::move(result.load);
    m_tracks = m_load->tracks;
    m_hooks.showLoaded(LoadedName(*m_load));
    list->clear();
    for (const std::string& line : TrackEntryLines(m_tracks))
        list->addItem(QString::fromStdString(line));
    m_hooks.startSlide(true);
    if (list->count() > 0)
        list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    OnTrackSelection();
}

std::vector<int> TrackListCommands::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_controls.tracks->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TrackListCommands::ShowCounts(int cells)
{
    m_controls.cells->setText(QString::number(cells));
    m_controls.audioTracks->setText(QString::number(m_tracks.audioStreamCount));
    m_controls.subtitles->setText(QString::number(m_tracks.subpictureStreamCount));
}

void TrackListCommands::OnTrackSelection()
{
    const std::vector<int> rows = SelectedRows();
    // The counts refresh even when no track is loaded; the cells come from the table as the
    // last good load left it.
    ShowCounts(SelectedCells(m_tracks, rows));
    const std::optional<TrackDuration> duration = SumSelectedTracks(m_tracks, rows);
    if (!duration)
        return;
    m_hooks.tracksChosen(duration->hours, duration->minutes, duration->seconds);
    ShowTrackReport();
}

int TrackListCommands::FocusedTrack() const
{
    const int row = m_controls.tracks->currentRow();
    return row >= 0 && row < m_tracks.TrackCount() ? row : -1;
}

std::vector<int> TrackListCommands::SelectedTracks() const
{
    std::vector<int> rows = SelectedRows();
    std::erase_if(rows, [this](int row) { return row >= m_tracks.TrackCount(); });
    return rows;
}

void TrackListCommands::ShowTrackReport()
{
    m_trackTip.SetTipBkColor(QColor(0, 255, 0));
    m_trackTip.initialDelay = MainDialog::kTipInitialDelay;
    m_trackTip.autoHideTime = MainDialog::kTipAutoHide;
    // The focused entry, which in a multiple selection need not be a selected one.
    const int k = std::max(0, m_controls.tracks->currentRow());
    QString text = QString::fromStdString(TrackReportText(m_tracks, k));
    // Below the track report: the disc's title this track plays, as players number them.
    if (const int title = m_load && k < m_tracks.TrackCount() ? LocateTrack(*m_load, k).title : 0;
        title > 0) {
        text += QStringLiteral("\n------------------------------\nDisc title: %1").arg(title);
        // A play-all title or a repeat plays pictures other titles already hold.
        if (const DiscTitle* disc = m_load->disc->FindTitle(title, m_load->titleSet))
            if (const std::string structure = TitleStructureText(*disc); !structure.empty())
                text += QStringLiteral(" (%1)").arg(QString::fromStdString(structure));
    }
    PutTrackTip(m_trackTip, m_controls.tracks, QColor(0, 255, 0), text);
}

std::optional<QString> TrackListCommands::ChooseIfoFile()
{
    return IfoFileDialog::GetOpenFileName(m_window);
}

InfoDialog* TrackListCommands::ShowReport(InfoReportKind kind)
{
    std::unique_ptr<ByteSource> source = m_load ? m_load->OpenIfo() : nullptr;
    std::optional<InfoReport> report = source ? BuildInfoReport(kind, *source, m_tracks) : std::nullopt;
    if (!report)
        return nullptr;
    auto* dialog = new InfoDialog(kind, std::move(report->lines), m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace ratewise
