// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli disc`: what a disc holds, a line per title and per title set.
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "cli/json_text.h"
#include "cli/title_set_input.h"
#include "disc/disc_texts.h"
#include "disc/opened_disc.h"
#include "encode/language_codes.h"
#include "ifo/audio_names.h"
#include "ifo/stream_attributes.h"

namespace ratewise::cli {
namespace {

// The set's audio and subtitle streams with their languages (ISO 639-2, "und" when unmarked).
void AddStreams(const TitleSetFile& set, nlohmann::json& entry)
{
    const std::unique_ptr<TitleSetInfo> info = ifoOpen(std::span<const std::uint8_t>(set.bytes));
    nlohmann::json audio = nlohmann::json::array();
    nlohmann::json subtitles = nlohmann::json::array();
    for (int k = 0; info && k < set.tracks.audioStreamCount; ++k) {
        if (const std::optional<AudioAttributes> a = ifoGetAudioAttributes(info.get(), k))
            audio.push_back({{"number", k + 1},
                             {"language", LanguageTag(a->language)},
                             {"coding", std::string(audioCodingName(a->codingMode))},
                             {"channels", a->channelCount},
                             {"commentary", IsCommentaryAudio(*a)}});
    }
    for (int k = 0; info && k < set.tracks.subpictureStreamCount; ++k) {
        if (const std::optional<SubpictureAttributes> s = ifoGetSubpictureAttributes(info.get(), k))
            subtitles.push_back({{"number", k + 1},
                                 {"language", LanguageTag(s->language)},
                                 {"commentary", IsCommentarySubpicture(*s)}});
    }
    entry["audio"] = audio;
    entry["subtitles"] = subtitles;
}

nlohmann::json DiscJson(const OpenedDisc& disc)
{
    nlohmann::json sets = nlohmann::json::array();
    for (const TitleSetFile& set : disc.titleSets) {
        nlohmann::json& entry = sets.emplace_back(nlohmann::json{
            {"number", set.number},
            {"file", set.file},
            {"tracks", set.tracks.TrackCount()},
            {"audioStreams", set.tracks.audioStreamCount},
            {"subpictureStreams", set.tracks.subpictureStreamCount},
        });
        AddStreams(set, entry);
    }
    nlohmann::json titles = nlohmann::json::array();
    for (const DiscTitle& title : disc.titles) {
        nlohmann::json& entry = titles.emplace_back(nlohmann::json{
            {"number", title.number},
            {"titleSet", title.titleSet},
            {"titleInSet", title.titleInSet},
            {"track", title.track},
            {"chapters", title.chapters},
            {"angles", title.angles},
            {"hours", title.hours},
            {"minutes", title.minutes},
            {"seconds", title.seconds},
            {"frames", title.frames},
            {"frameRate", title.frameRate},
            {"framesPerSecond", FrameRateNumber(title.frameRate == 25)},
        });
        // Keys a whole disc never needs are given only where they say something.
        if (title.missing) {
            entry["missing"] = true;
            continue;
        }
        entry["frameCount"] = title.frameCount;
        entry["durationSeconds"] = title.durationSeconds;
        if (!title.playAll.empty())
            entry["playAll"] = title.playAll;
        if (title.sameAs != 0)
            entry["sameAs"] = title.sameAs;
    }
    nlohmann::json json{
        {"source", disc.input.source},
        {"kind", DiscKindName(disc.input.kind)},
        {"label", disc.input.label},
        {"provider", disc.provider},
        {"longestTitle", disc.longestTitle},
        {"mainTitle", disc.mainTitle},
        {"episodes", disc.episodes},
        {"titleSets", sets},
        {"titles", titles},
    };
    if (disc.TitlesNumberedBySet()) {
        json["titlesNumberedBySet"] = true;
        json["longestTitleSet"] = disc.longestTitleSet;
        json["mainTitleSet"] = disc.mainTitleSet;
        json["episodesTitleSet"] = disc.episodesTitleSet;
    }
    return json;
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
                return static_cast<int>(kExitBadInput);
            }
            const OpenedDiscResult opened = OpenDisc(settings->path);
            // A lone title set the reader refuses is no disc either.
            if (!opened.disc || !opened.disc->titleSets.front().readable) {
                PrintError(err, settings->path,
                           opened.disc ? "not a title-set information file" : opened.why);
                return static_cast<int>(kExitBadInput);
            }
            const OpenedDisc& disc = *opened.disc;
            PrintDiscNotes(disc, err);
            if (settings->json) {
                out << JsonText(DiscJson(disc)) << "\n";
                return static_cast<int>(kExitOk);
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
            return static_cast<int>(kExitOk);
        };
    });
}

} // namespace ratewise::cli
