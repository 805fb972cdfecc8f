// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup_options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "common/version.h"

namespace ratewise {
namespace {

constexpr std::string_view kUsage =
    "Usage: ratewise [FILE.IFO | DISC]\n"
    "       ratewise --chart FILE.IFO --track N --png OUT [--width W] [--height H]\n"
    "\n"
    "Ratewise: video bitrate calculator and DVD title-set tools. FILE.IFO (a title set's\n"
    "VTS_xx_0.IFO) or a DISC (VIDEO_TS.IFO, folder, image, drive) is loaded into the window at\n"
    "start. See ratewise(1).\n"
    "\n"
    "Options:\n"
    "  -h, --help      Print this help and exit\n"
    "  -V, --version   Print the version and exit\n"
    "  --chart FILE.IFO --track N --png OUT [--width W] [--height H]\n"
    "                  Draw track N's bitrate chart into OUT without opening a window; the\n"
    "                  suffix of OUT chooses the format: .png (also without a suffix), .jpg,\n"
    "                  .jpeg or .bmp. -o, --output OUT is the same as --png OUT.\n"
    "  Qt's options (-platform NAME, -style NAME, -geometry WxH+X+Y, ...) are passed to Qt.\n"
    "\n"
    "Exit status: 0 success, 1 the image could not be written, 2 usage error, 3 input file\n"
    "missing, unreadable or not a title set. The command-line tools are in ratewise-cli.\n";

// Qt's own options that take a value, and those that take none (QGuiApplication,
// QApplication); either may be written with one dash or two.
constexpr std::array<std::string_view, 16> kQtWithValue{"platform",        "platformpluginpath",
                                                        "platformtheme",   "plugin",
                                                        "qwindowgeometry", "qwindowicon",
                                                        "qwindowtitle",    "style",
                                                        "stylesheet",      "geometry",
                                                        "display",         "session",
                                                        "title",           "name",
                                                        "fontengine",      "qmljsdebugger"};
constexpr std::array<std::string_view, 5> kQtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync"};

std::string_view QtName(std::string_view arg)
{
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    return arg.substr(0, arg.find('='));
}

} // namespace

std::optional<int> HandleStartupOptions(const std::vector<std::string>& args, std::ostream& out,
                                        std::ostream& err)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--")
            break;
        if (arg.size() < 2 || arg[0] != '-')
            continue; // the title set
        if (arg == "-h" || arg == "--help") {
            out << kUsage;
            return 0;
        }
        if (arg == "-V" || arg == "--version") {
            out << VersionText("ratewise");
            return 0;
        }
        const std::string_view name = QtName(arg);
        if (std::find(kQtFlags.begin(), kQtFlags.end(), name) != kQtFlags.end())
            continue;
        if (std::find(kQtWithValue.begin(), kQtWithValue.end(), name) != kQtWithValue.end()) {
            if (arg.find('=') == std::string::npos)
                ++i;
            continue;
        }
        err << "ratewise: '" << arg.substr(0, 40) << "': unknown option (see 'ratewise --help')\n";
        return 2;
    }
    return std::nullopt;
}

} // namespace ratewise
