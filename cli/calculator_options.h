// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator options shared by `calc` and `split`: the steps a user takes in the window.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "calc/calculator_controller.h"

namespace ratewise::cli {

struct CalculatorOptions {
    std::optional<std::string> hours, minutes, seconds;
    std::optional<std::string> size;
    std::optional<std::string> preset;
    std::optional<std::string> count;
    std::optional<std::string> audio1, audio2;
    std::optional<std::string> mode;
    bool lock = false;
    std::optional<std::string> video;
};

// The calculator as the window would show it after the steps, with the medium list's entry.
struct CalculatorRun {
    CalculatorController controller;
    int presetIndex = 0;
    TipText mediumReport;
    TipText bitrateSuggestion;
};

void AddCalculatorOptions(CLI::App& command, CalculatorOptions& options);

// Starts the calculator, then applies the options in the window's order: duration (typed, or
// by `chooseDuration`, e.g. from tracks chosen in a title set), size, preset, count, audio 1 and 2, mode,
// Lock, video.
// Values read otherwise than typed, clamped, snapped or replaced get a note on `err`.
CalculatorRun
RunCalculatorSteps(const CalculatorOptions& options, std::ostream& err,
                   const std::function<void(CalculatorController&, CalculatorUpdate&)>& chooseDuration = {});

// Why the calculator gives no usable result ("no usable video bitrate: the running time is 0"),
// or the empty text when it gives one.
std::string NoResultReason(const CalculatorRun& run);

} // namespace ratewise::cli
