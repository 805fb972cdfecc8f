// SPDX-License-Identifier: GPL-3.0-or-later
// CLI11 words its errors for programmers ("Could not convert: --track = abc", "Value 0 not in
// range 0.000000 to 1797..."); this reads the pieces out of them and says them for people.
#include "cli/parse_errors.h"

#include <cctype>
#include <cmath>
#include <map>

#include "cli/messages.h"
#include "cli/nearest_name.h"
#include "cli/option_checks.h"
#include "cli/short_forms.h"

namespace ratewise::cli {
namespace {

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

// `text` split at the first `separator`; the whole text first when it has none.
std::pair<std::string, std::string> SplitAt(const std::string& text, const std::string& separator)
{
    const std::size_t at = text.find(separator);
    if (at == std::string::npos)
        return {text, ""};
    return {text.substr(0, at), text.substr(at + separator.size())};
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + " ") {
        if (c == ' ' || c == ',') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

// A bound of a CLI11 range as a person writes it: "3", not "3.000000".
std::string Bound(const std::string& text)
{
    const double value = std::atof(text.c_str());
    if (std::fabs(value) >= 1e15 || value < -1e15)
        return "";
    if (value > 0 && value < 1)
        return "1";
    return std::to_string(static_cast<long long>(std::llround(value)));
}

const CLI::Option* FindOption(const CLI::App& command, const std::string& name)
{
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_name() == name || option->check_name(name))
            return option;
    }
    return nullptr;
}

std::vector<std::string> OptionNames(const CLI::App& command)
{
    std::vector<std::string> names;
    for (const CLI::Option* option : command.get_options()) {
        for (const std::string& name : option->get_lnames())
            names.push_back("--" + name);
    }
    return names;
}

std::vector<std::string> CommandNames(const CLI::App& app)
{
    std::vector<std::string> names;
    for (const CLI::App* sub : app.get_subcommands({}))
        names.push_back(sub->get_name());
    return names;
}

void PrintUnexpected(std::ostream& err, const CLI::App& command, const std::string& extras)
{
    const std::string first = Words(extras).empty() ? extras : Words(extras).front();
    const bool isProgram = command.get_parent() == nullptr;
    if (StartsWith(first, "-")) {
        const std::string name = SplitAt(first, "=").first;
        const std::string nearest = NearestName(name, OptionNames(command));
        PrintRefusal(err, Quoted(name, 40),
                     "unknown option" + (nearest.empty() ? "" : "; did you mean " + nearest + "?"));
    } else if (isProgram) {
        const std::string nearest = NearestName(first, CommandNames(command));
        PrintRefusal(err, Quoted(first, 40),
                     "unknown command" + (nearest.empty() ? "; expected " + Listed(CommandNames(command))
                                                          : "; did you mean " + nearest + "?"));
    } else {
        PrintRefusal(err, Quoted(first, 40), "unexpected argument");
    }
}

} // namespace

bool PrintUnknownArgument(std::ostream& err, CLI::App& app, const std::vector<std::string>& args)
{
    CLI::App* command = nullptr;
    std::size_t values = 0; // words still to come that are an option's values
    for (const std::string& arg : args) {
        if (values > 0) {
            --values;
            continue;
        }
        if (arg == "--")
            return false;
        // "-1" or "-5,3" is a value; an option starts with a letter after its dashes.
        const bool option =
            arg.size() > 1 && arg[0] == '-' &&
            (std::isalpha(static_cast<unsigned char>(arg[1])) || (arg[1] == '-' && arg.size() > 2));
        if (command == nullptr && !option) {
            for (CLI::App* sub : app.get_subcommands({})) {
                if (sub->check_name(arg))
                    command = sub;
            }
            if (command == nullptr) {
                PrintUnexpected(err, app, arg);
                return true;
            }
            continue;
        }
        if (!option)
            continue;
        // "--name=value" and "-xvalue" name "--name" and "-x".
        const std::string name = arg[1] == '-' ? SplitAt(arg, "=").first : arg.substr(0, 2);
        const bool known = (command && command->get_option_no_throw(name)) || app.get_option_no_throw(name);
        if (!known) {
            PrintUnexpected(err, command ? *command : app, name);
            return true;
        }
        values = ValueWordsAfter(app, command, arg);
    }
    return false;
}

std::string ValueWord(const CLI::Option& option)
{
    std::string type = option.get_type_name();
    // Names of several values ("DIR FORMAT") say more than the members of one of them.
    if (const std::string names = SplitAt(type, ":").first; names.find(' ') != std::string::npos)
        return names;
    // A choice lists its members: "TEXT:{avidvd,svcd}" -> "avidvd|svcd".
    const std::size_t brace = type.find('{');
    if (brace != std::string::npos) {
        std::string members = type.substr(brace + 1, type.find('}', brace) - brace - 1);
        for (char& c : members)
            c = c == ',' ? '|' : c;
        return members;
    }
    type = SplitAt(type, ":").first;
    static const std::map<std::string, std::string> jargon = {
        {"TEXT", "VALUE"}, {"INT", "N"}, {"UINT", "N"}, {"FLOAT", "NUMBER"}, {"BOOLEAN", "yes|no"}};
    const auto word = jargon.find(type);
    return word == jargon.end() ? type : word->second;
}

