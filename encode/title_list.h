// SPDX-License-Identifier: GPL-3.0-or-later
// What `plan --titles` and a season's `-o` pattern take: which titles to encode, and the name of
// each title's file.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ratewise {

struct TitleList {
    bool episodes = false;   // "episodes": the titles the disc's structure calls its episodes
    std::vector<int> titles; // else the numbers, in the order given
};

// "episodes", or title numbers from 1 and ranges, comma-separated: "1-4", "1,3,5", "2,5-7". False,
// with `why` set, for anything else, a range that runs backwards or a title named twice.
bool ParseTitleList(std::string_view text, TitleList& list, std::string& why);

// The output of the k-th of `count` titles (k from 1) of disc title `title`: `pattern` with "{n}"
// replaced by k in two digits and "{title}" by the title number; a pattern without them gets
// "-k" before its extension, as the media of a split do ("film.mkv" -> "film-2.mkv"), and the
// pattern itself when count is 1.
std::string TitleOutputPath(const std::string& pattern, int k, int count, int title);

// Why a pattern cannot name the files: a "{" that begins neither field. Empty when it can.
std::string WhyNotOutputPattern(std::string_view pattern);

// True when the pattern holds "{n}" or "{title}".
bool HasOutputFields(std::string_view pattern);

} // namespace ratewise
