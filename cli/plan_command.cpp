// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli plan SOURCE (--title T | --track N) [calculator options] --encoder handbrake|ffmpeg
// [--codec x264|x265] [--audio-codec aac|ac3|copy] [--encoder-preset P] -o OUTPUT [--json | --run]`:
// the two-pass encode that fills the calculator's media, as a shell script or as JSON, or run at once.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "cli/calculator_options.h"
#include "cli/chapter_file_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/messages.h"
#include "cli/option_checks.h"
#include "cli/plan_run.h"
#include "cli/title_selection.h"
#include "common/ascii_case.h"
#include "common/string_format.h"
#include "disc/opened_disc.h"
#include "encode/audio_rules.h"
#include "encode/plan_script.h"
#include "encode/season_plan.h"
#include "encode/shell_quote.h"
#include "encode/stream_choice.h"
#include "encode/title_list.h"
#include "encode/title_plan.h"
#include "encode/title_stream.h"
#include "encode/title_timing.h"
#include "ifo/program_chain.h"

namespace ratewise::cli {
namespace {

struct Settings {
    TitleSelection selection;
    std::vector<std::string> sources;
    std::string titles; // --titles LIST|episodes
    CalculatorOptions calculator;
    std::string encoder;
    std::string codec = "x264";
    std::string audioCodec = "aac";
    std::string encoderPreset;
    std::string output;
    std::string streamCommand;
    std::string audio;     // --audio LIST
    std::string subtitles; // --subtitles LIST
    ChapterNameOptions names;
    bool json = false;
    bool run = false;
};

// The containers an output name may ask for, by its ending.
bool KnownContainerEnding(const std::string& output)
{
    const std::size_t dot = output.rfind('.');
    const std::size_t slash = output.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    const std::string ending = AsciiLowered(output.substr(dot + 1));
    return ending == "mkv" || ending == "mp4" || ending == "m4v";
}

nlohmann::json StreamsJson(const MediumPlan& plan)
{
    nlohmann::json streams = nlohmann::json::array();
    for (const AudioTrack& track : plan.audio) {
        nlohmann::json stream{{"kind", "audio"},
                              {"number", track.stream + 1},
                              {"language", track.language},
                              {"commentary", track.commentary},
                              {"sourceChannels", track.channels},
                              {"codec", std::string(AudioCodecName(track.codec))},
                              {"bitsPerSecond", std::llround(track.bitsPerSecond)}};
        if (track.codec != AudioCodec::Copy) {
            stream["mixdown"] = MixdownLabel(MixdownFor(track.channels));
            stream["askedKbps"] = track.askedKbps;
            stream["encoderKbps"] = track.encoderKbps;
        }
        streams.push_back(stream);
    }
    for (const SubtitleTrack& track : plan.subtitles)
        streams.push_back({{"kind", "subtitles"},
                           {"number", track.stream + 1},
                           {"language", track.language},
                           {"commentary", track.commentary},
                           {"codec", "copy"},
                           {"bitsPerSecond", std::llround(track.bitsPerSecond)}});
    return streams;
}

bool OnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t begin = 0;
    while (begin <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', begin), dirs.size());
        const std::string dir = end > begin ? dirs.substr(begin, end - begin) : ".";
        if (::access((dir + "/" + program).c_str(), X_OK) == 0)
            return true;
        begin = end + 1;
    }
    return false;
}

// This program's own path when it runs as ratewise-cli, so the script finds `stream` even when
// the program is not on PATH.
std::string DefaultStreamCommand()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && self.filename() == "ratewise-cli")
        return self.string();
    return "ratewise-cli";
}

std::string WhyNotWritable(const std::string& output)
{
    const std::filesystem::path path(output);
    if (output.empty() || !path.has_filename())
        return "not a file name";
    const std::filesystem::path dir = path.parent_path().empty() ? "." : path.parent_path();
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error))
        return "no such folder: " + dir.string();
    if (::access(dir.c_str(), W_OK) != 0)
        return "folder not writable: " + dir.string();
    if (std::filesystem::is_directory(path, error))
        return "is a folder";
    return {};
}

