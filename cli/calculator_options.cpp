// SPDX-License-Identifier: GPL-3.0-or-later
// Applies the calculator options in the order a user works through the window.
#include "cli/calculator_options.h"

#include "calc/medium_presets.h"

namespace ratewise::cli {
namespace {

void Absorb(CalculatorRun& run, const CalculatorUpdate& update)
{
    if (update.presetIndex)
        run.presetIndex = *update.presetIndex;
    if (update.mediumReport)
        run.mediumReport = *update.mediumReport;
    if (update.bitrateSuggestion)
        run.bitrateSuggestion = *update.bitrateSuggestion;
}

} // namespace

void AddCalculatorOptions(CLI::App& command, CalculatorOptions& options)
{
    command.add_option("--hours", options.hours, "Hours, typed as text");
    command.add_option("--minutes", options.minutes, "Minutes, typed as text");
    command.add_option("--seconds", options.seconds, "Seconds, typed as text");
    command.add_option("--size", options.size, "Size of one medium in MB, typed as text");
    command.add_option("--preset", options.preset, "Medium preset: its label (\"80min CD\") or index 0-7")
        ->check([](const std::string& value) {
            return PresetIndexByName(value) < 0 ? std::string("unknown preset: ") + value : std::string();
        });
    command.add_option("--count", options.count, "Number of media, as the up-down control writes it");
    command.add_option("--audio1", options.audio1, "First audio bitrate in Kbps, typed as text");
    command.add_option("--audio2", options.audio2, "Second audio bitrate in Kbps, typed as text");
    command.add_option("--mode", options.mode, "Format: avidvd or svcd (svcd snaps the audio bitrates)")
        ->check(CLI::IsMember({"avidvd", "svcd"}));
    command.add_flag("--lock", options.lock, "Click Lock: the duration follows from the video bitrate");
    command.add_option("--video", options.video, "Video bitrate in Kbps, typed as text");
}

CalculatorRun
RunCalculatorSteps(const CalculatorOptions& options,
                   const std::function<void(CalculatorController&, CalculatorUpdate&)>& chooseDuration)
{
    CalculatorRun run;
    CalculatorController& controller = run.controller;
    Absorb(run, controller.StartUp());

    auto type = [&](CalcField field, const std::optional<std::string>& text) {
        if (text)
            Absorb(run, controller.FieldChanged(field, *text));
    };
    if (chooseDuration) {
        CalculatorUpdate update;
        chooseDuration(controller, update);
        Absorb(run, update);
    } else {
        type(CalcField::Hours, options.hours);
        type(CalcField::Minutes, options.minutes);
        type(CalcField::Seconds, options.seconds);
    }
    type(CalcField::MediumSize, options.size);
    if (options.preset) {
        const int index = PresetIndexByName(*options.preset);
        Absorb(run, controller.PresetChosen(index));
        run.presetIndex = index;
    }
    if (options.count)
        Absorb(run, controller.CountChanged(*options.count));
    type(CalcField::Audio1, options.audio1);
    type(CalcField::Audio2, options.audio2);
    if (options.mode)
        Absorb(run, controller.FormatChosen(*options.mode == "svcd" ? FormatMode::Svcd : FormatMode::AviDvd));
    if (options.lock)
        Absorb(run, controller.LockClicked());
    type(CalcField::Video, options.video);
    return run;
}

} // namespace ratewise::cli
