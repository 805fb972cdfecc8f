// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/short_forms.h"

#include <algorithm>
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

std::size_t ValueWordsAfter(const CLI::App& app, const CLI::App* command, const std::string& arg)
{
    if (arg.size() < 2 || arg[0] != '-' || arg == "--")
        return 0;
    const bool longForm = arg[1] == '-';
    if (longForm && arg.find('=') != std::string::npos)
        return 0;
    if (!longForm && arg.size() > 2)
        return 0;
    const CLI::Option* option = command ? command->get_option_no_throw(arg) : nullptr;
    if (option == nullptr)
        option = app.get_option_no_throw(arg);
    if (option == nullptr || option->get_items_expected_max() == 0)
        return 0;
    // The parser takes this many words whatever they are; any further ones only when they do
    // not look like options.
    return static_cast<std::size_t>(
        std::max(0, std::min(option->get_type_size_min(), option->get_items_expected_min())));
}

std::vector<std::string> ExpandShortForms(CLI::App& app, const std::vector<std::string>& args)
{
    CLI::App* command = ChosenCommand(app, args);
    if (command == nullptr)
        return args;
    std::vector<std::string> expanded;
    bool verbatim = false;
    std::size_t values = 0; // words still to come that are an option's values
    for (const std::string& arg : args) {
        if (values > 0) {
            --values;
            expanded.push_back(arg);
            continue;
        }
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
            if (!verbatim)
                values = ValueWordsAfter(app, command, arg);
        } else if (arg.size() == 2) {
            expanded.emplace_back(longName);
            values = ValueWordsAfter(app, command, longName);
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
