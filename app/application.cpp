// SPDX-License-Identifier: GPL-3.0-or-later
// Start of the desktop program.
#include "app/application.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "app/startup_options.h"
#include "common/version.h"
#include "explorer/chart_export.h"
#include "ui/app_resources.h"

namespace ratewise {

int Application::Run(int& argc, char** argv)
{
    // The reader's progress lines go to standard output through the C stream. Sent to a file or a
    // pipe it would hold them in a block until exit; line by line, a killed run has written them.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    // The chart export draws off-screen and exits before any window exists.
    if (IsChartExport(argc, argv))
        return RunChartExport(argc, argv);
    // --help, --version and unknown options end the start before Qt or a window is made.
    if (const std::optional<int> status = HandleStartupOptions(
            std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), std::cout, std::cerr))
        return *status;
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