nlohmann::json MediumJson(const MediumPlan& plan)
{
    nlohmann::json commands = nlohmann::json::array();
    for (const PlanCommand& command : plan.commands)
        commands.push_back({{"feed", command.feed}, {"command", command.command}});
    nlohmann::json medium{
        {"medium", plan.medium},
        {"output", plan.output},
        {"container", std::string(ContainerName(plan.container))},
        {"firstChapter", plan.share.firstChapter},
        {"lastChapter", plan.share.lastChapter},
        {"seconds", plan.share.seconds},
        {"usableKilobits", plan.share.usableKilobits},
        {"targetBytes", static_cast<std::int64_t>(plan.targetBytes)},
        {"streams", StreamsJson(plan)},
        {"units",
         {{"calculatorVideoKbps", "kbit/s, 1 kbit = 1024 bits"},
          {"usableKilobits", "kbit, 1 kbit = 1024 bits"},
          {"bitsPerSecond", "bit/s"},
          {"encoderKbps", "kbit/s, 1 kbit = 1000 bits"}}},
        {"calculatorVideoKbps", plan.share.calculatorVideoKbps},
        {"audioBitsPerSecond", plan.audioBitsPerSecond},
        {"overheadBytes", plan.overheadBytes},
        {"audioMarginBytes", plan.audioMarginBytes},
        {"containerOverhead",
         {{"fixedBytes", plan.overhead.fixedBytes}, {"bytesPerSecond", plan.overhead.bytesPerSecond}}},
        {"toleranceMargin", plan.toleranceMargin},
        {"videoBitsPerSecond", plan.videoBitsPerSecond},
        {"commands", commands},
        {"leftovers", plan.leftovers},
    };
    if (plan.chapterFile)
        medium["chapterFile"] = {{"path", plan.chapterFile->path}, {"text", plan.chapterFile->text}};
    return medium;
}

FailureKind RunSeasonPlan(const Settings& settings, const PlanRequest& base,
                          std::vector<std::vector<std::string>> names, std::ostream& out, std::ostream& err);

