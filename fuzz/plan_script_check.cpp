// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/plan_script_check.h"

#include "common/printable_text.h"
#include "tests/encode/shell_script_reader.h"

namespace ratewise::fuzzing {
namespace {

using test_support::ShellCommand;
using test_support::ShellStatement;

// The header's lines before the first medium, and each medium's lines besides one per stream.
constexpr std::size_t kHeaderComments = 4;
constexpr std::size_t kMediumComments = 7;

ShellStatement Simple(std::vector<std::string> words)
{
    ShellStatement statement;
    statement.commands.push_back({.words = std::move(words), .redirects = {}, .hereDocuments = {}});
    return statement;
}

std::string Shown(const ShellStatement& statement)
{
    std::string text;
    for (std::size_t i = 0; i < statement.commands.size(); ++i) {
        const ShellCommand& command = statement.commands[i];
        for (const std::string& word : command.words)
            text += "<" + PrintableText(word) + "> ";
        for (const auto& redirect : command.redirects)
            text += redirect.op + "<" + PrintableText(redirect.target) + "> ";
        for (const std::string& body : command.hereDocuments)
            text += "[" + std::to_string(body.size()) + " bytes] ";
        if (i < statement.operators.size())
            text += statement.operators[i] + " ";
    }
    return text;
}

// The statements the plan's media make, the chapter files' delimiters taken from `read` where
// it has a statement at that place: the check is that no line of the text is the delimiter.
std::vector<ShellStatement> Expected(const std::vector<ScriptMedium>& media,
                                     const std::vector<ShellStatement>& read, std::string& why)
{
    std::vector<ShellStatement> expected{Simple({"set", "-e"})};
    for (const ScriptMedium& medium : media) {
        if (medium.chapterFile) {
            std::string text = medium.chapterFile->text;
            if (!text.empty() && text.back() != '\n')
                text += '\n';
            std::string delimiter;
            const std::size_t at = expected.size();
            if (at < read.size() && read[at].commands.size() == 1 &&
                read[at].commands[0].redirects.size() == 2)
                delimiter = read[at].commands[0].redirects[1].target;
            if (why.empty() && !delimiter.empty() &&
                ("\n" + text).find("\n" + delimiter + "\n") != std::string::npos)
                why = "the here-document's delimiter " + delimiter + " is a line of its text";
            ShellStatement cat = Simple({"cat"});
            cat.commands[0].redirects = {{">", medium.chapterFile->path}, {"<<", delimiter}};
            cat.commands[0].hereDocuments = {text};
            expected.push_back(std::move(cat));
        }
        for (const PlanCommand& command : medium.commands) {
            ShellStatement statement = Simple(command.command);
            if (!command.feed.empty()) {
                statement.commands.insert(statement.commands.begin(),
                                          {.words = command.feed, .redirects = {}, .hereDocuments = {}});
                statement.operators = {"|"};
            }
            expected.push_back(std::move(statement));
        }
        if (!medium.leftovers.empty()) {
            std::vector<std::string> remove{"rm", "-f", "--"};
            remove.insert(remove.end(), medium.leftovers.begin(), medium.leftovers.end());
            expected.push_back(Simple(std::move(remove)));
        }
    }
    return expected;
}

} // namespace

ScriptMedium ScriptMediumOf(const MediumPlan& plan)
{
    // One comment line per stream, and one for the AAC margin where there is one.
    return {plan.chapterFile, plan.commands, plan.leftovers,
            plan.audio.size() + plan.subtitles.size() + (plan.audioMarginBytes > 0 ? 1u : 0u),
            !plan.sourceTitle.empty()};
}

std::string CheckPlanScript(std::string_view script, const std::vector<ScriptMedium>& media)
{
    const test_support::ShellScript read = test_support::ReadShellScript(script);
    if (!read.error.empty())
        return "the script does more than run words: " + read.error;
    std::string why;
    const std::vector<ShellStatement> expected = Expected(media, read.statements, why);
    if (!why.empty())
        return why;
    for (std::size_t i = 0; i < std::max(expected.size(), read.statements.size()); ++i) {
        if (i >= expected.size())
            return "statement " + std::to_string(i + 1) +
                   " is none of the plan's: " + Shown(read.statements[i]);
        if (i >= read.statements.size())
            return "statement " + std::to_string(i + 1) + " is missing: " + Shown(expected[i]);
        if (!(expected[i] == read.statements[i]))
            return "statement " + std::to_string(i + 1) + " runs " + Shown(read.statements[i]) +
                   "instead of " + Shown(expected[i]);
    }
    std::size_t comments = kHeaderComments;
    for (const ScriptMedium& medium : media)
        comments += kMediumComments + medium.streams + (medium.titled ? 1u : 0u);
    if (read.comments.size() != comments)
        return std::to_string(read.comments.size()) + " comment lines instead of " + std::to_string(comments);
    for (const test_support::ShellComment& comment : read.comments) {
        if (!comment.startsLine)
            return "a comment after a command: " + PrintableText(comment.text);
    }
    return {};
}

} // namespace ratewise::fuzzing
