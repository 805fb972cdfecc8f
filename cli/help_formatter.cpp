// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/help_formatter.h"

#include <set>

#include "cli/parse_errors.h"
#include "cli/short_forms.h"

namespace ratewise::cli {

HelpFormatter::HelpFormatter()
{
    column_width(32);
    label("OPTIONS", "OPTIONS");
    label("SUBCOMMAND", "COMMAND");
    label("Subcommands", "Commands");
}

std::string HelpFormatter::make_option_name(const CLI::Option* option, bool isPositional) const
{
    if (isPositional)
        return option->get_name(true, false);
    std::string names;
    for (const std::string& name : option->get_snames())
        names += "-" + name + ", ";
    for (const std::string& name : option->get_lnames()) {
        if (const char letter = ShortFormOf("--" + name); letter != 0 && option->get_snames().empty())
            names += std::string("-") + letter + ", ";
        names += "--" + name + ", ";
    }
    return names.substr(0, names.size() - 2);
}

std::string HelpFormatter::make_option_opts(const CLI::Option* option) const
{
    if (option->get_type_size() == 0 || option->get_positional())
        return "";
    return " " + ValueWord(*option);
}

std::string HelpFormatter::make_option_desc(const CLI::Option* option) const
{
    std::string text = option->get_description();
    // get_needs() and get_excludes() give copies: each is walked as one set.
    auto names = [](const std::set<CLI::Option*>& options) {
        std::string list;
        for (const CLI::Option* other : options)
            list += (list.empty() ? "" : ", ") + other->get_name();
        return list;
    };
    if (const std::set<CLI::Option*> needs = option->get_needs(); !needs.empty())
        text += "; needs " + names(needs);
    if (const std::set<CLI::Option*> excludes = option->get_excludes(); !excludes.empty())
        text += "; not with " + names(excludes);
    // A flag's "false" and an unset value's empty text say nothing; a required option has none.
    const std::string& value = option->get_default_str();
    if (option->get_type_size() != 0 && !option->get_required() && !value.empty() && value != "[]")
        text += " [default: " + value + "]";
    return text;
}

} // namespace ratewise::cli