FailureKind RunPlan(Settings settings, std::ostream& out, std::ostream& err)
{
    settings.selection.source = settings.sources.front();
    const bool season = !settings.titles.empty() || settings.sources.size() > 1;
    if (season && settings.titles.empty()) {
        PrintRefusal(err, "plan", "several SOURCEs need --titles: a list of titles, or episodes");
        return FailureKind::Usage;
    }
    if (season && (settings.selection.disc.title != 0 || settings.selection.track != 0)) {
        PrintRefusal(err, "--titles", "takes the place of --title and --track: give one or the other");
        return FailureKind::Usage;
    }
    const CalculatorOptions& calc = settings.calculator;
    if (calc.hours || calc.minutes || calc.seconds || calc.lock || calc.video) {
        PrintRefusal(err, "plan",
                     "the running time comes from the title: --hours, --minutes, --seconds, --lock and "
                     "--video are not taken");
        return FailureKind::Usage;
    }
    const std::string& source = settings.selection.source;
    PlanRequest request;
    request.encoder = settings.encoder == "handbrake" ? Encoder::HandBrake : Encoder::Ffmpeg;
    request.codec = settings.codec == "x265" ? VideoCodec::X265 : VideoCodec::X264;
    request.audioCodec = settings.audioCodec == "copy"  ? AudioCodec::Copy
                         : settings.audioCodec == "ac3" ? AudioCodec::Ac3
                                                        : AudioCodec::Aac;
    request.encoderPreset = settings.encoderPreset;
    request.source = source;
    request.output = settings.output;
    request.streamProgram = settings.streamCommand.empty() ? DefaultStreamCommand() : settings.streamCommand;

    // What cannot work is refused before anything is read or printed.
    if (!KnownContainerEnding(request.output)) {
        PrintUsageError(err, "-o", "an output name ending in .mkv, .mp4 or .m4v", request.output);
        return FailureKind::Usage;
    }
    if (const std::string why = WhyNotOutputPattern(request.output); season && !why.empty()) {
        PrintRefusal(err, "-o", why);
        return FailureKind::Usage;
    }
    if (!request.encoderPreset.empty() && !IsEncoderPreset(request.encoderPreset)) {
        PrintUsageError(err, "--encoder-preset", "one of " + EncoderPresetList(), request.encoderPreset);
        return FailureKind::Usage;
    }
    std::string why;
    if (!settings.audio.empty() && !ParseAudioChoice(settings.audio, request.choice, why)) {
        PrintRefusal(err, "--audio", why);
        return FailureKind::Usage;
    }
    if (!settings.subtitles.empty() && !ParseSubtitleChoice(settings.subtitles, request.choice, why)) {
        PrintRefusal(err, "--subtitles", why);
        return FailureKind::Usage;
    }
    const std::string program = request.encoder == Encoder::HandBrake ? "HandBrakeCLI" : "ffmpeg";
    if (!OnPath(program)) {
        PrintError(err, program, "not installed (not found on PATH)");
        return FailureKind::Usage;
    }
    if (const std::string unwritable = WhyNotWritable(TitleOutputPath(request.output, 1, 1, 1));
        !unwritable.empty()) {
        PrintError(err, request.output, "cannot be written: " + unwritable);
        return FailureKind::WriteFailed;
    }
    std::vector<std::vector<std::string>> names;
    for (const std::string& path : settings.names.namesPaths) {
        ChapterNameOptions one = settings.names;
        one.namesPath = path;
        std::optional<std::vector<std::string>> read = ReadChapterNames(one, err);
        if (!read)
            return FailureKind::BadInput;
        names.push_back(std::move(*read));
    }
    request.chapterLanguage = settings.names.language;
    if (season)
        return RunSeasonPlan(settings, request, std::move(names), out, err);
    if (names.size() > 1) {
        PrintRefusal(err, "--names", StringPrintf("given %zu times for one title", names.size()));
        return FailureKind::Usage;
    }
    if (!names.empty())
        request.chapterNames = names.front();

    FailureKind status = FailureKind::None;
    const std::optional<SelectedTitle> title = OpenSelectedTitle(settings.selection, err, status);
    if (!title)
        return status;
    request.titleSet = title->location.titleSet;
    // `stream` is told the title as the user named it; the main title taken for them by number
    // where the disc numbers its titles, else by its set and track.
    const int mainTitle = title->load.mainTitle;
    request.byTitle =
        settings.selection.disc.title != 0 || (mainTitle != 0 && !title->load.disc->TitlesNumberedBySet());
    request.number = settings.selection.disc.title != 0 ? settings.selection.disc.title
                     : request.byTitle                  ? mainTitle
                                                        : title->location.programChain + 1;
    std::string noVobs;
    std::unique_ptr<ByteSource> vobs = title->load.OpenTitleVobs(&noVobs);
    if (!vobs) {
        PrintError(err, source, noVobs);
        return FailureKind::BadInput;
    }

    // What `stream` would refuse when the script runs is refused now, before any plan is printed.
    // HandBrakeCLI reads the disc itself, scrambled ones too where libdvdcss is installed.
    const std::vector<SectorRange> ranges = PlaybackSectors(title->cells, 1, std::numeric_limits<int>::max());
    const StreamResult check = CheckSectors(*vobs, ranges);
    if (check != StreamResult::Done &&
        !(check == StreamResult::Scrambled && request.encoder == Encoder::HandBrake)) {
        PrintError(err, source, StreamRefusalReason(check));
        return FailureKind::BadInput;
    }

    // The calculator as after choosing the track in the window, then the options.
    PlaybackTime time;
    ifoGetPlaybackTime(title->info.get(), title->location.programChain, &time);
    const CalculatorRun run =
        RunCalculatorSteps(calc, err, [time](CalculatorController& controller, CalculatorUpdate& update) {
            update = controller.TracksChosen(time.hours, time.minutes, time.seconds);
        });
    const CalculatorState& state = run.controller.State();
    const TitlePlanResult result =
        BuildTitlePlan({*title->info, title->location, title->cells, title->pal, vobs.get()}, state, request);
    if (result.media.empty()) {
        if (result.failure == FailureKind::BadInput)
            PrintError(err, source, result.why);
        else
            PrintRefusal(err, "plan", result.why);
        return result.failure;
    }
    const std::vector<MediumPlan>& media = result.media;
    for (const std::string& note : result.notes)
        PrintNote(err, note);

    if (settings.run)
        return RunPlanMedia(media, out, err);
    if (settings.json) {
        nlohmann::json mediaJson = nlohmann::json::array();
        for (const MediumPlan& plan : media)
            mediaJson.push_back(MediumJson(plan));
        const nlohmann::json json{
            {"encoder", std::string(EncoderName(request.encoder))},
            {"codec", std::string(VideoCodecName(request.codec))},
            {"audioCodec", std::string(AudioCodecName(request.audioCodec))},
            {"source", source},
            {"title", request.discTitle},
            {"track", title->location.programChain + 1},
            {"titleSet", title->location.titleSet},
            {"mediumSizeMb", state.mediumSizeMb},
            {"mediumCount", state.mediumCount},
            {"calculatorVideoKbps", state.videoKbps},
            {"script", PlanScript(request, media)},
            {"media", mediaJson},
        };
        out << JsonText(json) << "\n";
    } else {
        out << PlanScript(request, media);
    }
    return FailureKind::None;
}

