// SPDX-License-Identifier: GPL-3.0-or-later
// Export of the bitrate chart to a PNG file, without a window.
#include "explorer/chart_export.h"

#include "common/ascii_case.h"
#include "disc/title_set_load.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <charconv>
#include <csignal>
#include <iostream>
#include <string_view>

#include "common/atomic_file.h"
#include "common/printable_text.h"
#include "explorer/chart_painter.h"
#include "explorer/explorer_source.h"
#include "ui/dialog_units.h"

namespace ratewise {
namespace {

// Largest image side the export draws.
constexpr int kMaxSide = 16384;

void PrintError(std::ostream& err, const std::string& what, const std::string& why)
{
    err << "ratewise: " << PrintableText(what) << ": " << PrintableText(why) << "\n";
}

// The whole text as a number from `lowest` to kMaxSide, or nothing.
std::optional<int> ParseNumber(std::string_view text, int lowest)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > kMaxSide)
        return std::nullopt;
    return value;
}

// The image format a file name's suffix names; PNG without a suffix; nothing for another one.
std::optional<std::string> ImageFormatOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "PNG";
    const std::string suffix = AsciiLowered(path.substr(dot + 1));
    if (suffix == "png")
        return "PNG";
    if (suffix == "jpg" || suffix == "jpeg")
        return "JPEG";
    if (suffix == "bmp")
        return "BMP";
    return std::nullopt;
}

} // namespace

bool IsChartExport(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--chart")
            return true;
    }
    return false;
}

std::optional<ChartExportRequest> ParseChartExport(const std::vector<std::string>& args, std::ostream& err)
{
    ChartExportRequest request;
    bool haveChart = false;
    bool haveTrack = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name != "--chart" && name != "--track" && name != "--png" && name != "-o" && name != "--output" &&
            name != "--width" && name != "--height") {
            PrintError(err, "usage", "unknown argument " + name);
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            PrintError(err, "usage", name + " needs a value");
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (name == "--chart") {
            request.ifoPath = value;
            haveChart = true;
        } else if (name == "--png" || name == "-o" || name == "--output") {
            const std::optional<std::string> format = ImageFormatOf(value);
            if (!format) {
                PrintError(err, "usage",
                           name + ": expected a file name ending in .png, .jpg, .jpeg or .bmp, got '" +
                               value.substr(0, 40) + "'");
                return std::nullopt;
            }
            request.pngPath = value;
            request.imageFormat = *format;
        } else {
            const std::optional<int> number = ParseNumber(value, 1);
            if (!number) {
                PrintError(err, "usage",
                           name + " takes a whole number from 1 to " + std::to_string(kMaxSide));
                return std::nullopt;
            }
            if (name == "--track") {
                request.track = *number;
                haveTrack = true;
            } else if (name == "--width") {
                request.width = *number;
            } else {
                request.height = *number;
            }
        }
    }
    if (!haveChart || !haveTrack || request.pngPath.empty()) {
        PrintError(err, "usage", "ratewise --chart FILE.IFO --track N --png OUT [--width W] [--height H]");
        return std::nullopt;
    }
    return request;
}

int ExportChart(const ChartExportRequest& request, std::ostream& err)
{
    // FILE may be a disc too: its default title set is charted, through the one load path.
    std::ostream quiet(nullptr);
    const TitleSetLoadResult loaded = LoadTitleSet(request.ifoPath, {}, quiet, quiet);
    if (!loaded.load) {
        PrintError(err, request.ifoPath, loaded.why);
        return kChartExportBadInput;
    }
    std::unique_ptr<ByteSource> source = loaded.load->OpenIfo();
    const ExplorerRead read =
        source ? ReadExplorerData(*source, {}, request.track - 1, err)
               : ExplorerRead{.data = std::nullopt, .error = ExplorerReadError::CannotRead, .trackCount = 0};
    switch (read.error) {
    case ExplorerReadError::None:
        break;
    case ExplorerReadError::CannotRead:
        PrintError(err, request.ifoPath, "the title set's information file cannot be read");
        return kChartExportBadInput;
    case ExplorerReadError::NoTimeMap:
        PrintError(err, request.ifoPath, "the title set has no time map");
        return kChartExportBadInput;
    case ExplorerReadError::NoSuchTrack:
        PrintError(err, "--track",
                   "no track " + std::to_string(request.track) + ": the title set has " +
                       std::to_string(read.trackCount));
        return kChartExportUsage;
    }

    // By default the size of the window's chart area when it opens.
    const QSize chartArea = DialogUnits(DialogFont()).Rect(0, 0, 370, 180).size();
    const QSize size(request.width.value_or(chartArea.width()), request.height.value_or(chartArea.height()));
    const QImage image = RenderChart(*read.data, size);
    // Encoded in memory first, then written in one step: a full disk or a kill leaves the old image
    // whole, never a cut one.
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, request.imageFormat.c_str())) {
        PrintError(err, request.pngPath, "cannot encode the image");
        return kChartExportWriteFailed;
    }
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(encoded.constData()),
                                              static_cast<std::size_t>(encoded.size()));
    if (request.pngPath == "-") {
        std::cout.write(encoded.constData(), encoded.size());
        std::cout.flush();
        if (std::cout)
            return kChartExportOk;
        PrintError(err, "standard output", "write failed");
        return kChartExportWriteFailed;
    }
    std::string why;
    if (!WriteFileAtomically(request.pngPath, bytes, why)) {
        PrintError(err, request.pngPath, why);
        return kChartExportWriteFailed;
    }
    return kChartExportOk;
}

int RunChartExport(int argc, char** argv)
{
    // Past a file-size limit the write fails and the old image stays, instead of a kill halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::optional<ChartExportRequest> request = ParseChartExport(args, std::cerr);
    if (!request)
        return kChartExportUsage;
    // Qt gets only the program name and the off-screen platform: no display is needed, and no
    // export argument is mistaken for one of Qt's own.
    char platformOption[] = "-platform";
    char platformName[] = "offscreen";
    char* qtArgv[] = {argv[0], platformOption, platformName, nullptr};
    int qtArgc = 3;
    QGuiApplication app(qtArgc, qtArgv);
    return ExportChart(*request, std::cerr);
}

} // namespace ratewise
