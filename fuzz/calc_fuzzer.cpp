// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the calculator as the window would: a sequence of requests to the
// controller, one per line (first byte: which request, the rest: its text, e.g. what was typed
// into a field). Seed corpus: fuzz/seeds/calc.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculator_controller.h"
#include "common/lenient_number.h"
#include "fuzz/text_lines.h"

namespace {

using ratewise::CalcField;
using ratewise::CalculatorController;

void RunWindowRequests(const std::vector<std::string>& lines)
{
    CalculatorController controller;
    controller.StartUp();
    for (const std::string& line : lines) {
        if (line.empty())
            continue;
        const std::string_view text = std::string_view(line).substr(1);
        switch (static_cast<unsigned char>(line[0]) % 14) {
        case 7:
            // The medium list holds eight entries; -1 is no selection.
            controller.PresetChosen(
                static_cast<int>(static_cast<std::uint32_t>(ratewise::LenientAtoi(text)) % 9) - 1);
            break;
        case 8:
            controller.CountChanged(text);
            break;
        case 9:
            controller.FormatChosen(text.size() % 2 ? ratewise::FormatMode::Svcd
                                                    : ratewise::FormatMode::AviDvd);
            break;
        case 10:
            controller.LockClicked();
            break;
        case 11: {
            // Summed running times of up to 99 tracks of up to 99:59:59 each.
            const int seconds = std::abs(ratewise::LenientAtoi(text) % (99 * 360000));
            controller.TracksChosen(seconds / 3600, seconds / 60 % 60, seconds % 60);
            break;
        }
        case 12:
            controller.Repaint();
            break;
        case 13:
            controller.SuggestionRequested();
            break;
        default:
            controller.FieldChanged(static_cast<CalcField>(static_cast<unsigned char>(line[0]) % 14), text);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> lines =
        ratewise::fuzzing::Lines({reinterpret_cast<const char*>(data), size});
    RunWindowRequests(lines);
    return 0;
}
