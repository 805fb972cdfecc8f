// SPDX-License-Identifier: GPL-3.0-or-later
// The help of ratewise-cli and its commands: words instead of parser jargon, every default shown,
// the short forms listed with their long names.
#pragma once

#include <CLI/CLI.hpp>

namespace ratewise::cli {

class HelpFormatter : public CLI::Formatter
{
public:
    HelpFormatter();
    std::string make_option_name(const CLI::Option* option, bool isPositional) const override;
    std::string make_option_opts(const CLI::Option* option) const override;
    std::string make_option_desc(const CLI::Option* option) const override;
};

} // namespace ratewise::cli
