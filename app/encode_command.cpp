// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/encode_command.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include "encode/plan_script.h"
#include "encode/title_plan.h"
#include "encode/title_vobs.h"
#include "ifo/video_attributes.h"

namespace ratewise {

QString EncodeCommandScript(const LoadedTitleSet& loaded, const CalculatorState& state, QString& why)
{
    const int track = loaded.focusedTrack;
    if (loaded.ifoPath.isEmpty() || track < 0 || track >= loaded.tracks.TrackCount()) {
        why = QStringLiteral("No ifo file loaded");
        return {};
    }
    const std::string ifoPath = QFile::encodeName(loaded.ifoPath).toStdString();
    const TitleLookup lookup = LocateTitle(ifoPath, {false, track + 1});
    std::unique_ptr<TitleSetInfo> info = lookup.location ? ifoOpen(lookup.location->titleSetIfo) : nullptr;
    std::optional<std::vector<CellEntry>> cells = info ? ifoGetCells(info.get(), track) : std::nullopt;
    if (!cells) {
        why = QString::fromStdString(lookup.location ? "the track's cells cannot be read" : lookup.why);
        return {};
    }
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(info.get());
    std::unique_ptr<ByteSource> vobs = OpenTitleVobs(lookup.location->videoTsDir, lookup.location->titleSet);

    // The output beside wherever the script is run, named after the disc's folder.
    PlanRequest request;
    request.encoder = Encoder::HandBrake;
    QString name = QFileInfo(QString::fromStdString(DiscFolderOf(*lookup.location))).fileName();
    if (name.isEmpty() || name == QStringLiteral("VIDEO_TS"))
        name = QStringLiteral("title");
    request.output =
        QFile::encodeName(name + QStringLiteral("-%1.mkv").arg(lookup.location->title)).toStdString();

    const TitlePlanResult result =
        BuildTitlePlan({*info, *lookup.location, *cells, video && video->pal, vobs.get()}, state, request);
    if (result.media.empty()) {
        why = QString::fromStdString(result.why);
        return {};
    }
    return QString::fromStdString(PlanScript(request, result.media));
}

QString CopyEncodeCommand(QWidget* parent, const LoadedTitleSet& loaded, const CalculatorState& state)
{
    QString why;
    const QString script = EncodeCommandScript(loaded, state, why);
    if (script.isEmpty()) {
        auto* box =
            new QMessageBox(QMessageBox::Warning, QStringLiteral("Ratewise"), why, QMessageBox::Ok, parent);
        box->setObjectName(QStringLiteral("encodeCommandMessage"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return {};
    }
    QGuiApplication::clipboard()->setText(script);
    return script;
}

} // namespace ratewise
