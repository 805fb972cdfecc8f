// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/short_forms.h"

#include <array>
#include <utility>

namespace ratewise::cli {
namespace {

constexpr std::array<std::pair<char, const char*>, 4> kShortForms{{
    {'t', "--track"},
    {'j', "--json"},
    {'f', "--format"},
    {'q', "--quiet"},
}};

} // namespace

char ShortFormOf(const std::string& longName)
{
    for (const auto& [letter, name] : kShortForms) {
        if (longName == name)
            return letter;
    }
    return 0;
}

CLI::App* ChosenCommand(CLI::App& app, const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        for (CLI::App* sub : app.get_subcommands({})) {
            if (sub->check_name(arg))
                return sub;
        }
    }
    return nullptr;
}

std::vector<std::string> ExpandShortForms(CLI::App& app, const std::vector<std::string>& args)
{
    CLI::App* command = ChosenCommand(app, args);
    if (command == nullptr)
        return args;
    std::vector<std::string> expanded;
    bool verbatim = false;
    for (const std::string& arg : args) {
        verbatim = verbatim || arg == "--";
        const bool shortForm = !verbatim && arg.size() >= 2 && arg[0] == '-' && arg[1] != '-';
        const CLI::Option* taken = nullptr;
        const char* longName = nullptr;
        if (shortForm) {
            for (const auto& [letter, name] : kShortForms) {
                // A command's own option of that letter wins.
                if (arg[1] == letter && command->get_option_no_throw(std::string("-") + letter) == nullptr) {
                    taken = command->get_option_no_throw(name);
                    longName = name;
                }
            }
        }
        if (taken == nullptr) {
            expanded.push_back(arg);
        } else if (arg.size() == 2) {
            expanded.emplace_back(longName);
        } else if (taken->get_type_size() != 0) {
            // "-t3" or "-t=3"
            expanded.push_back(std::string(longName) + "=" + arg.substr(arg[2] == '=' ? 3 : 2));
        } else {
            expanded.push_back(arg); // "-jx": not a short form of ours
        }
    }
    return expanded;
}

} // namespace ratewise::cli