// The titles of one source that --titles names: its episodes, or the numbers given.
std::optional<std::vector<int>> TitlesOf(const std::string& source, const TitleList& list, DiscChoice& choice,
                                         std::ostream& err, FailureKind& status)
{
    if (!list.episodes)
        return list.titles;
    if (const std::string why = WhyNotReadable(source, err); !why.empty()) {
        PrintError(err, source.empty() ? "SOURCE" : source, why);
        status = FailureKind::BadInput;
        return std::nullopt;
    }
    const OpenedDiscResult opened = OpenDisc(source);
    if (!opened.disc) {
        PrintError(err, source, opened.why);
        status = FailureKind::BadInput;
        return std::nullopt;
    }
    if (opened.disc->episodes.empty()) {
        PrintError(err, source,
                   "no episodes recognised (see `ratewise-cli disc`): give --titles with title numbers");
        status = FailureKind::Usage;
        return std::nullopt;
    }
    if (opened.disc->TitlesNumberedBySet())
        choice.titleSet = opened.disc->episodesTitleSet;
    return opened.disc->episodes;
}

struct OpenTitle {
    std::string source;
    SelectedTitle selected;
    std::unique_ptr<ByteSource> vobs;
};

nlohmann::json SeasonJson(const PlanRequest& base, const CalculatorState& state,
                          const SeasonPlanResult& season, const std::vector<OpenTitle>& titles,
                          const std::string& script)
{
    nlohmann::json files = nlohmann::json::array();
    for (std::size_t i = 0; i < season.files.size(); ++i) {
        nlohmann::json file = MediumJson(season.files[i]);
        const SelectedTitle& selected = titles[i].selected;
        file["source"] = titles[i].source;
        file["title"] = selected.byTitle ? selected.number : selected.location.title;
        file["titleSet"] = selected.location.titleSet;
        file["track"] = selected.location.programChain + 1;
        files.push_back(file);
    }
    nlohmann::json media = nlohmann::json::array();
    for (std::size_t m = 0; m + 1 < season.boundaries.size(); ++m) {
        nlohmann::json indexes = nlohmann::json::array();
        double planned = 0;
        for (int i = season.boundaries[m]; i < season.boundaries[m + 1]; ++i) {
            indexes.push_back(i);
            planned += PlannedBytes(season.files[static_cast<std::size_t>(i)]);
        }
        const MediumPlan& lead = season.files[static_cast<std::size_t>(season.boundaries[m])];
        media.push_back({{"medium", m + 1},
                         {"files", indexes},
                         {"targetBytes", static_cast<std::int64_t>(lead.targetBytes)},
                         {"plannedBytes", std::llround(planned)},
                         {"videoBitsPerSecond", lead.videoBitsPerSecond}});
    }
    return {
        {"encoder", std::string(EncoderName(base.encoder))},
        {"codec", std::string(VideoCodecName(base.codec))},
        {"audioCodec", std::string(AudioCodecName(base.audioCodec))},
        {"mediumSizeMb", state.mediumSizeMb},
        {"mediumCount", state.mediumCount},
        {"calculatorVideoKbps", state.videoKbps},
        {"files", files},
        {"media", media},
        {"script", script},
    };
}

