// SPDX-License-Identifier: GPL-3.0-or-later
// Argument parsing and dispatch of ratewise-cli.
#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "cli/commands.h"
#include "cli/help_formatter.h"
#include "cli/messages.h"
#include "cli/parse_errors.h"
#include "cli/short_forms.h"
#include "common/printable_text.h"
#include "common/version.h"

namespace ratewise::cli {
namespace {

constexpr const char* kExitStatusHelp =
    "Exit status: 0 success; 1 an output could not be written; 2 usage error; 3 input file missing,\n"
    "unreadable or not a title set; 4 no result (nothing usable came out: the output is still printed\n"
    "and one line on stderr says why).";

// Every command takes -q/--quiet, also after its name; the program does too, before it.
void AddQuietFlags(CLI::App& app, bool& quiet)
{
    const char* help = "Print no notes on values changed or ignored";
    app.add_flag("-q,--quiet", quiet, help);
    for (CLI::App* command : app.get_subcommands({})) {
        if (command->get_option_no_throw("--quiet") == nullptr)
            command->add_flag("--quiet", quiet, help);
        command->footer("Exit status: 0 success, 1 write failed, 2 usage, 3 bad input, 4 no result "
                        "(see 'ratewise-cli --help').");
    }
}

// Every command, in the order `--help` lists them.
struct CommandEntry {
    const char* name;
    void (*add)(CLI::App&, CommandAction&);
};
constexpr CommandEntry kCommands[] = {
    {"calc", AddCalcCommand},       {"vcd-project", AddVcdProjectCommand},
    {"split", AddSplitCommand},     {"chapters", AddChaptersCommand},
    {"profile", AddProfileCommand}, {"tracks", AddTracksCommand},
    {"info", AddInfoCommand},       {"disc", AddDiscCommand},
    {"stream", AddStreamCommand},   {"plan", AddPlanCommand},
};

// The one command to build when the first word names it: building every command's options is
// most of a short run's time. Otherwise (the program's help, a misspelt command, an option before
// the command), every command, so that help and suggestions list them all.
const CommandEntry* OnlyCommand(const std::vector<std::string>& args)
{
    for (const CommandEntry& entry : kCommands) {
        if (!args.empty() && args.front() == entry.name)
            return &entry;
    }
    return nullptr;
}

} // namespace

void PrintError(std::ostream& err, const std::string& what, const std::string& why)
{
    // A path or a value may hold a newline; the message stays one line.
    err << "ratewise-cli: " << PrintableText(what) << ": " << PrintableText(why) << "\n";
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    // Scripts probe for the program with `--version` or `-V`; it answers before any parser is
    // built, so the probe costs little more than starting a process.
    if (args.size() == 1 && (args.front() == "--version" || args.front() == "-V")) {
        out << VersionText("ratewise-cli");
        return ExitStatusOf(FailureKind::None);
    }
    RunContext context;
    const ScopedRunContext attached(err, context);

    CLI::App app{"Ratewise: video bitrate calculator and DVD title-set tools", "ratewise-cli"};
    app.formatter(std::make_shared<HelpFormatter>());
    app.option_defaults()->always_capture_default();
    app.require_subcommand(1);
    app.set_version_flag("-V,--version", VersionText("ratewise-cli"),
                         "Print the version and the license, and exit");
    app.set_help_flag("-h,--help", "Print this help and exit");
    app.footer(kExitStatusHelp);

    CommandAction action;
    if (const CommandEntry* only = OnlyCommand(args)) {
        only->add(app, action);
    } else {
        for (const CommandEntry& entry : kCommands)
            entry.add(app, action);
    }
    AddQuietFlags(app, context.quiet);
    for (CLI::App* command : app.get_subcommands({}))
        command->set_help_flag("-h,--help", "Print this help and exit");

    CLI::App* chosen = ChosenCommand(app, args);
    if (chosen)
        context.command = chosen->get_name();
    const std::vector<std::string> expanded = ExpandShortForms(app, args);
    if (PrintUnknownArgument(err, app, expanded))
        return ExitStatusOf(FailureKind::Usage);
    // CLI11 wants argv order reversed in a vector.
    std::vector<std::string> reversed(expanded.rbegin(), expanded.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return ExitStatusOf(FailureKind::None);
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return ExitStatusOf(FailureKind::None);
    } catch (const CLI::CallForVersion&) {
        out << VersionText("ratewise-cli");
        return ExitStatusOf(FailureKind::None);
    } catch (const CLI::ParseError& error) {
        PrintParseError(err, chosen ? *chosen : app, error);
        return ExitStatusOf(FailureKind::Usage);
    }
    if (!action)
        return ExitStatusOf(FailureKind::Usage);
    return ExitStatusOf(action(out, err));
}

} // namespace ratewise::cli
