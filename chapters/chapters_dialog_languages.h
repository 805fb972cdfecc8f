// SPDX-License-Identifier: GPL-3.0-or-later
// The language codes the Chapters window accepts for its chapter files: those of ISO 639-2, which
// mkvmerge and ffmpeg take.
#pragma once

#include <string_view>

namespace ratewise {

// True for a lowercase ISO 639-2 code ("fre", "fra", "und", "mul", qaa to qtz).
bool IsIso6392Code(std::string_view code);

} // namespace ratewise
