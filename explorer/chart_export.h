// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's chart export: `ratewise --chart FILE.IFO --track N --png OUT [--width W]
// [--height H]` draws the chart area of one track, with the default colours, into an image file
// (PNG, JPEG or BMP by the name's suffix) and exits. It renders off-screen, so it opens no window and needs
// no display.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ratewise {

struct ChartExportRequest {
    std::string ifoPath;
    int track = 0;                   // from 1, as the window numbers them
    std::string pngPath;             // the image to write (--png or -o/--output)
    std::string imageFormat = "PNG"; // from its suffix: PNG, JPEG or BMP
    std::optional<int> width;        // the window's chart area at its first opening when not given
    std::optional<int> height;
};

// Exit statuses, the same as the command-line front end's.
enum ChartExportStatus : int {
    kChartExportOk = 0,
    kChartExportWriteFailed = 1,
    kChartExportUsage = 2,
    kChartExportBadInput = 3,
};

// True when the program was started for an export rather than for the window.
bool IsChartExport(int argc, char** argv);

// Reads the export's arguments (the program name left out). Nothing after printing one
// "ratewise: usage: ..." line to `err`.
std::optional<ChartExportRequest> ParseChartExport(const std::vector<std::string>& args, std::ostream& err);

// Reads the title set, draws the chart and writes the PNG. Needs a running QGuiApplication.
int ExportChart(const ChartExportRequest& request, std::ostream& err);

// The whole export as the program runs it: arguments, an off-screen QGuiApplication, ExportChart.
int RunChartExport(int argc, char** argv);

} // namespace ratewise
