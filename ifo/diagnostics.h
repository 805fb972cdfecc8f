// SPDX-License-Identifier: GPL-3.0-or-later
// Diagnostics of the title-set reader. Messages go to a stream the caller passes in (the program
// passes std::cerr and std::cout, tests a string stream). Every message starts with the reader's
// name and the line of the statement that reports it, e.g. "RatewiseDlg/57: error in lseek".
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace ratewise {

// "RatewiseDlg/<line>: "
std::string IfoMessagePrefix(int line);

// The C library's perror form: "<what>: <text of errorCode>\n".
void ReportSystemError(std::ostream& err, std::string_view what, int errorCode);

} // namespace ratewise

// The prefix for a message reported by the statement on this line.
#define RATEWISE_IFO_WHERE ::ratewise::IfoMessagePrefix(__LINE__)
