// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/diagnostics.h"

#include <cstring>

namespace ratewise {

std::string IfoMessagePrefix(int line)
{
    return "RatewiseDlg/" + std::to_string(line) + ": ";
}

void ReportSystemError(std::ostream& err, std::string_view what, int errorCode)
{
    err << what << ": " << std::strerror(errorCode) << '\n';
}

} // namespace ratewise
