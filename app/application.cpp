// SPDX-License-Identifier: GPL-3.0-or-later
// Start of the desktop program.
#include "app/application.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <iostream>

#include "app/chart_export.h"
#include "app/main_dialog.h"
#include "common/version.h"
#include "ui/app_resources.h"

namespace ratewise {
namespace {

constexpr const char* kUsage =
    "Usage: ratewise [FILE.IFO | DISC]\n"
    "       ratewise --chart FILE.IFO --track N --png OUT [--width W] [--height H]\n"
    "       ratewise --version | --help\n"
    "Opens the window, loading FILE.IFO or a disc (VIDEO_TS.IFO, folder, image, drive) when given;\n"
    "--chart draws one track's bitrate chart into a PNG file without a window. See ratewise(1).\n";

bool IsOnlyArgument(int argc, char** argv, const char* option)
{
    return argc == 2 && std::strcmp(argv[1], option) == 0;
}

} // namespace

int Application::Run(int& argc, char** argv)
{
    // The reader's progress lines go to standard output through the C stream. Sent to a file or a
    // pipe it would hold them in a block until exit; line by line, a killed run has written them.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    // Answered before Qt starts, so they need no display.
    if (IsOnlyArgument(argc, argv, "--version")) {
        std::cout << VersionText("ratewise");
        return 0;
    }
    if (IsOnlyArgument(argc, argv, "--help")) {
        std::cout << kUsage;
        return 0;
    }
    // The chart export draws off-screen and exits before any window exists.
    if (IsChartExport(argc, argv))
        return RunChartExport(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ratewise"));
    QApplication::setApplicationVersion(QStringLiteral(RATEWISE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.ratewise.Ratewise"));
    QApplication::setWindowIcon(ApplicationIcon());

    // Qt has taken its own options out of the arguments; the first one left is a title set.
    MainDialog dialog(QApplication::arguments().mid(1));
    dialog.show();
    return QApplication::exec();
}

} // namespace ratewise
