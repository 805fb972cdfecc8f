// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the hostile title-set corpus into a folder, one file per entry, as seeds for the fuzz
// targets. Usage: ratewise_hostile_corpus FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/hostile/hostile_corpus.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ratewise_hostile_corpus FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    int written = 0;
    for (const auto& file : ratewise::test_support::HostileCorpus(RATEWISE_FIXTURES_DIR)) {
        std::string name = "hostile-" + file.name;
        for (char& c : name)
            if (c == '/')
                c = '_';
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.bytes.data()),
                   static_cast<std::streamsize>(file.bytes.size()));
        ++written;
    }
    std::printf("%d files in %s\n", written, folder.c_str());
    return 0;
}
