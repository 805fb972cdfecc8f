// SPDX-License-Identifier: GPL-3.0-or-later
// Argument parsing and dispatch of ratewise-cli.
#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "cli/commands.h"
#include "common/version.h"

namespace ratewise::cli {
void PrintError(std::ostream& err, const std::string& what, const std::string& why)
{
    err << "ratewise-cli: " << what << ": " << why << "\n";
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    // Scripts probe for the program with `--version`; it answers before any parser is built, so
    // the probe costs little more than starting a process.
    if (args.size() == 1 && args.front() == "--version") {
        out << VersionText("ratewise-cli");
        return kExitOk;
    }

    CLI::App app{"Ratewise: video bitrate calculator and DVD title-set tools", "ratewise-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", VersionText("ratewise-cli"));

    CommandAction action;
    AddCalcCommand(app, action);
    AddVcdProjectCommand(app, action);
    AddSplitCommand(app, action);
    AddChaptersCommand(app, action);
    AddProfileCommand(app, action);
    AddTracksCommand(app, action);
    AddInfoCommand(app, action);
    AddDiscCommand(app, action);
    AddStreamCommand(app, action);
    AddPlanCommand(app, action);

    // CLI11 wants argv order reversed in a vector.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitOk;
    } catch (const CLI::CallForVersion&) {
        out << VersionText("ratewise-cli");
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        PrintError(err, "usage", error.what());
        return kExitUsage;
    }
    if (!action)
        return kExitUsage;
    return action(out, err);
}

} // namespace ratewise::cli
