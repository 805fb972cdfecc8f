// SPDX-License-Identifier: GPL-3.0-or-later
// The lines ratewise-cli writes on stderr besides its output: refusals of what was asked, and notes
// on values it changed or ignored. Both know the command being run, so every command gets the
// "(see 'ratewise-cli CMD --help')" hint and honours --quiet without doing anything itself.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace ratewise::cli {

// Longest line ratewise-cli writes on stderr.
inline constexpr std::size_t kMaxMessageLength = 160;

// A stream input (standard input, a pipe) as read: it can be read only once, and a command may
// read its title set more than once (the load, then a report).
struct StreamInput {
    std::vector<std::uint8_t> bytes;
    std::string why; // empty when read whole
};

// What the run is about, attached to the error stream while RunCli runs.
struct RunContext {
    std::string command; // the subcommand, empty before one is known
    bool quiet = false;  // --quiet: no notes
    // Stream inputs read so far, by path; they end with the run.
    std::map<std::string, StreamInput> streamInputs;
};

// Attaches `context` to `err` for the lifetime of this object.
class ScopedRunContext
{
public:
    ScopedRunContext(std::ostream& err, RunContext& context);
    ~ScopedRunContext();
    ScopedRunContext(const ScopedRunContext&) = delete;
    ScopedRunContext& operator=(const ScopedRunContext&) = delete;

private:
    std::ostream& m_err;
    void* m_previous;
};

// The context attached to `err`, or nothing (a command run outside RunCli).
RunContext* RunContextOf(std::ostream& err);

// "(see 'ratewise-cli CMD --help')" for the command being run.
std::string HelpHint(std::ostream& err);

// "ratewise-cli: <what>: expected <expected>, got '<got>' (see ...)". `got` is shortened when
// the line would pass kMaxMessageLength.
void PrintUsageError(std::ostream& err, const std::string& what, const std::string& expected,
                     const std::string& got);

// "ratewise-cli: <what>: <why> (see ...)" for a refusal that has no single value to show.
void PrintRefusal(std::ostream& err, const std::string& what, const std::string& why);

// "ratewise-cli: note: <text>", unless --quiet was given.
void PrintNote(std::ostream& err, const std::string& text);

// `text` in single quotes, cut to `limit` characters with "..." when longer.
std::string Quoted(const std::string& text, std::size_t limit = 40);

} // namespace ratewise::cli
