// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json_writer.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

#include "common/utf8.h"

namespace ratewise::cli {
namespace {

// The text as a JSON string, escaped as the JSON library escapes it. Text that is not UTF-8 is
// left to the library, so its bytes are replaced exactly as JsonText replaces them.
void AppendString(std::string& out, std::string_view text)
{
    const std::size_t begin = out.size();
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        // The run of bytes that stand as they are, in one piece.
        std::size_t run = i;
        while (run < text.size()) {
            const auto c = static_cast<unsigned char>(text[run]);
            if (c < 0x20 || c >= 0x80 || c == '"' || c == '\\')
                break;
            ++run;
        }
        out.append(text, i, run - i);
        i = run;
        if (i == text.size())
            break;
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = Utf8Length(text, i);
            if (length == 0) {
                out.resize(begin);
                out += nlohmann::json(std::string(text))
                           .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
                return;
            }
            out.append(text, i, length);
            i += length;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default: {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xf];
        }
        }
        ++i;
    }
    out += '"';
}

} // namespace

void JsonWriter::Indent(std::size_t depth)
{
    m_text.append(2 * depth, ' ');
}

void JsonWriter::BeforeValue()
{
    if (m_open.empty() || m_open.back().object)
        return;
    Open& array = m_open.back();
    m_text += array.count++ == 0 ? "\n" : ",\n";
    Indent(m_open.size());
}

void JsonWriter::AfterValue()
{
    if (!m_open.empty() && m_open.back().object && !m_open.back().members.empty())
        m_open.back().members.back().end = m_text.size();
}

JsonWriter& JsonWriter::BeginObject()
{
    BeforeValue();
    m_text += '{';
    m_open.push_back({.object = true, .begin = m_text.size(), .count = 0, .members = {}});
    return *this;
}

JsonWriter& JsonWriter::EndObject()
{
    Open object = std::move(m_open.back());
    m_open.pop_back();
    const std::size_t depth = m_open.size();
    // Members are written as they come, each on its line; an object lists them by key, so
    // members given out of order are put in order once the object is whole.
    const auto key = [this](const Written& m) {
        return std::string_view(m_text).substr(m.keyBegin, m.keyEnd - m.keyBegin);
    };
    const auto byKey = [&](const Written& a, const Written& b) { return key(a) < key(b); };
    if (!std::is_sorted(object.members.begin(), object.members.end(), byKey)) {
        std::stable_sort(object.members.begin(), object.members.end(), byKey);
        m_scratch.clear();
        for (std::size_t i = 0; i < object.members.size(); ++i) {
            m_scratch += i == 0 ? "\n" : ",\n";
            m_scratch.append(2 * (depth + 1), ' ');
            const Written& m = object.members[i];
            m_scratch.append(m_text, m.begin, m.end - m.begin);
        }
        m_text.replace(object.begin, std::string::npos, m_scratch);
    }
    if (!object.members.empty()) {
        m_text += '\n';
        Indent(depth);
    }
    m_text += '}';
    AfterValue();
    return *this;
}

JsonWriter& JsonWriter::BeginArray()
{
    BeforeValue();
    m_text += '[';
    m_open.push_back({.object = false, .begin = m_text.size(), .count = 0, .members = {}});
    return *this;
}

JsonWriter& JsonWriter::EndArray()
{
    const std::size_t count = m_open.back().count;
    m_open.pop_back();
    if (count > 0) {
        m_text += '\n';
        Indent(m_open.size());
    }
    m_text += ']';
    AfterValue();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key)
{
    m_text += m_open.back().members.empty() ? "\n" : ",\n";
    Indent(m_open.size());
    Written member{};
    member.begin = m_text.size();
    AppendString(m_text, key);
    member.keyBegin = member.begin + 1;
    member.keyEnd = m_text.size() - 1;
    m_text += ": ";
    member.end = m_text.size();
    m_open.back().members.push_back(member);
    return *this;
}

JsonWriter& JsonWriter::Null()
{
    BeforeValue();
    m_text += "null";
    AfterValue();
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value)
{
    BeforeValue();
    m_text += value ? "true" : "false";
    AfterValue();
    return *this;
}

JsonWriter& JsonWriter::Int(std::int64_t value)
{
    BeforeValue();
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    m_text.append(digits, end.ptr);
    AfterValue();
    return *this;
}

JsonWriter& JsonWriter::Double(double value)
{
    BeforeValue();
    // The library's shortest form that reads back the same ("25.0", "29.97", "1e+20").
    m_text += nlohmann::json(value).dump();
    AfterValue();
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view value)
{
    BeforeValue();
    AppendString(m_text, value);
    AfterValue();
    return *this;
}

} // namespace ratewise::cli
