// SPDX-License-Identifier: GPL-3.0-or-later
// Applies the calculator options in the order a user works through the window.
#include "cli/calculator_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "calc/calculator.h"
#include "calc/medium_presets.h"
#include "cli/messages.h"
#include "cli/option_checks.h"
#include "common/ascii_case.h"
#include "common/lenient_number.h"
#include "common/string_format.h"

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

std::vector<std::string> PresetLabels()
{
    std::vector<std::string> labels;
    for (const MediumPreset& preset : MediumPresets)
        labels.emplace_back(preset.label);
    return labels;
}

enum class NumberKind { Whole, Decimal };

// The window reads what it can of a text and takes 0 for the rest; say so when that is not the
// whole text as typed: "1.5" hours are 1, "abc" is 0, digits beyond the range stop at its end.
void NoteLenientRead(std::ostream& err, const char* option, const std::optional<std::string>& text,
                     NumberKind kind)
{
    if (!text)
        return;
    errno = 0;
    char* end = nullptr;
    const char* begin = text->c_str();
    std::string reads;
    if (kind == NumberKind::Decimal) {
        const double value = std::strtod(begin, &end);
        if (end != begin && *end == '\0' && errno == 0 && std::isfinite(value))
            return;
        reads = StringPrintf("%g", LenientAtof(*text));
    } else {
        const long long value = std::strtoll(begin, &end, 10);
        if (end != begin && *end == '\0' && errno == 0 && value == LenientAtoi(*text))
            return;
        reads = StringPrintf("%d", LenientAtoi(*text));
    }
    PrintNote(err, std::string(option) + ": " + Quoted(*text, 24) + " reads as " + reads);
}

} // namespace

void AddCalculatorOptions(CLI::App& command, CalculatorOptions& options)
{
    const CalculatorState start;
    command.add_option("--hours", options.hours, "Hours of running time")
        ->type_name("N")
        ->default_str(start.hoursText);
    command.add_option("--minutes", options.minutes, "Minutes")
        ->type_name("N")
        ->default_str(start.minutesText);
    command.add_option("--seconds", options.seconds, "Seconds")
        ->type_name("N")
        ->default_str(start.secondsText);
    command.add_option("--size", options.size, "Size of one medium in MB (a preset given too wins)")
        ->type_name("MB")
        ->default_str(start.mediumSizeText);
    command
        .add_option("--preset", options.preset,
                    "Medium: " + Listed(PresetLabels(), ", ") +
                        ", or its index 0-7; any case. Custom keeps --size")
        ->type_name("PRESET")
        ->default_str(std::string(MediumPresets[kStartPresetIndex].label))
        ->transform(CLI::Validator(
            [](std::string& value) {
                // The index, or a label in any case, becomes the label.
                for (const std::string& label : PresetLabels()) {
                    if (SameIgnoringAsciiCase(value, label))
                        value = label;
                }
                if (PresetIndexByName(value) >= 0)
                    return std::string();
                return "expected " + Listed(PresetLabels(), ", ") + ", got '" + value + "'";
            },
            ""));
    command.add_option("--count", options.count, "Number of media, 1 to 9 (others are clamped)")
        ->type_name("N")
        ->default_str("1");
    command.add_option("--audio1", options.audio1, "First audio bitrate in Kbps")
        ->type_name("KBPS")
        ->default_str(start.audio1Text);
    command.add_option("--audio2", options.audio2, "Second audio bitrate in Kbps")
        ->type_name("KBPS")
        ->default_str("0");
    command
        .add_option("--mode", options.mode, "Format: avidvd, or svcd (snaps the audio bitrates to its list)")
        ->type_name("avidvd|svcd")
        ->default_str("avidvd")
        ->transform(OneOf({"avidvd", "svcd"}));
    command.add_flag("--lock", options.lock, "Lock the video bitrate: the running time follows from it");
    command.add_option("--video", options.video, "Video bitrate in Kbps; the running time follows from it")
        ->type_name("KBPS");
}

