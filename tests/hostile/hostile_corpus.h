// SPDX-License-Identifier: GPL-3.0-or-later
// A corpus of hostile and damaged title-set information files, generated from the real title
// sets and the fixture writer: truncations, header pointers and table sizes aimed at zero, the
// file's end, beyond it and 4 GiB, absurd program-chain, cell, program and time-map counts, a
// video-manager file, empty and random files; and the inputs the long fuzz runs kept
// (fixtures/fuzzed). Each file must load or be refused normally.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ratewise::test_support {

struct HostileFile {
    std::string name; // says what was done to which set, e.g. "pal_98_titles/cut-2049"
    std::vector<std::uint8_t> bytes;
};

// The real title sets the corpus is built from: the folders of fixturesDir/ifo.
std::vector<HostileFile> RealTitleSets(const std::string& fixturesDir);

// The whole corpus. Deterministic: the same fixtures give the same files in the same order.
std::vector<HostileFile> HostileCorpus(const std::string& fixturesDir);

} // namespace ratewise::test_support
