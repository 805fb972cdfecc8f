// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/encode_command.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include "encode/plan_script.h"
#include "encode/title_location.h"
#include "encode/title_plan.h"
#include "ifo/video_attributes.h"

namespace ratewise {

QString EncodeCommandScript(const LoadedTitleSet& loaded, const CalculatorState& state, QString& why)
{
    const int track = loaded.focusedTrack;
    if (!loaded.load || track < 0 || track >= loaded.tracks.TrackCount()) {
        why = QStringLiteral("No ifo file loaded");
        return {};
    }
    const TitleLocation location = LocateTrack(*loaded.load, track);
    std::unique_ptr<ByteSource> ifo = loaded.load->OpenIfo();
    std::unique_ptr<TitleSetInfo> info = ifo ? ifoOpen(*ifo) : nullptr;
    std::optional<std::vector<CellEntry>> cells = info ? ifoGetCells(info.get(), track) : std::nullopt;
    if (!cells) {
        why = QStringLiteral("The track's cells cannot be read");
        return {};
    }
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(info.get());
    std::unique_ptr<ByteSource> vobs = loaded.load->OpenTitleVobs();

    // The output goes beside wherever the script runs, named after the disc's folder or image.
    PlanRequest request;
    request.encoder = Encoder::HandBrake;
    QString name = QFileInfo(QFile::decodeName(location.handBrakeInput.c_str())).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("title");
    request.output = QFile::encodeName(name + QStringLiteral("-%1.mkv").arg(location.title)).toStdString();

    const TitlePlanResult result =
        BuildTitlePlan({*info, location, *cells, video && video->pal, vobs.get()}, state, request);
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
