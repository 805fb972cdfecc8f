// SPDX-License-Identifier: GPL-3.0-or-later
// The program: sets up Qt, opens the main window with the command-line arguments and runs until
// the window closes. Nothing is saved.
#pragma once

namespace ratewise {

class Application
{
public:
    int Run(int& argc, char** argv);
};

} // namespace ratewise
