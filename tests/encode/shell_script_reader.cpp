// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/encode/shell_script_reader.h"

#include <algorithm>
#include <array>

namespace ratewise::test_support {
namespace {

constexpr std::size_t kNone = std::string::npos;

// Words sh takes as its own grammar where a command name goes, bash's among them: a plan runs
// under whatever /bin/sh is.
constexpr std::array<std::string_view, 21> kReservedWords{
    "!",  "{",  "}",    "case",  "do",    "done",     "elif",   "else", "esac",   "fi", "for",
    "if", "in", "then", "until", "while", "function", "select", "time", "coproc", "[["};

// Longest first, so that "<<" is not read as two "<".
constexpr std::array<std::string_view, 17> kOperators{"<<-", "&&", "||", ";;", "<<", ">>", "<&", ">&", "<>",
                                                      ">|",  "|",  "&",  ";",  "<",  ">",  "(",  ")"};

bool IsName(std::string_view text)
{
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    return !text.empty() && letter(text[0]) &&
           std::all_of(text.begin(), text.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

class Reader
{
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    ShellScript Read()
    {
        if (m_text.find('\0') != kNone)
            Fail("a NUL byte, which sh drops");
        while (m_script.error.empty() && m_at < m_text.size())
            Step();
        if (m_script.error.empty() && EndLine() && m_continues)
            Fail("the script ends inside a pipeline");
        if (m_script.error.empty() && !m_hereDocuments.empty())
            Fail("a here-document without its text");
        return std::move(m_script);
    }

private:
    struct HereDocument {
        std::string delimiter;
        std::size_t statement = 0; // where its command is (or will be) in the script
        std::size_t command = 0;
    };

    bool Fail(const std::string& why)
    {
        if (m_script.error.empty())
            m_script.error = why + " (byte " + std::to_string(m_at) + ")";
        return false;
    }

    void MarkQuoted()
    {
        if (m_firstQuoted == kNone)
            m_firstQuoted = m_word.size();
        m_inWord = true;
    }

    void Step()
    {
        const char c = m_text[m_at];
        if (c == '\n') {
            if (EndLine())
                ReadHereDocuments();
        } else if (c == '#' && !m_inWord) {
            const std::size_t end = std::min(m_text.find('\n', m_at), m_text.size());
            m_script.comments.push_back(
                {std::string(m_text.substr(m_at, end - m_at)), m_at == 0 || m_text[m_at - 1] == '\n'});
            m_at = end;
        } else if (c == ' ' || c == '\t') {
            EndWord();
            ++m_at;
        } else if (c == '\\') {
            Backslash();
        } else if (c == '\'') {
            MarkQuoted();
            const std::size_t close = m_text.find('\'', m_at + 1);
            if (close == kNone) {
                Fail("an unterminated single quote");
                return;
            }
            m_word.append(m_text.substr(m_at + 1, close - m_at - 1));
            m_at = close + 1;
        } else if (c == '"') {
            DoubleQuoted();
        } else if (c == '$' || c == '`') {
            Fail(std::string("an unquoted '") + c + "', which expands");
        } else if (c == '*' || c == '?' || c == '[' || c == '~' || c == '{') {
            Fail(std::string("an unquoted '") + c + "', which the shell may expand");
        } else if (std::string_view("|&;<>()").find(c) != kNone) {
            Operator();
        } else {
            m_word += c;
            m_inWord = true;
            ++m_at;
        }
    }

    void Backslash()
    {
        if (m_at + 1 >= m_text.size()) {
            Fail("a backslash at the end of the script");
            return;
        }
        if (m_text[m_at + 1] != '\n') { // a backslash before a newline joins the lines
            MarkQuoted();
            m_word += m_text[m_at + 1];
        }
        m_at += 2;
    }

    void DoubleQuoted()
    {
        MarkQuoted();
        for (++m_at; m_at < m_text.size(); ++m_at) {
            const char c = m_text[m_at];
            if (c == '"') {
                ++m_at;
                return;
            }
            if (c == '$' || c == '`') {
                Fail(std::string("a '") + c + "' in double quotes, which expands");
                return;
            }
            if (c == '\\' && m_at + 1 < m_text.size() &&
                std::string_view("$`\"\\\n").find(m_text[m_at + 1]) != kNone) {
                if (m_text[m_at + 1] != '\n')
                    m_word += m_text[m_at + 1];
                ++m_at;
                continue;
            }
            m_word += c;
        }
        Fail("an unterminated double quote");
    }

    void Operator()
    {
        const std::string_view rest = m_text.substr(m_at);
        const std::string_view op = *std::find_if(kOperators.begin(), kOperators.end(),
                                                  [&](std::string_view o) { return rest.starts_with(o); });
        const bool redirect = op[0] == '<' || op[0] == '>';
        if (redirect && m_inWord && m_firstQuoted == kNone &&
            std::all_of(m_word.begin(), m_word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            Fail("a file descriptor number before a redirection");
            return;
        }
        if (!EndWord())
            return;
        m_at += op.size();
        if (op == "<<-" || op == ";;" || op == "(" || op == ")") {
            Fail("'" + std::string(op) + "', which is not a simple command's");
            return;
        }
        if (!m_redirect.empty()) {
            Fail("a redirection without its file");
            return;
        }
        if (redirect) {
            m_redirect = op;
            return;
        }
        if (m_command.words.empty() && m_command.redirects.empty()) {
            Fail("'" + std::string(op) + "' without a command before it");
            return;
        }
        m_statement.commands.push_back(std::move(m_command));
        m_command = {};
        m_statement.operators.emplace_back(op);
        m_continues = op == "|" || op == "&&" || op == "||";
    }

    bool EndWord()
    {
        if (!m_inWord)
            return true;
        std::string word = std::move(m_word);
        const std::size_t quotedAt = m_firstQuoted;
        m_word.clear();
        m_inWord = false;
        m_firstQuoted = kNone;
        m_continues = false;
        if (!m_redirect.empty()) {
            if (m_redirect == "<<") {
                if (quotedAt == kNone)
                    return Fail("a here-document whose unquoted delimiter lets its text expand");
                m_hereDocuments.push_back({word, m_script.statements.size(), m_statement.commands.size()});
            }
            m_command.redirects.push_back({std::move(m_redirect), std::move(word)});
            m_redirect.clear();
            return true;
        }
        if (m_command.words.empty()) {
            const std::string_view unquoted = std::string_view(word).substr(0, quotedAt);
            const std::size_t equals = unquoted.find('=');
            if (equals != kNone && IsName(unquoted.substr(0, equals)))
                return Fail("an assignment where the command name goes: " + word);
            if (quotedAt == kNone &&
                std::find(kReservedWords.begin(), kReservedWords.end(), word) != kReservedWords.end())
                return Fail("a reserved word where the command name goes: " + word);
        }
        m_command.words.push_back(std::move(word));
        return true;
    }

    // A newline or the end: ends the command and, unless a "|", "&&" or "||" waits for the
    // next one, the statement.
    bool EndLine()
    {
        if (!EndWord())
            return false;
        if (!m_redirect.empty())
            return Fail("a redirection without its file");
        if (!m_command.words.empty() || !m_command.redirects.empty()) {
            m_statement.commands.push_back(std::move(m_command));
            m_command = {};
        }
        if (!m_continues && !m_statement.commands.empty()) {
            m_script.statements.push_back(std::move(m_statement));
            m_statement = {};
        }
        return true;
    }

    // After the newline at m_at: the text of each here-document begun on the line, up to the line
    // that is its delimiter.
    void ReadHereDocuments()
    {
        std::size_t at = m_at + 1;
        for (const HereDocument& document : m_hereDocuments) {
            std::string body;
            for (;;) {
                const std::size_t end = m_text.find('\n', at);
                const std::string_view line =
                    at < m_text.size() ? m_text.substr(at, end == kNone ? kNone : end - at) : "";
                if (at >= m_text.size() || (end == kNone && line != document.delimiter)) {
                    m_at = m_text.size();
                    Fail("a here-document that ends before its delimiter line");
                    return;
                }
                at = end == kNone ? m_text.size() : end + 1;
                if (line == document.delimiter)
                    break;
                body.append(line);
                body += '\n';
            }
            ShellStatement& statement = document.statement < m_script.statements.size()
                                            ? m_script.statements[document.statement]
                                            : m_statement;
            statement.commands[document.command].hereDocuments.push_back(std::move(body));
        }
        m_hereDocuments.clear();
        m_at = at;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    ShellScript m_script;
    ShellStatement m_statement;
    ShellCommand m_command;
    std::string m_word;
    bool m_inWord = false;
    std::size_t m_firstQuoted = kNone; // where in m_word the first quoted character is
    std::string m_redirect;            // a redirection waiting for its file
    bool m_continues = false;          // a "|", "&&" or "||" waits for the next command
    std::vector<HereDocument> m_hereDocuments;
};

} // namespace

ShellScript ReadShellScript(std::string_view text)
{
    return Reader(text).Read();
}

} // namespace ratewise::test_support
