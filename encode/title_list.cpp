// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_list.h"

#include <algorithm>
#include <charconv>

#include "common/string_format.h"
#include "encode/encode_plan.h"

namespace ratewise {
namespace {

constexpr int kMostTitles = 99; // a disc's title table holds no more

bool TitleNumber(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() && value >= 1 &&
           value <= kMostTitles;
}

std::string Shown(std::string_view text)
{
    return "'" + std::string(text.substr(0, 24)) + (text.size() > 24 ? "...'" : "'");
}

constexpr std::string_view kNumberField = "{n}";
constexpr std::string_view kTitleField = "{title}";

} // namespace

bool ParseTitleList(std::string_view text, TitleList& list, std::string& why)
{
    list = {};
    if (text == "episodes") {
        list.episodes = true;
        return true;
    }
    for (std::size_t begin = 0; begin <= text.size();) {
        const std::size_t comma = std::min(text.find(',', begin), text.size());
        const std::string_view item = text.substr(begin, comma - begin);
        const std::size_t dash = item.find('-');
        int first = 0, last = 0;
        if (!TitleNumber(item.substr(0, dash), first) ||
            (dash != std::string_view::npos && !TitleNumber(item.substr(dash + 1), last))) {
            why =
                "expected episodes, or title numbers from 1 to 99 and ranges such as 1-4, got " + Shown(item);
            return false;
        }
        if (dash == std::string_view::npos)
            last = first;
        if (last < first) {
            why = "the range " + Shown(item) + " runs backwards";
            return false;
        }
        for (int title = first; title <= last; ++title) {
            if (std::find(list.titles.begin(), list.titles.end(), title) != list.titles.end()) {
                why = "title " + std::to_string(title) + " is named twice";
                return false;
            }
            list.titles.push_back(title);
        }
        begin = comma + 1;
    }
    return true;
}

bool HasOutputFields(std::string_view pattern)
{
    return pattern.find(kNumberField) != std::string_view::npos ||
           pattern.find(kTitleField) != std::string_view::npos;
}

std::string WhyNotOutputPattern(std::string_view pattern)
{
    for (std::size_t at = pattern.find('{'); at != std::string_view::npos; at = pattern.find('{', at + 1)) {
        const std::string_view rest = pattern.substr(at);
        if (!rest.starts_with(kNumberField) && !rest.starts_with(kTitleField))
            return "a name pattern takes {n} (the file's number, two digits) and {title} (the disc's "
                   "title number); got " +
                   Shown(rest);
    }
    return {};
}

std::string TitleOutputPath(const std::string& pattern, int k, int count, int title)
{
    if (!HasOutputFields(pattern))
        return MediumOutputPath(pattern, k, count);
    std::string name;
    for (std::size_t at = 0; at < pattern.size();) {
        const std::string_view rest = std::string_view(pattern).substr(at);
        if (rest.starts_with(kNumberField)) {
            name += StringPrintf("%02d", k);
            at += kNumberField.size();
        } else if (rest.starts_with(kTitleField)) {
            name += std::to_string(title);
            at += kTitleField.size();
        } else {
            name += pattern[at++];
        }
    }
    return name;
}

} // namespace ratewise
