// SPDX-License-Identifier: GPL-3.0-or-later
// The test scripts' shell reader against sh itself: the same words from the same quoting, the
// here-documents' text, and an error for whatever sh would expand or run beyond the words.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "encode/shell_quote.h"
#include "tests/encode/shell_script_reader.h"

namespace ratewise::test_support {
namespace {

// What sh gives each command of `script` as its arguments: "<word>" each, a line per command.
std::string ShWords(const std::string& script)
{
    const std::string words = "w() { for a; do printf '<%s>' \"$a\"; done; echo; }\n";
    FILE* pipe = ::popen(("sh -c " + ShellQuote(words + script)).c_str(), "r");
    std::string out;
    std::array<char, 256> buffer{};
    while (pipe && std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe))
        out += buffer.data();
    if (pipe)
        ::pclose(pipe);
    return out;
}

std::string ReaderWords(const ShellScript& script)
{
    std::string out;
    for (const ShellStatement& statement : script.statements) {
        for (const ShellCommand& command : statement.commands) {
            for (std::size_t i = 1; i < command.words.size(); ++i)
                out += "<" + command.words[i] + ">";
            out += "\n";
        }
    }
    return out;
}

TEST(ShellScriptReader, GivesTheWordsShGives)
{
    const std::string script = "#!/bin/sh\n"
                               "w plain 'single \"q\" $x' \"double \\\" \\\\ \\$ \\a\" back\\ slash\n"
                               "  # a comment\n"
                               "w a'b'\"c\"d '' \"\" 'it'\\''s' é\\\n"
                               "nd # after\n"
                               "w one; w two\n";
    const ShellScript read = ReadShellScript(script);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(ReaderWords(read), ShWords(script));
    ASSERT_EQ(read.comments.size(), 3u);
    EXPECT_TRUE(read.comments[0].startsLine);
    EXPECT_FALSE(read.comments[1].startsLine);
    EXPECT_EQ(read.statements[2].operators, std::vector<std::string>{";"});
}

TEST(ShellScriptReader, ReadsPipesRedirectionsAndHereDocuments)
{
    const ShellScript read = ReadShellScript("a x | b >'o u t' <<'END'\nEND \nline $x\nEND\nc\n");
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.statements.size(), 2u);
    const ShellStatement& pipe = read.statements[0];
    EXPECT_EQ(pipe.operators, std::vector<std::string>{"|"});
    ASSERT_EQ(pipe.commands.size(), 2u);
    EXPECT_EQ(pipe.commands[1].words, std::vector<std::string>{"b"});
    EXPECT_EQ(pipe.commands[1].redirects, (std::vector<ShellRedirect>{{">", "o u t"}, {"<<", "END"}}));
    EXPECT_EQ(pipe.commands[1].hereDocuments, std::vector<std::string>{"END \nline $x\n"});
    EXPECT_EQ(read.statements[1].commands[0].words, std::vector<std::string>{"c"});
}

TEST(ShellScriptReader, RefusesWhatShWouldExpandOrRun)
{
    for (const char* script : {"a $(id)", "a `id`", "a $HOME", "a \"$x\"", "X=1 a", "if a", "a *.mkv",
                               "a ~/x", "a b{c,d}", "cat <<END\nEND\n", "cat <<'END'\nno end\n", "a 'open",
                               "a \"open", "(a)", "a 2>f", "a | ", "a >", "a\\"}) {
        EXPECT_NE(ReadShellScript(script).error, "") << script;
    }
    EXPECT_NE(ReadShellScript(std::string("a \0b", 4)).error, "");
    EXPECT_EQ(ReadShellScript("'X=1' a=b 'if' \\*\n").error, "");
}

} // namespace
} // namespace ratewise::test_support
