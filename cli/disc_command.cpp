// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli disc`: what a disc holds, a line per title and per title set.
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "cli/json_text.h"
#include "cli/json_writer.h"
#include "cli/title_set_input.h"
#include "disc/disc_texts.h"
#include "disc/opened_disc.h"
#include "encode/language_codes.h"
#include "ifo/audio_names.h"
#include "ifo/stream_attributes.h"

namespace ratewise::cli {
namespace {

// The set's audio and subtitle streams with their languages (ISO 639-2, "und" when unmarked).
void WriteStreams(const TitleSetFile& set, JsonWriter& json)
{
    const std::unique_ptr<TitleSetInfo> info = ifoOpen(std::span<const std::uint8_t>(set.bytes));
    json.Key("audio").BeginArray();
    for (int k = 0; info && k < set.tracks.audioStreamCount; ++k) {
        if (const std::optional<AudioAttributes> a = ifoGetAudioAttributes(info.get(), k))
            json.BeginObject()
                .Member("number", k + 1)
                .Member("language", LanguageTag(a->language))
                .Member("coding", audioCodingName(a->codingMode))
                .Member("channels", a->channelCount)
                .Member("commentary", IsCommentaryAudio(*a))
                .EndObject();
    }
    json.EndArray().Key("subtitles").BeginArray();
    for (int k = 0; info && k < set.tracks.subpictureStreamCount; ++k) {
        if (const std::optional<SubpictureAttributes> s = ifoGetSubpictureAttributes(info.get(), k))
            json.BeginObject()
                .Member("number", k + 1)
                .Member("language", LanguageTag(s->language))
                .Member("commentary", IsCommentarySubpicture(*s))
                .EndObject();
    }
    json.EndArray();
}

std::string DiscJson(const OpenedDisc& disc)
{
    JsonWriter json;
    json.BeginObject().Key("titleSets").BeginArray();
    for (const TitleSetFile& set : disc.titleSets) {
        json.BeginObject()
            .Member("number", set.number)
            .Member("file", set.file)
            .Member("tracks", set.tracks.TrackCount())
            .Member("audioStreams", set.tracks.audioStreamCount)
            .Member("subpictureStreams", set.tracks.subpictureStreamCount);
        WriteStreams(set, json);
        json.EndObject();
    }
    json.EndArray().Key("titles").BeginArray();
    for (const DiscTitle& title : disc.titles) {
        json.BeginObject()
            .Member("number", title.number)
            .Member("titleSet", title.titleSet)
            .Member("titleInSet", title.titleInSet)
            .Member("track", title.track)
            .Member("chapters", title.chapters)
            .Member("angles", title.angles)
            .Member("hours", title.hours)
            .Member("minutes", title.minutes)
            .Member("seconds", title.seconds)
            .Member("frames", title.frames)
            .Member("frameRate", title.frameRate)
            .Member("framesPerSecond", FrameRateNumber(title.frameRate == 25));
        // Keys a whole disc never needs are given only where they say something.
        if (title.missing) {
            json.Member("missing", true).EndObject();
            continue;
        }
        json.Member("frameCount", title.frameCount).Member("durationSeconds", title.durationSeconds);
        if (!title.playAll.empty())
            json.Member("playAll", title.playAll);
        if (title.sameAs != 0)
            json.Member("sameAs", title.sameAs);
        json.EndObject();
    }
    json.EndArray()
        .Member("source", disc.input.source)
        .Member("kind", DiscKindName(disc.input.kind))
        .Member("label", disc.input.label)
        .Member("provider", disc.provider)
        .Member("longestTitle", disc.longestTitle)
        .Member("mainTitle", disc.mainTitle)
        .Member("episodes", disc.episodes);
    if (disc.TitlesNumberedBySet()) {
        json.Member("titlesNumberedBySet", true)
            .Member("longestTitleSet", disc.longestTitleSet)
            .Member("mainTitleSet", disc.mainTitleSet)
            .Member("episodesTitleSet", disc.episodesTitleSet);
    }
    json.Member("schemaVersion", kJsonSchemaVersion).EndObject();
    return json.Text();
}

} // namespace

void AddDiscCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        std::string path;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command = app.add_subcommand(
        "disc", "What a disc holds: its titles and title sets (image, drive, folder or VIDEO_TS.IFO)");
    command->add_option("DISC", settings->path, "An image, a drive, a folder, VIDEO_TS.IFO or VTS_xx_0.IFO")
        ->required();
    command->add_flag("--json", settings->json, "Print one JSON object");
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) {
            if (const std::string why = WhyNotReadable(settings->path, err); !why.empty()) {
                PrintError(err, settings->path.empty() ? "DISC" : settings->path, why);
                return FailureKind::BadInput;
            }
            const OpenedDiscResult opened = OpenDisc(settings->path);
            // A lone title set the reader refuses is no disc either.
            if (!opened.disc || !opened.disc->titleSets.front().readable) {
                PrintError(err, settings->path,
                           opened.disc ? "not a title-set information file" : opened.why);
                return FailureKind::BadInput;
            }
            const OpenedDisc& disc = *opened.disc;
            PrintDiscNotes(disc, err);
            if (settings->json) {
                out << DiscJson(disc) << "\n";
                return FailureKind::None;
            }
            std::string text = "Disc: " + disc.input.source + " (" + DiscKindName(disc.input.kind) + ")";
            if (!disc.input.label.empty())
                text += ", label " + disc.input.label;
            if (!disc.provider.empty())
                text += ", provider " + disc.provider;
            text += "\n";
            if (disc.TitlesNumberedBySet())
                text += std::string(kTitlesBySetLine) + "\n";
            for (const DiscTitle& title : disc.titles)
                text += DiscTitleLine(disc, title) + "\n";
            if (const std::string episodes = EpisodesLine(disc); !episodes.empty())
                text += episodes + "\n";
            for (const TitleSetFile& set : disc.titleSets)
                text += TitleSetLine(set) + "\n";
            out << text;
            return FailureKind::None;
        };
    });
}

} // namespace ratewise::cli
