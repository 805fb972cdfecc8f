// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/messages.h"

#include "common/printable_text.h"

namespace ratewise::cli {
namespace {

// The stream slot that holds the run context; one per process.
int ContextSlot()
{
    static const int slot = std::ios_base::xalloc();
    return slot;
}

} // namespace

ScopedRunContext::ScopedRunContext(std::ostream& err, RunContext& context)
    : m_err(err), m_previous(err.pword(ContextSlot()))
{
    m_err.pword(ContextSlot()) = &context;
}

ScopedRunContext::~ScopedRunContext()
{
    m_err.pword(ContextSlot()) = m_previous;
}

RunContext* RunContextOf(std::ostream& err)
{
    return static_cast<RunContext*>(err.pword(ContextSlot()));
}

std::string HelpHint(std::ostream& err)
{
    const RunContext* context = RunContextOf(err);
    const std::string command = context && !context->command.empty() ? context->command + " " : "";
    return "(see 'ratewise-cli " + command + "--help')";
}

std::string Quoted(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return "'" + text + "'";
    return "'" + text.substr(0, limit) + "...'";
}

void PrintUsageError(std::ostream& err, const std::string& what, const std::string& expected,
                     const std::string& got)
{
    const std::string hint = HelpHint(err);
    const std::string before =
        "ratewise-cli: " + PrintableText(what) + ": expected " + PrintableText(expected) + ", got '";
    const std::string after = "' " + hint;
    // The value gets the room the rest leaves, cut with "..." when it does not fit.
    const std::size_t fixed = before.size() + after.size();
    const std::size_t room = fixed + 6 <= kMaxMessageLength ? kMaxMessageLength - fixed : 6;
    const std::string value = PrintableText(got);
    const std::string shown = value.size() <= room ? value : value.substr(0, room - 3) + "...";
    err << before << shown << after << "\n";
}

void PrintRefusal(std::ostream& err, const std::string& what, const std::string& why)
{
    err << "ratewise-cli: " << PrintableText(what) << ": " << PrintableText(why) << " " << HelpHint(err)
        << "\n";
}

void PrintNote(std::ostream& err, const std::string& text)
{
    const RunContext* context = RunContextOf(err);
    if (context && context->quiet)
        return;
    err << "ratewise-cli: note: " << PrintableText(text) << "\n";
}

} // namespace ratewise::cli