FailureKind RunSeasonPlan(const Settings& settings, const PlanRequest& base,
                          std::vector<std::vector<std::string>> names, std::ostream& out, std::ostream& err)
{
    TitleList list;
    std::string why;
    if (!ParseTitleList(settings.titles, list, why)) {
        PrintRefusal(err, "--titles", why);
        return FailureKind::Usage;
    }
    // Every title opened and checked before anything is printed.
    std::vector<OpenTitle> titles;
    FailureKind status = FailureKind::None;
    for (const std::string& source : settings.sources) {
        DiscChoice choice = settings.selection.disc;
        const std::optional<std::vector<int>> numbers = TitlesOf(source, list, choice, err, status);
        if (!numbers)
            return status;
        for (const int number : *numbers) {
            TitleSelection selection{source, choice, 0};
            selection.disc.title = number;
            std::optional<SelectedTitle> selected = OpenSelectedTitle(selection, err, status);
            if (!selected)
                return status;
            std::string noVobs;
            std::unique_ptr<ByteSource> vobs = selected->load.OpenTitleVobs(&noVobs);
            if (!vobs) {
                PrintError(err, source, noVobs);
                return FailureKind::BadInput;
            }
            const StreamResult check =
                CheckSectors(*vobs, PlaybackSectors(selected->cells, 1, std::numeric_limits<int>::max()));
            if (check != StreamResult::Done &&
                !(check == StreamResult::Scrambled && base.encoder == Encoder::HandBrake)) {
                PrintError(err, source, StringPrintf("title %d: %s", number, StreamRefusalReason(check)));
                return FailureKind::BadInput;
            }
            titles.push_back({source, std::move(*selected), std::move(vobs)});
        }
    }
    if (names.size() > 1 && names.size() != titles.size()) {
        PrintRefusal(err, "--names",
                     StringPrintf("given %zu times for %zu titles: give it once (one list taken in order) or "
                                  "once per title",
                                  names.size(), titles.size()));
        return FailureKind::Usage;
    }

    // The calculator as after selecting every title in the window: their summed running time.
    int totalSeconds = 0;
    std::vector<SeasonTitle> plans;
    std::vector<std::string> outputs;
    std::size_t nextName = 0;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const OpenTitle& open = titles[i];
        const SelectedTitle& selected = open.selected;
        PlaybackTime time;
        ifoGetPlaybackTime(selected.info.get(), selected.location.programChain, &time);
        totalSeconds += (time.hours * 60 + time.minutes) * 60 + time.seconds;
        PlanRequest request = base;
        request.source = open.source;
        request.byTitle = selected.byTitle;
        request.number = selected.number;
        request.titleSet = selected.location.titleSet;
        const int discTitle = selected.byTitle ? selected.number : selected.location.title;
        request.output =
            TitleOutputPath(base.output, static_cast<int>(i + 1), static_cast<int>(titles.size()), discTitle);
        if (std::find(outputs.begin(), outputs.end(), request.output) != outputs.end()) {
            PrintRefusal(err, "-o",
                         "two titles would both be written to " + ShellQuote(request.output) +
                             ": give a pattern with {n}");
            return FailureKind::Usage;
        }
        outputs.push_back(request.output);
        // One list of names is taken in order, each title its chapters' share.
        if (names.size() == 1) {
            const std::optional<TitleTiming> timing = TimingOfCells(selected.cells, selected.pal);
            const std::vector<std::string>& all = names.front();
            const std::size_t count = timing ? static_cast<std::size_t>(timing->ChapterCount()) : 0;
            for (std::size_t c = 0; c < count && nextName < all.size(); ++c)
                request.chapterNames.push_back(all[nextName++]);
        } else if (!names.empty()) {
            request.chapterNames = names[i];
        }
        const std::string label = "title " + std::to_string(discTitle != 0 ? discTitle : selected.number) +
                                  " of " + ShellQuote(open.source);
        plans.push_back({{*selected.info, selected.location, selected.cells, selected.pal, open.vobs.get()},
                         std::move(request),
                         label});
    }
    const int hours = totalSeconds / 3600, minutes = totalSeconds / 60 % 60, seconds = totalSeconds % 60;
    const CalculatorRun run = RunCalculatorSteps(
        settings.calculator, err, [=](CalculatorController& controller, CalculatorUpdate& update) {
            update = controller.TracksChosen(hours, minutes, seconds);
        });
    const CalculatorState& state = run.controller.State();
    if (!(state.videoKbps > 0)) {
        PrintRefusal(err, "plan", "the calculator gives no video bitrate (" + state.videoBitrateText + ")");
        return FailureKind::NoResult;
    }
    const SeasonPlanResult season = BuildSeasonPlan(plans, state);
    if (season.files.empty()) {
        if (season.failure == FailureKind::BadInput)
            PrintError(err, settings.sources.front(), season.why);
        else
            PrintRefusal(err, "plan", season.why);
        return season.failure;
    }
    for (const std::string& note : season.notes)
        PrintNote(err, note);
    if (settings.run)
        return RunPlanMedia(season.files, out, err);
    const std::string script = PlanScript(base, season.files);
    if (settings.json)
        out << JsonText(SeasonJson(base, state, season, titles, script)) << "\n";
    else
        out << script;
    return FailureKind::None;
}

} // namespace

