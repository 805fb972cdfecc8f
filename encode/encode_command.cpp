// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/encode_command.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QToolTip>

#include "disc/loaded_track.h"
#include "encode/plan_script.h"
#include "encode/season_plan.h"
#include "encode/title_location.h"
#include "encode/title_plan.h"

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
    if (several && state.mediumCount > 1 && state.locked) {
        command.why =
            QStringLiteral("The calculator splits %1 tracks over %2 media at a locked bitrate; a plan "
                           "of several tracks gives each medium the bitrate that fills it. Unlock "
                           "the video bitrate, or set one medium.")
                .arg(tracks.size())
                .arg(state.mediumCount);
        return command;
    }
    std::unique_ptr<ByteSource> vobs = loaded.load->OpenTitleVobs();

    // Each track's place, tables and request: the output goes beside wherever the script runs,
    // named after the disc's folder or image and the title.
    std::vector<TitleLocation> locations;
    std::vector<LoadedTrack> opened;
    PlanRequest request;
    std::vector<PlanRequest> requests;
    for (const int track : tracks) {
        const QString prefix = several ? QStringLiteral("Track %1: ").arg(track + 1) : QString();
        TrackOpening opening = OpenLoadedTrack(*loaded.load, track);
        if (!opening.opened) {
            command.why = prefix + QStringLiteral("The track's cells cannot be read");
            return command;
        }
        opened.push_back(std::move(*opening.opened));
        locations.push_back(LocateTrack(*loaded.load, track));
        request = PlanRequest{};
        request.encoder = Encoder::HandBrake;
        QString name =
            QFileInfo(QFile::decodeName(locations.back().handBrakeInput.c_str())).completeBaseName();
        if (name.isEmpty())
            name = QStringLiteral("title");
        request.output =
            QFile::encodeName(name + QStringLiteral("-%1.mkv").arg(locations.back().title)).toStdString();
        if (state.locked)
            request.fixedVideoKbps = state.videoKbps;
        if (choice)
            ApplyChoice(*choice, loaded, locations.back(), several, request);
        requests.push_back(request);
    }
    const auto toPlan = [&](std::size_t i) {
        return TitleToPlan{*opened[i].info, locations[i], opened[i].cells, opened[i].pal, vobs.get()};
    };

    std::vector<MediumPlan> media;
    if (several && !state.locked) {
        // Several tracks share the media as a season's titles do: whole tracks over the media, each
        // medium's files at the one bitrate that fills it with their exact times and overheads.
        std::vector<SeasonTitle> titles;
        for (std::size_t i = 0; i < tracks.size(); ++i)
            titles.push_back({toPlan(i), requests[i], "track " + std::to_string(tracks[i] + 1)});
        const SeasonPlanResult season = BuildSeasonPlan(titles, state);
        if (season.files.empty()) {
            command.why = Sentence(season.why);
            return command;
        }
        if (!season.maximumNote.empty())
            command.warning = Sentence(season.maximumNote);
        media = season.files;
    } else {
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            const QString prefix = several ? QStringLiteral("Track %1: ").arg(tracks[i] + 1) : QString();
            const TitlePlanResult result = BuildTitlePlan(toPlan(i), state, requests[i]);
            if (result.media.empty()) {
                command.why = prefix + Sentence(result.why);
                return command;
            }
            if (!result.maximumNote.empty() && command.warning.isEmpty())
                command.warning = prefix + Sentence(result.maximumNote);
            media.insert(media.end(), result.media.begin(), result.media.end());
        }
    }
    // Locked, the tracks' files share the one medium: together they must fit on it, with every
    // file's own overhead and margins, or the copied plan would overfill it.
    if (several && state.locked) {
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
