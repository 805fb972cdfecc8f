// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli split`: the optimal split of a track's chapters over the calculator's media, as
// the Optimal Split box of the Chapters Informations window shows it.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>

#include "chapters/optimal_split.h"
#include "chapters/split_export.h"
#include "cli/calculator_options.h"
#include "cli/chapter_file_options.h"
#include "cli/cli.h"
#include "cli/comma_list.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "cli/json_text.h"
#include "cli/messages.h"
#include "cli/option_checks.h"
#include "cli/plain_text.h"
#include "cli/track_chapters.h"
#include "common/string_format.h"

namespace ratewise::cli {
namespace {

// The values of --starts: whole seconds, at least a chapter start and the end, never decreasing.
// Sets `why` and returns nothing when the text is not such a list.
std::optional<std::vector<int>> ParseStarts(const std::string& text, std::string& why)
{
    std::vector<int> starts;
    for (const ListedNumber& item : ReadCommaList(text)) {
        if (item.reading == ListedNumber::Reading::kTooLarge) {
            why = "too many seconds: '" + item.text + "'";
            return std::nullopt;
        }
        if (item.reading != ListedNumber::Reading::kNumber) {
            why = "not a whole number of seconds: '" + item.text + "'";
            return std::nullopt;
        }
        if (!starts.empty() && item.value < starts.back()) {
            why = StringPrintf("starts must not decrease: %d after %d", item.value, starts.back());
            return std::nullopt;
        }
        starts.push_back(item.value);
    }
    // The end alone is a track of 0 chapters, as `chapters --json` gives it.
    if (starts.empty()) {
        why = "give the start of each chapter and the end of the track";
        return std::nullopt;
    }
    return starts;
}

nlohmann::json SplitJson(const SplitPlan& plan, const ChapterList& chapters, std::optional<bool> pal, bool ok)
{
    nlohmann::json media = nlohmann::json::array();
    for (std::size_t i = 0;
         i + 1 < plan.boundaries.size() && i < plan.durations.size() && i < plan.bitrates.size(); ++i) {
        media.push_back({{"number", i + 1},
                         {"firstChapter", plan.boundaries[i]},
                         {"lastChapter", plan.boundaries[i + 1] - 1},
                         {"durationSeconds", plan.durations[i]},
                         {"videoKbps", plan.bitrates[i]}});
    }
    return {
        {"boundaries", plan.boundaries},
        {"durations", plan.durations},
        {"bitrates", plan.bitrates},
        {"lines", TextLines(plan.splitText)},
        {"text", plan.splitText},
        {"ok", ok},
        {"media", media},
        {"chapters", ChapterObjects(chapters, pal)},
    };
}

// Why the split gives no usable result, or the empty text.
std::string NoSplitReason(const SplitPlan& plan, const ChapterList& chapters, int mediumCount)
{
    if (plan.boundaries.empty() && mediumCount <= 1)
        return "no split: one medium holds every chapter (--count gives the number of media)";
    if (plan.boundaries.empty())
        return StringPrintf("no split: %d chapter%s cannot fill %d media", chapters.chapterCount,
                            chapters.chapterCount == 1 ? "" : "s", mediumCount);
    for (std::size_t i = 0; i < plan.bitrates.size(); ++i) {
        if (plan.bitrates[i] <= 0)
            return StringPrintf("no usable video bitrate for medium %zu: %s", i + 1,
                                plan.durations[i] <= 0 ? "it plays for 0 seconds"
                                                       : "the audio takes more than it holds");
    }
    return "";
}

// The chapters of the split at exact times, and the chapters a player shows, named: read again
// from the title set, or the --starts seconds themselves.
struct ExactSplitInput {
    std::vector<std::int64_t> chapterStarts;
    FrameRate rate = kSecondsRate;
    TimedChapters player;
};

std::optional<ExactSplitInput> ReadExactInput(const ChapterList& chapters, const std::string& ifoPath,
                                              const TitleSetLoad* load, int track,
                                              const ChapterNameOptions& nameOptions, std::ostream& err,
                                              FailureKind& status)
{
    status = FailureKind::BadInput;
    const std::optional<std::vector<std::string>> names = ReadChapterNames(nameOptions, err);
    if (!names)
        return std::nullopt;
    ExactSplitInput input;
    if (!load) {
        input.chapterStarts.assign(chapters.startSeconds.begin(), chapters.startSeconds.end());
        const std::vector<std::int64_t> starts(input.chapterStarts.begin(), input.chapterStarts.end() - 1);
        input.player =
            NamedChapters(kSecondsRate, starts, input.chapterStarts.back(), *names, nameOptions.language);
        return input;
    }
    std::unique_ptr<ByteSource> source = load->OpenIfo();
    const std::optional<PlayerChapters> player =
        source ? ReadPlayerChapters(*source, track - 1) : std::nullopt;
    std::optional<std::vector<std::int64_t>> exact;
    if (player)
        exact = ExactChapterStarts(chapters, player->cellStarts, player->end);
    if (!exact) {
        PrintError(err, ifoPath, StringPrintf("cannot read the cells of track %d", track));
        return std::nullopt;
    }
    input.chapterStarts = std::move(*exact);
    input.rate = player->rate;
    input.player = NamedChapters(player->rate, player->starts, player->end, *names, nameOptions.language);
    return input;
}

// One chapter file per medium in `directory`: medium01.chapters.xml, ...
bool WriteChaptersPerMedium(const SplitCuts& cuts, const TimedChapters& player, std::string directory,
                            ChapterForm form, std::ostream& err)
{
    if (directory.empty())
        directory = ".";
    const std::vector<TimedChapters> media = ChaptersPerMedium(cuts, player);
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
        PrintError(err, directory, error.message());
        return false;
    }
    std::vector<std::pair<std::string, std::string>> files;
    for (std::size_t m = 0; m < media.size(); ++m)
        files.emplace_back(directory + "/" + StringPrintf("medium%02d.", static_cast<int>(m) + 1) +
                               ChapterFormFileEnding(form),
                           ChapterFormText(media[m], form));
    return WriteTextFiles(files, err);
}

} // namespace

void AddSplitCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        CalculatorOptions calculator;
        TitleSelection input;
        std::string starts;
        std::string format;
        std::vector<std::string> perMedium;
        ChapterNameOptions names;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command =
        app.add_subcommand("split", "The most even split of a track's chapters over the media, "
                                    "with the video bitrate of each medium");
    // The chapters come from a title set's track, as the Chapters Informations command builds
    // them, or straight from --starts.
    CLI::Option* file = AddTitleSelectionOptions(*command, settings->input, {.required = false});
    CLI::Option* starts =
        command
            ->add_option("--starts", settings->starts,
                         "Start second of each chapter, then the end of the track: S1,...,SC,END")
            ->type_name("LIST")
            ->check([](const std::string& text) {
                std::string why;
                return ParseStarts(text, why) ? std::string() : why;
            });
    starts->excludes(file);
    AddCalculatorOptions(*command, settings->calculator);
    CLI::Option* json = command->add_flag("--json", settings->json, "Print one JSON object");
    command
        ->add_option("--format", settings->format,
                     "Print the cuts for a tool instead: mkvmerge (--split chapters: and --split parts:), "
                     "ffmpeg (-ss and -to per medium)")
        ->type_name("mkvmerge|ffmpeg")
        ->transform(OneOf({"mkvmerge", "ffmpeg"}))
        ->excludes(json);
    command
        ->add_option(
            "--chapters-per-medium", settings->perMedium,
            "Write one chapter file per medium into DIR, its times from 0, in FORMAT: ogm, matroska, "
            "ffmetadata or csv")
        ->expected(2)
        ->allow_extra_args(false) // FILE may follow the two values
        ->type_name("DIR FORMAT")
        ->check(CLI::IsMember({"ogm", "matroska", "ffmetadata", "csv"}).application_index(1));
    AddChapterNameOptions(*command, settings->names);
    command->callback([settings, file, starts, &action] {
        action = [settings, fromFile = file->count() > 0,
                  fromStarts = starts->count() > 0](std::ostream& out, std::ostream& err) -> FailureKind {
            ChapterList chapters;
            std::optional<bool> pal;
            TrackChapters read;
            if (fromFile) {
                read = ReadTrackChapters(settings->input, err);
                if (!read.chapters)
                    return read.status;
                chapters = std::move(*read.chapters);
                pal = read.pal;
            } else if (fromStarts) {
                std::string why;
                chapters.startSeconds = *ParseStarts(settings->starts, why);
                chapters.chapterCount = static_cast<int>(chapters.startSeconds.size()) - 1;
            } else {
                PrintRefusal(err, "split", "expected FILE --track N or --starts S1,...,SC,END");
                return FailureKind::Usage;
            }

            // The split takes the media, the audio and the mode; the running time comes from the
            // chapters, so what sets or derives it is not used.
            const CalculatorOptions& calculator = settings->calculator;
            const std::pair<bool, const char*> unused[] = {
                {calculator.hours.has_value(), "--hours"},     {calculator.minutes.has_value(), "--minutes"},
                {calculator.seconds.has_value(), "--seconds"}, {calculator.lock, "--lock"},
                {calculator.video.has_value(), "--video"},
            };
            for (const auto& [given, name] : unused) {
                if (given)
                    PrintNote(err, std::string(name) +
                                       " is not used by split: the chapters give the running time");
            }
            const CalculatorRun run = RunCalculatorSteps(calculator, err);
            NoSplitProgress progress;
            const SplitPlan plan = ComputeSplit(chapters, run.controller.State(), progress);
            const std::string noResult = NoSplitReason(plan, chapters, run.controller.State().mediumCount);
            const FailureKind done = noResult.empty() ? FailureKind::None : FailureKind::NoResult;
            // Without a split (one medium, too few chapters) the box's text says why, whatever
            // form was asked for.
            if (plan.boundaries.empty() || (settings->format.empty() && settings->perMedium.empty())) {
                if (settings->json)
                    out << JsonText(SplitJson(plan, chapters, pal, noResult.empty())) << "\n";
                else
                    out << PlainText(plan.splitText);
                if (!noResult.empty())
                    PrintError(err, "split", noResult);
                return done;
            }

            FailureKind status = FailureKind::None;
            const std::optional<ExactSplitInput> exact =
                ReadExactInput(chapters, settings->input.source, read.load ? &*read.load : nullptr,
                               read.track, settings->names, err, status);
            if (!exact)
                return status;
            const std::optional<SplitCuts> cuts = CutsOf(plan, exact->chapterStarts, exact->rate);
            if (!cuts) {
                PrintError(err, "split", "the split does not fit the chapters");
                return FailureKind::BadInput;
            }
            if (settings->perMedium.size() == 2 &&
                !WriteChaptersPerMedium(*cuts, exact->player, settings->perMedium[0],
                                        *ChapterFormNamed(settings->perMedium[1]), err))
                return FailureKind::WriteFailed;
            if (settings->format == "mkvmerge")
                out << MkvmergeSplitText(*cuts, exact->player);
            else if (settings->format == "ffmpeg")
                out << FfmpegSplitText(*cuts);
            else if (settings->json)
                out << JsonText(SplitJson(plan, chapters, pal, noResult.empty())) << "\n";
            else
                out << PlainText(plan.splitText);
            if (!noResult.empty()) {
                PrintError(err, "split", noResult);
                return FailureKind::NoResult;
            }
            return FailureKind::None;
        };
    });
}

} // namespace ratewise::cli