void AddPlanCommand(CLI::App& app, CommandAction& action)
{
    auto settings = std::make_shared<Settings>();
    CLI::App* command = app.add_subcommand(
        "plan", "A two-pass HandBrakeCLI or ffmpeg encode that fills the calculator's media");
    TitleSelectionForm form = kSourceForm;
    form.help = "DVD folder, image, drive, VIDEO_TS.IFO or VTS_xx_0.IFO; several for the discs of a season "
                "(with --titles)";
    form.sources = &settings->sources;
    AddTitleSelectionOptions(*command, settings->selection, form);
    command
        ->add_option("--titles", settings->titles,
                     "Several titles in one plan, each its own file at one video bitrate per medium: "
                     "numbers and ranges (1-4, 1,3,5), or episodes (those `disc` recognises)")
        ->type_name("LIST|episodes");
    AddCalculatorOptions(*command, settings->calculator);
    command->add_option("--encoder", settings->encoder, "handbrake (HandBrakeCLI) or ffmpeg")
        ->required()
        ->type_name("handbrake|ffmpeg")
        ->transform(OneOf({"handbrake", "ffmpeg"}));
    command->add_option("--codec", settings->codec, "The video codec")
        ->type_name("x264|x265")
        ->transform(OneOf({"x264", "x265"}));
    command->add_option("--audio-codec", settings->audioCodec, "The audio codec")
        ->type_name("aac|ac3|copy")
        ->transform(OneOf({"aac", "ac3", "copy"}));
    command
        ->add_option("--encoder-preset", settings->encoderPreset,
                     "The video encoder's speed preset, e.g. veryfast")
        ->type_name("NAME");
    command
        ->add_option("--audio", settings->audio,
                     "Audio streams to carry: all, or numbers from 1, each as N, N:codec or N:codec:kbps "
                     "(1:copy,2:aac:96); default: the calculator's audio fields")
        ->type_name("LIST");
    command
        ->add_option("--subtitles", settings->subtitles,
                     "Subtitle streams to copy (Matroska only): all, none or numbers from 1 (default none)")
        ->type_name("LIST");
    AddChapterNameOptions(*command, settings->names, NamesFiles::OnePerTitle);
    command
        ->add_option("-o,--output", settings->output,
                     "The encoded file (.mkv, .mp4 or .m4v); for several titles a pattern with {n} (the "
                     "file's number, two digits) and {title} (the disc title), else -1, -2, ... is added")
        ->type_name("FILE")
        ->required();
    command
        ->add_option("--stream-command", settings->streamCommand,
                     "What the ffmpeg plan runs for `stream` (default: this program)")
        ->type_name("PROGRAM");
    CLI::Option* json = command->add_flag("--json", settings->json, "Print one JSON object");
    command->add_flag("--run", settings->run, "Run the plan now, with its progress, instead of printing it")
        ->excludes(json);
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) { return RunPlan(*settings, out, err); };
    });
}

} // namespace ratewise::cli