std::string TakesWords(const CLI::Option& option)
{
    static const std::map<std::string, std::string> words = {{"N", "a whole number"},
                                                             {"FILE", "a file name"},
                                                             {"KBPS", "a bitrate in Kbps"},
                                                             {"MB", "a size in MB"},
                                                             {"W", "a width in pixels"},
                                                             {"OUT", "a file name, or - for stdout"},
                                                             {"TRACK", "a track number"},
                                                             {"TRACKS", "track numbers: 1,3"},
                                                             {"PRESET", "a preset name or index"},
                                                             {"NUMBER", "a number"},
                                                             {"TEXT", "a text"}};
    const std::string word = ValueWord(option);
    if (word.find('|') != std::string::npos) {
        std::vector<std::string> members;
        for (std::string rest = word; !rest.empty();) {
            auto [first, after] = SplitAt(rest, "|");
            members.push_back(first);
            rest = after;
        }
        return Listed(members);
    }
    const auto found = words.find(word);
    return found == words.end() ? "a value (" + word + ")" : found->second;
}

void PrintParseError(std::ostream& err, const CLI::App& command, const CLI::ParseError& error)
{
    const std::string message = error.what();
    const std::string commandName = command.get_parent() ? command.get_name() : "ratewise-cli";
    auto takes = [&command](const std::string& name) {
        const CLI::Option* option = FindOption(command, name);
        return option ? TakesWords(*option) : std::string("a value");
    };

    if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
        PrintUnexpected(err, command, SplitAt(message, "expected: ").second);
    } else if (dynamic_cast<const CLI::ConversionError*>(&error)) {
        // "Could not convert: NAME = VALUE"
        const auto [name, value] = SplitAt(SplitAt(message, "convert: ").second, " = ");
        PrintUsageError(err, name, takes(name), value);
    } else if (dynamic_cast<const CLI::ValidationError*>(&error)) {
        const auto [name, why] = SplitAt(message, ": ");
        // Our own checks: "expected E, got 'V'". E never holds ", got '", V may: the first one
        // ends E. The value is fitted to the line here.
        const std::size_t got = why.find(", got '");
        if (StartsWith(why, "expected ") && got != std::string::npos && why.back() == '\'') {
            PrintUsageError(err, name, why.substr(9, got - 9), why.substr(got + 7, why.size() - got - 8));
        } else if (StartsWith(why, "expected ")) {
            PrintRefusal(err, name, why);
        } else if (why.find(" not in range ") != std::string::npos) {
            // "Value V not in range LO to HI"
            const auto [value, range] = SplitAt(SplitAt(why, "Value ").second, " not in range ");
            const auto [low, high] = SplitAt(range, " to ");
            const std::string lower = Bound(low);
            const std::string upper = Bound(high);
            // CLI11 shows its "positive" lower bound as 0; a refused 0 tells it apart.
            const bool positive =
                lower == "0" && std::atof(value.c_str()) == 0.0 && value.find_first_of("0") == 0;
            PrintUsageError(err, name,
                            upper.empty() ? (positive ? "a number above 0" : "a number from " + lower + " up")
                                          : "a number from " + lower + " to " + upper,
                            value);
        } else if (why.find(" not in {") != std::string::npos) {
            // "V not in {a,b}"
            const auto [value, set] = SplitAt(why, " not in {");
            PrintUsageError(err, name, Listed(Words(SplitAt(set, "}").first)), value);
        } else {
            PrintRefusal(err, name, why);
        }
    } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
        const std::string name = SplitAt(message, ":").first;
        PrintRefusal(err, name, "expected " + takes(name) + ", got nothing");
    } else if (dynamic_cast<const CLI::RequiresError*>(&error)) {
        const auto [name, needed] = SplitAt(message, " requires ");
        PrintRefusal(err, name, "needs " + needed);
    } else if (dynamic_cast<const CLI::ExcludesError*>(&error)) {
        const auto [name, excluded] = SplitAt(message, " excludes ");
        PrintRefusal(err, name, "cannot be used with " + excluded);
    } else if (dynamic_cast<const CLI::RequiredError*>(&error)) {
        if (StartsWith(message, "A subcommand")) {
            PrintRefusal(err, "usage", "expected a command: " + Listed(CommandNames(command)));
        } else if (message.find(" option from [") != std::string::npos) {
            // "Exactly 1 option from [--video, --audio, --subs] ..."
            const std::string list = SplitAt(SplitAt(message, "[").second, "]").first;
            PrintRefusal(err, commandName, "expected exactly one of " + Listed(Words(list)));
        } else {
            const std::string name = SplitAt(message, " is required").first;
            PrintRefusal(err, name, "required: " + takes(name));
        }
    } else {
        PrintRefusal(err, "usage", message);
    }
}

} // namespace ratewise::cli
