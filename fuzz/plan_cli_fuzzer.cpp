// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli plan` through RunCli, as people type it. An input is parts separated by NUL
// bytes: the text of a chapter-names file, then the source ("film": a small DVD authored when the
// target starts, with two audio and two subtitle streams; "iso": its image; "ifo": a fixture title
// set, which has no VOBs; "manager": a fixture disc folder, the same), then the arguments after
// it, one a part. "@names" stands for the names file. Paths are dropped, but for the values of -o
// and --stream-command, which plan only checks and prints; names are taken in an empty folder of
// the target's own. It aborts when the exit status is not one of 0-4, when a status other than 0
// comes without a message, when a line on stderr does not start with "ratewise-cli: ", when a
// printed script does more than run words, and when --json gives text that does not parse, figures
// other than its script's header or a script that does not run its media's commands word for
// word. Seed corpus: fuzz/seeds/plan_cli.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/cli.h"
#include "encode/shell_quote.h"
#include "fuzz/arguments.h"
#include "fuzz/plan_script_check.h"
#include "tests/encode/shell_script_reader.h"

namespace {

namespace fs = std::filesystem;

fs::path g_folder;    // the names are taken here
fs::path g_namesFile; // the input's names text
std::string g_film;   // the authored disc's folder; empty when it could not be made

[[noreturn]] void Fault(const std::string& why, const std::vector<std::string>& args, const std::string& out,
                        const std::string& err)
{
    std::fprintf(stderr, "plan command: %s\n--- arguments ---\n%s\n--- stderr ---\n%s--- stdout ---\n%s\n",
                 why.c_str(), ratewise::ShellWords(args).c_str(), err.c_str(), out.c_str());
    std::abort();
}

std::vector<std::string> Parts(std::string_view text)
{
    std::vector<std::string> parts;
    for (std::size_t begin = 0; begin <= text.size();) {
        const std::size_t end = std::min(text.find('\0', begin), text.size());
        parts.emplace_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return parts;
}

std::string SourceNamed(const std::string& name)
{
    const std::string fixture = RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells";
    if (name == "ifo" || g_film.empty())
        return fixture + "/VTS_01_0.IFO";
    if (name == "manager")
        return fixture;
    return name == "iso" ? g_film + ".iso" : g_film;
}

bool TakesPath(const std::string& option)
{
    return option == "-o" || option == "--output" || option == "--stream-command";
}

std::vector<std::string> Arguments(const std::vector<std::string>& parts)
{
    std::vector<std::string> args{"plan", SourceNamed(parts.size() > 1 ? parts[1] : "")};
    for (std::size_t i = 2; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        const std::size_t equals = part.find('=');
        const bool pathValue =
            TakesPath(args.back()) ||
            (part.starts_with("--") && equals != std::string::npos && TakesPath(part.substr(0, equals)));
        // Further sources: a season over several discs.
        if (part == "film" || part == "iso") {
            args.push_back(SourceNamed(part));
            continue;
        }
        if (part == "@names" || part == "--names=@names") {
            args.push_back(part.substr(0, part.size() - 6) + g_namesFile.string());
            continue;
        }
        // No other paths, and no "-", which would read the fuzzer's own standard input.
        if ((part.find('/') != std::string::npos && !pathValue) || part == "-" || part.ends_with("=-"))
            continue;
        args.push_back(part);
    }
    return ratewise::fuzzing::InFolder(args, {"--names", "-o", "--output"}, g_folder);
}

// The figure on the header line that starts with `label` in the script's `file`-th part (from 1:
// the medium of one title's plan, or the file of several titles').
std::optional<double> HeaderFigure(const std::string& script, int file, const std::string& label)
{
    std::size_t part = 0;
    for (int k = 0; k < file && part != std::string::npos; ++k)
        part = script.find("\n# Medium ", k == 0 ? 0 : part + 1);
    const std::size_t line = part == std::string::npos ? part : script.find("\n#   " + label, part + 1);
    if (line == std::string::npos)
        return std::nullopt;
    return std::strtod(script.c_str() + line + 5 + label.size(), nullptr);
}

// What --json printed: it parses, its media's figures are its script's, and its script runs
// its media's commands.
std::string CheckJson(const std::string& out)
{
    const nlohmann::json json = nlohmann::json::parse(out, nullptr, false);
    if (json.is_discarded())
        return "the JSON does not parse";
    // Several titles' plan lists its files, each with its medium; one title's, its media.
    const char* key = json.contains("files") ? "files" : "media";
    if (!json.contains("script") || !json["script"].is_string() || !json.contains(key) ||
        !json[key].is_array() || json[key].empty())
        return "the JSON has no script or no media";
    const std::string script = json["script"];
    std::vector<ratewise::fuzzing::ScriptMedium> media;
    int number = 0;
    for (const nlohmann::json& medium : json[key]) {
        ++number;
        const std::optional<double> target = HeaderFigure(script, number, "target: ");
        const std::optional<double> video = HeaderFigure(script, number, "video bitrate asked: ");
        if (!target || !video || *target != medium.value("targetBytes", -1.0) ||
            *video != medium.value("videoBitsPerSecond", -1.0))
            return "medium " + std::to_string(number) +
                   ": the JSON's target or video bitrate is not the script's";
        ratewise::fuzzing::ScriptMedium expected;
        if (medium.contains("chapterFile"))
            expected.chapterFile = ratewise::TextFile{.path = medium["chapterFile"]["path"],
                                                      .text = medium["chapterFile"]["text"]};
        for (const nlohmann::json& command : medium["commands"])
            expected.commands.push_back({.feed = command["feed"], .command = command["command"]});
        expected.leftovers = medium["leftovers"].get<std::vector<std::string>>();
        // One comment line per stream, and one for the AAC margin where there is one.
        expected.streams = medium["streams"].size() + (medium.value("audioMarginBytes", 0.0) > 0 ? 1u : 0u);
        expected.titled = json.contains("files");
        media.push_back(std::move(expected));
    }
    // Bytes that are not UTF-8 are replaced in the JSON's strings, not always the same way inside
    // the script's quotes as alone: the words are compared where nothing was replaced.
    if (script.find("\xEF\xBF\xBD") != std::string::npos)
        return {};
    return ratewise::fuzzing::CheckPlanScript(script, media);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_folder = fs::temp_directory_path() / ("ratewise-fuzz-plan-cli-" + std::to_string(::getpid()));
    fs::create_directories(g_folder);
    g_namesFile = g_folder / "names.txt";
    std::atexit([] {
        std::error_code error;
        fs::remove_all(g_folder, error);
    });
    // The film disc of the encode tests, 6 s long: three chapters, enough to split over two media.
    const fs::path disc = g_folder / "disc";
    fs::create_directories(disc);
    const std::string author =
        ratewise::ShellWords({RATEWISE_TEST_DVD_SCRIPT, (disc / "film").string(), "film", "6"});
    if (std::system((author + " >/dev/null 2>&1").c_str()) == 0)
        g_film = (disc / "film").string();
    else
        std::fprintf(
            stderr,
            "plan_cli: no test DVD (ffmpeg, dvdauthor, spumux, genisoimage): fixture title sets only\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> parts = Parts({reinterpret_cast<const char*>(data), size});
    const std::vector<std::string> args = Arguments(parts);
    std::ofstream(g_namesFile, std::ios::binary | std::ios::trunc) << parts[0];

    std::ostringstream outStream, errStream;
    const int status = ratewise::cli::RunCli(args, outStream, errStream);
    const std::string out = outStream.str(), err = errStream.str();
    if (status < ratewise::cli::kExitOk || status > ratewise::cli::kExitNoResult)
        Fault("exit status " + std::to_string(status), args, out, err);
    if (status != ratewise::cli::kExitOk && err.empty())
        Fault("exit status " + std::to_string(status) + " without a message", args, out, err);
    if (!err.empty() && err.back() != '\n')
        Fault("stderr does not end its line", args, out, err);
    for (std::size_t line = 0; line < err.size(); line = err.find('\n', line) + 1) {
        if (err.compare(line, 14, "ratewise-cli: ") != 0)
            Fault("a line on stderr without \"ratewise-cli: \"", args, out, err);
    }
    if (status != ratewise::cli::kExitOk)
        return 0;
    if (out.starts_with('{')) {
        if (const std::string why = CheckJson(out); !why.empty())
            Fault(why, args, out, err);
    } else if (out.starts_with("#!")) {
        const ratewise::test_support::ShellScript script = ratewise::test_support::ReadShellScript(out);
        if (!script.error.empty())
            Fault("the script does more than run words: " + script.error, args, out, err);
        for (const ratewise::test_support::ShellComment& comment : script.comments) {
            if (!comment.startsLine)
                Fault("a comment after a command", args, out, err);
        }
    }
    return 0;
}