CalculatorRun
RunCalculatorSteps(const CalculatorOptions& options, std::ostream& err,
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
        NoteLenientRead(err, "--hours", options.hours, NumberKind::Whole);
        NoteLenientRead(err, "--minutes", options.minutes, NumberKind::Whole);
        NoteLenientRead(err, "--seconds", options.seconds, NumberKind::Whole);
        type(CalcField::Hours, options.hours);
        type(CalcField::Minutes, options.minutes);
        type(CalcField::Seconds, options.seconds);
    }
    NoteLenientRead(err, "--size", options.size, NumberKind::Whole);
    type(CalcField::MediumSize, options.size);
    if (options.preset) {
        const int index = PresetIndexByName(*options.preset);
        Absorb(run, controller.PresetChosen(index));
        run.presetIndex = index;
        if (options.size && index > 0)
            PrintNote(err, "--size " + Quoted(*options.size, 24) + " replaced by the " + *options.preset +
                               " preset: " + controller.State().mediumSizeText + " MB");
    }
    if (options.count) {
        NoteLenientRead(err, "--count", options.count, NumberKind::Whole);
        Absorb(run, controller.CountChanged(*options.count));
        const int typed = LenientAtoi(*options.count);
        if (typed != controller.State().mediumCount)
            PrintNote(err, StringPrintf("--count: %d is outside 1 to 9; %d used", typed,
                                        controller.State().mediumCount));
    }
    NoteLenientRead(err, "--audio1", options.audio1, NumberKind::Whole);
    NoteLenientRead(err, "--audio2", options.audio2, NumberKind::Whole);
    type(CalcField::Audio1, options.audio1);
    type(CalcField::Audio2, options.audio2);
    if (options.mode) {
        const std::string audio1 = controller.State().audio1Text;
        const std::string audio2 = controller.State().audio2Text;
        Absorb(run, controller.FormatChosen(*options.mode == "svcd" ? FormatMode::Svcd : FormatMode::AviDvd));
        const CalculatorState& state = controller.State();
        if (audio1 != state.audio1Text || audio2 != state.audio2Text)
            PrintNote(err, "--mode svcd: audio " + audio1 + " + " + audio2 +
                               " Kbps snapped to the (S)VCD list: " + state.audio1Text + " + " +
                               state.audio2Text + " Kbps");
    }
    if (options.lock)
        Absorb(run, controller.LockClicked());
    NoteLenientRead(err, "--video", options.video, NumberKind::Decimal);
    type(CalcField::Video, options.video);
    return run;
}

std::string NoResultReason(const CalculatorRun& run)
{
    const CalculatorState& state = run.controller.State();
    const FieldStates& fields = state.fieldStates;
    const bool durationIsOutput = fields.video == FieldState::Output;
    struct Checked {
        FieldState state;
        const char* option;
        const char* range;
        std::int32_t value;
    };
    const Checked checked[] = {
        {fields.hours, "--hours", "0 to 100", state.hours},
        {fields.minutes, "--minutes", "0 to 59", state.minutes},
        {fields.seconds, "--seconds", "0 to 59", state.seconds},
        {fields.size, "--size", "0 or more", state.mediumSizeMb},
        {fields.audio1, "--audio1", "0 or more", state.audio1Kbps},
        {fields.audio2, "--audio2", "0 or more", state.audio2Kbps},
    };
    const char* result = durationIsOutput ? "no usable running time: " : "no usable video bitrate: ";
    for (const Checked& field : checked) {
        if (field.state == FieldState::Invalid)
            return result + StringPrintf("%s %d is outside %s", field.option, field.value, field.range);
    }
    if (durationIsOutput) {
        const double audio = double(state.audio1Kbps) + double(state.audio2Kbps);
        if (state.videoKbps <= 0.0)
            return result + std::string("the video bitrate is not above 0");
        if (!ComputeDuration(state.videoKbps, state.mediumSizeMb, state.mediumCount, audio, state.formatMode)
                 .usable)
            return result + std::string("the media hold no playing time at this bitrate");
        return "";
    }
    if (state.videoBitrateText == "error")
        return result + std::string("the running time is 0");
    if (state.videoKbps <= 0.0)
        return result + std::string("the audio takes more than the media hold");
    return "";
}

} // namespace ratewise::cli
