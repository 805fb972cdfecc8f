// SPDX-License-Identifier: GPL-3.0-or-later
#include "chapters/chapter_names.h"

#include <cstdint>
#include <memory>
#include <span>

#include "common/string_format.h"
#include "common/utf8.h"
#include "ifo/byte_source.h"

namespace ratewise {
namespace {

// A names file is a few lines; anything larger is not one.
constexpr std::uint64_t kLargestNamesFile = 1 << 20;

} // namespace

std::string DefaultChapterName(int n)
{
    return StringPrintf("Chapter %02d", n);
}

std::optional<std::vector<std::string>> ParseChapterNames(std::string_view text, std::string& why)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<std::string> names;
    std::string line;
    int lineNumber = 1;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            names.push_back(std::move(line));
            line.clear();
            ++lineNumber;
            ++at;
            continue;
        }
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) {
            why = StringPrintf("line %d is not UTF-8 text", lineNumber);
            return std::nullopt;
        }
        if (length == 1 && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) && c != '\r')
            line += ' ';
        else
            line.append(text.substr(at, length));
        at += length;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (!line.empty())
        names.push_back(std::move(line));
    for (std::string& name : names) {
        for (char& c : name) {
            if (c == '\r')
                c = ' ';
        }
    }
    return names;
}

std::vector<std::string> ChapterNames(std::size_t count, const std::vector<std::string>& given)
{
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (i < given.size() && !given[i].empty())
            names.push_back(given[i]);
        else
            names.push_back(DefaultChapterName(static_cast<int>(i) + 1));
    }
    return names;
}

std::optional<std::vector<std::string>> ReadChapterNamesFile(const std::string& path, std::string& why)
{
    const std::unique_ptr<ByteSource> source = OpenFileSource(path);
    if (!source) {
        why = "cannot open file";
        return std::nullopt;
    }
    if (source->Size() > kLargestNamesFile) {
        why = "too large for a list of chapter names";
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(source->Size()), '\0');
    const std::span<std::uint8_t> bytes(reinterpret_cast<std::uint8_t*>(text.data()), text.size());
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::int64_t got = source->Read(bytes.subspan(done));
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    if (done != bytes.size()) {
        why = "cannot read file";
        return std::nullopt;
    }
    return ParseChapterNames(text, why);
}

} // namespace ratewise
