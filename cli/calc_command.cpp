// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli calc`: the calculator after the steps a user takes in the window.
#include <nlohmann/json.hpp>

#include "calc/medium_presets.h"
#include "cli/calculator_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/track_choice.h"
#include "common/string_format.h"

namespace ratewise::cli {
namespace {

const char* FieldStateName(FieldState state)
{
    switch (state) {
    case FieldState::Valid:
        return "Valid";
    case FieldState::Invalid:
        return "Invalid";
    case FieldState::Output:
        return "Output";
    }
    return "";
}

nlohmann::json TipJson(const TipText& tip)
{
    return {{"text", tip.text}, {"colour", std::string(TipColourName(tip.colour))}};
}

// The names of the fields whose frames show an error.
std::vector<std::string> ErrorFields(const FieldStates& fields)
{
    std::vector<std::string> names;
    const std::pair<const char*, FieldState> all[] = {
        {"hours", fields.hours}, {"minutes", fields.minutes}, {"seconds", fields.seconds},
        {"size", fields.size},   {"audio1", fields.audio1},   {"audio2", fields.audio2},
        {"video", fields.video},
    };
    for (const auto& [name, fieldState] : all) {
        if (fieldState == FieldState::Invalid)
            names.emplace_back(name);
    }
    return names;
}

nlohmann::json CalculatorJson(const CalculatorRun& run, bool ok)
{
    const CalculatorState& state = run.controller.State();
    const FieldStates& fields = state.fieldStates;
    const std::int64_t seconds =
        std::int64_t(state.hours) * 3600 + std::int64_t(state.minutes) * 60 + std::int64_t(state.seconds);
    return {
        {"ok", ok},
        {"errorFields", ErrorFields(fields)},
        {"duration", {{"seconds", seconds}}},
        {"mediumSizeMb", state.mediumSizeMb},
        {"audio1Kbps", state.audio1Kbps},
        {"audio2Kbps", state.audio2Kbps},
        {"presetIndex", run.presetIndex},
        {"hoursText", state.hoursText},
        {"minutesText", state.minutesText},
        {"secondsText", state.secondsText},
        {"mediumSizeText", state.mediumSizeText},
        {"mediumCount", state.mediumCount},
        {"audio1Text", state.audio1Text},
        {"audio2Text", state.audio2Text},
        {"videoBitrateText", state.videoBitrateText},
        {"videoKbps", state.videoKbps},
        {"formatMode", state.formatMode == FormatMode::Svcd ? "Svcd" : "AviDvd"},
        {"locked", state.locked},
        {"preset", std::string(MediumPresets[static_cast<std::size_t>(run.presetIndex)].label)},
        {"fieldStates",
         {{"hours", FieldStateName(fields.hours)},
          {"minutes", FieldStateName(fields.minutes)},
          {"seconds", FieldStateName(fields.seconds)},
          {"size", FieldStateName(fields.size)},
          {"audio1", FieldStateName(fields.audio1)},
          {"audio2", FieldStateName(fields.audio2)},
          {"video", FieldStateName(fields.video)}}},
        {"suggestion", TipJson(run.bitrateSuggestion)},
        {"mediumReport", TipJson(run.mediumReport)},
    };
}

void PrintCalculator(std::ostream& out, const CalculatorRun& run)
{
    const CalculatorState& state = run.controller.State();
    out << "Duration: " << state.hoursText << " : " << state.minutesText << " : " << state.secondsText << "\n"
        << "Medium: " << state.mediumSizeText << " MB x " << state.mediumCount << " ("
        << MediumPresets[static_cast<std::size_t>(run.presetIndex)].label << ")\n"
        << "Audio: " << state.audio1Text << " + " << state.audio2Text << " Kbps\n"
        << "Format: " << (state.formatMode == FormatMode::Svcd ? "(S)VCD" : "Avi/Dvd") << "\n"
        << "Video bitrate: " << state.videoBitrateText << " Kbps" << (state.locked ? " (locked)" : "") << "\n"
        << "\nBitrate suggestion (" << TipColourName(run.bitrateSuggestion.colour) << "):\n"
        << ToPlainLineEnds(run.bitrateSuggestion.text) << "\n"
        << "\nMedium report (" << TipColourName(run.mediumReport.colour) << "):\n"
        << ToPlainLineEnds(run.mediumReport.text) << "\n";
}

} // namespace

void AddCalcCommand(CLI::App& app, CommandAction& action)
{
    struct Settings {
        CalculatorOptions calculator;
        TrackChoice tracks;
        bool json = false;
    };
    auto settings = std::make_shared<Settings>();
    CLI::App* command =
        app.add_subcommand("calc", "The video bitrate (or, locked, the running time) that fills the media");
    AddCalculatorOptions(*command, settings->calculator);
    AddTrackChoiceOptions(*command, settings->tracks);
    command->add_flag("--json", settings->json,
                      "Print one JSON object (\"ok\": false when there is no result)");
    command->callback([settings, &action] {
        action = [settings](std::ostream& out, std::ostream& err) {
            std::function<void(CalculatorController&, CalculatorUpdate&)> chooseTracks;
            if (settings->tracks.Chosen()) {
                FailureKind status = FailureKind::None;
                const std::optional<TrackDuration> duration = ChooseTracks(settings->tracks, err, status);
                if (!duration)
                    return status;
                chooseTracks = [duration](CalculatorController& controller, CalculatorUpdate& update) {
                    update = controller.TracksChosen(duration->hours, duration->minutes, duration->seconds);
                };
            }
            const CalculatorRun run = RunCalculatorSteps(settings->calculator, err, chooseTracks);
            const std::string noResult = NoResultReason(run);
            if (settings->json)
                out << JsonText(CalculatorJson(run, noResult.empty())) << "\n";
            else
                PrintCalculator(out, run);
            if (!noResult.empty()) {
                PrintError(err, "calc", noResult);
                return FailureKind::NoResult;
            }
            return FailureKind::None;
        };
    });
}

} // namespace ratewise::cli
