// SPDX-License-Identifier: GPL-3.0-or-later
// Comma-separated lists of whole numbers typed on the command line ("1,3", "0,300,600").
#pragma once

#include <string>
#include <vector>

namespace ratewise::cli {

struct ListedNumber {
    enum class Reading { kNumber, kNotANumber, kTooLarge };
    std::string text; // the item as typed, for messages
    int value = 0;    // set when `reading` is kNumber
    Reading reading = Reading::kNotANumber;
};

// Every item between commas, in order. An item reads as a number only when it is digits and
// nothing else: no sign, no blanks, not empty; digits beyond an int's range read as kTooLarge.
std::vector<ListedNumber> ReadCommaList(const std::string& text);

} // namespace ratewise::cli
