// SPDX-License-Identifier: GPL-3.0-or-later
// ratewise: the desktop program.
#include "app/application.h"

int main(int argc, char** argv)
{
    ratewise::Application application;
    return application.Run(argc, argv);
}
