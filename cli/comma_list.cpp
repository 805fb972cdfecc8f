// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/comma_list.h"

#include <algorithm>
#include <charconv>

namespace ratewise::cli {

std::vector<ListedNumber> ReadCommaList(const std::string& text)
{
    std::vector<ListedNumber> items;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t comma = std::min(text.find(',', begin), text.size());
        ListedNumber item;
        item.text = text.substr(begin, comma - begin);
        const char* first = item.text.data();
        const char* last = first + item.text.size();
        const auto [end, error] = std::from_chars(first, last, item.value);
        // from_chars takes a minus sign; a count or a time in seconds never has one.
        const bool signed_ = !item.text.empty() && item.text[0] == '-';
        if (!signed_ && error == std::errc::result_out_of_range)
            item.reading = ListedNumber::Reading::kTooLarge;
        else if (!signed_ && !item.text.empty() && error == std::errc() && end == last)
            item.reading = ListedNumber::Reading::kNumber;
        items.push_back(std::move(item));
        if (comma == text.size())
            return items;
        begin = comma + 1;
    }
}

} // namespace ratewise::cli
