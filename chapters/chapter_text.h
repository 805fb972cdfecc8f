// SPDX-License-Identifier: GPL-3.0-or-later
// The text of the Chapters box for one of the three forms.
#pragma once

#include <string>
#include <vector>

#include "chapters/chapter_list.h"

namespace ratewise {

// The lines of `format`: timeLines, frameLines or secondLines.
const std::vector<std::string>& ChapterLines(const ChapterList& chapters, ChapterFormat format);

// The chapterCount lines of `format`, each followed by "\r\n", then empty lines up to 16.
std::string ChapterText(const ChapterList& chapters, ChapterFormat format);

} // namespace ratewise
