// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/encode_command.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QToolTip>

#include <cmath>

#include "encode/plan_script.h"
#include "encode/title_location.h"
#include "encode/title_plan.h"
#include "ifo/video_attributes.h"

namespace ratewise {
namespace {

// A message of the core starts in lower case, to follow a prefix; the window shows it as a
// sentence of its own.
QString Sentence(const std::string& text)
{
    QString sentence = QString::fromStdString(text);
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    return sentence;
}

void OpenMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    auto* box = new QMessageBox(icon, QStringLiteral("Ratewise"), text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("encodeCommandMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The window's choices; ffmpeg reads the track through `stream`, named as the user opened it.
void ApplyChoice(const EncodeChoice& choice, const LoadedTitleSet& loaded, const TitleLocation& location,
                 bool several, PlanRequest& request)
{
    request.encoder = choice.encoder;
    request.codec = choice.codec;
    request.audioCodec = choice.audioCodec;
    request.encoderPreset = choice.encoderPreset;
    request.choice = choice.streams;
    request.streamProgram = choice.streamProgram;
    request.source = QFile::encodeName(loaded.ifoPath).toStdString();
    request.byTitle = false;
    request.titleSet = location.titleSet;
    request.number = location.programChain + 1;
    QString name = choice.name;
    if (several) {
        const QFileInfo file(name);
        name = file.completeBaseName() + QStringLiteral("-%1").arg(location.programChain + 1) +
               (file.suffix().isEmpty() ? QString() : QStringLiteral(".") + file.suffix());
    }
    request.output = QFile::encodeName(QDir(choice.folder).filePath(name)).toStdString();
}

} // namespace

EncodeCommand BuildEncodeCommand(const LoadedTitleSet& loaded, const CalculatorState& state,
                                 const EncodeChoice* choice)
{
    EncodeCommand command;
    // The calculator answers for the selected tracks together; without a selection, for the
    // focused one.
    std::vector<int> tracks = loaded.selectedTracks;
    if (tracks.empty() && loaded.focusedTrack >= 0)
        tracks.push_back(loaded.focusedTrack);
    if (!loaded.load || tracks.empty()) {
        command.why = QStringLiteral("No ifo file loaded");
        return command;
    }
    const bool several = tracks.size() > 1;
    if (several && state.mediumCount > 1) {
        command.why = QStringLiteral("The calculator splits %1 tracks over %2 media; a plan splits one track "
                                     "at a time. Select one track, or set one medium.")
                          .arg(tracks.size())
                          .arg(state.mediumCount);
        return command;
    }
    std::unique_ptr<ByteSource> ifo = loaded.load->OpenIfo();
    std::unique_ptr<TitleSetInfo> info = ifo ? ifoOpen(*ifo) : nullptr;
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(info.get());
    std::unique_ptr<ByteSource> vobs = loaded.load->OpenTitleVobs();

    std::vector<MediumPlan> media;
    PlanRequest request;
    // Plans every track at `fixedKbps` (or filling the medium without one); false with
    // command.why set when a track has no plan.
    const auto planTracks = [&](std::optional<double> fixedKbps) {
        media.clear();
        for (const int track : tracks) {
            const QString prefix = several ? QStringLiteral("Track %1: ").arg(track + 1) : QString();
            const TitleLocation location = LocateTrack(*loaded.load, track);
            std::optional<std::vector<CellEntry>> cells =
                info ? ifoGetCells(info.get(), track) : std::nullopt;
            if (!cells) {
                command.why = prefix + QStringLiteral("The track's cells cannot be read");
                return false;
            }
            // The output goes beside wherever the script runs, named after the disc's folder or image.
            request = PlanRequest{};
            request.encoder = Encoder::HandBrake;
            QString name = QFileInfo(QFile::decodeName(location.handBrakeInput.c_str())).completeBaseName();
            if (name.isEmpty())
                name = QStringLiteral("title");
            request.output =
                QFile::encodeName(name + QStringLiteral("-%1.mkv").arg(location.title)).toStdString();
            request.fixedVideoKbps = fixedKbps;
            if (choice)
                ApplyChoice(*choice, loaded, location, several, request);
            const TitlePlanResult result =
                BuildTitlePlan({*info, location, *cells, video && video->pal, vobs.get()}, state, request);
            if (result.media.empty()) {
                command.why = prefix + Sentence(result.why);
                return false;
            }
            if (!result.maximumNote.empty() && command.warning.isEmpty())
                command.warning = prefix + Sentence(result.maximumNote);
            media.insert(media.end(), result.media.begin(), result.media.end());
        }
        return true;
    };
    // A locked bitrate is the user's. Several tracks share one bitrate: each planned alone first,
    // to learn what its file needs besides its video, then the one bitrate that fills the medium
    // once every file's audio, overhead and margins have their share.
    if (!planTracks(state.locked ? std::optional<double>(state.videoKbps) : std::nullopt))
        return command;
    if (several && !state.locked) {
        double besidesVideo = 0, seconds = 0;
        for (const MediumPlan& plan : media) {
            besidesVideo += PlannedBytes(plan) -
                            plan.videoBitsPerSecond * (1.0 + plan.toleranceMargin) * plan.share.seconds / 8.0;
            seconds += plan.share.seconds;
        }
        const double shared = (media.front().targetBytes - besidesVideo) * 8.0 / seconds /
                              (1.0 + media.front().toleranceMargin) / 1024.0;
        if (!(shared > 0)) {
            command.why =
                QStringLiteral("The tracks' audio and overhead leave no room for video on the medium");
            return command;
        }
        if (!planTracks(std::floor(shared * 1000.0) / 1000.0))
            return command;
    }
    // The tracks' files share the one medium: together they must fit on it, with every file's
    // own overhead and margins, or the copied plan would overfill it.
    if (several && !media.empty()) {
        double planned = 0;
        for (const MediumPlan& plan : media)
            planned += PlannedBytes(plan);
        if (planned > media.front().targetBytes) {
            command.why =
                QStringLiteral("The %1 tracks need about %2 bytes at the calculator's video bitrate, more "
                               "than the medium's %3: lower the bitrate, or choose a larger medium")
                    .arg(tracks.size())
                    .arg(planned, 0, 'f', 0)
                    .arg(media.front().targetBytes, 0, 'f', 0);
            return command;
        }
    }
    command.script = QString::fromStdString(PlanScript(request, media));
    command.media = media;
    command.request = request;
    command.trackCount = static_cast<int>(tracks.size());
    return command;
}

QString EncodeCommandScript(const LoadedTitleSet& loaded, const CalculatorState& state, QString& why)
{
    EncodeCommand command = BuildEncodeCommand(loaded, state);
    why = command.why;
    return command.script;
}

QString CopyEncodeCommand(QWidget* parent, const LoadedTitleSet& loaded, const CalculatorState& state)
{
    const EncodeCommand command = BuildEncodeCommand(loaded, state);
    if (command.script.isEmpty()) {
        OpenMessage(parent, QMessageBox::Warning, command.why);
        return {};
    }
    QGuiApplication::clipboard()->setText(command.script);
    const QString copied =
        command.trackCount > 1
            ? QStringLiteral("The encode plan of %1 tracks is on the clipboard.").arg(command.trackCount)
            : QStringLiteral("The encode plan is on the clipboard.");
    if (!command.warning.isEmpty())
        OpenMessage(parent, QMessageBox::Warning, copied + QStringLiteral("\n\n") + command.warning);
    else if (parent)
        QToolTip::showText(parent->mapToGlobal(parent->rect().center()), copied, parent);
    return command.script;
}

} // namespace ratewise
