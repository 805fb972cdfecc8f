// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the arguments of a command-line fuzz target away from the folder the fuzzer works in,
// which holds its corpus and, with -jobs, its logs: names are taken in an empty folder of the
// target's own, given as an absolute path, and the process's working folder stays as it is.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ratewise::fuzzing {

// `args` with the value of each option in `fileOptions` ("--names NAME" or "--names=NAME") put in
// `folder` (an absolute name stays as it is), and every other argument that names an entry of
// the working folder put there too, where it names nothing.
inline std::vector<std::string> InFolder(const std::vector<std::string>& args,
                                         const std::vector<std::string_view>& fileOptions,
                                         const std::filesystem::path& folder)
{
    const auto isFileOption = [&](std::string_view name) {
        for (const std::string_view option : fileOptions) {
            if (name == option)
                return true;
        }
        return false;
    };
    std::vector<std::string> kept;
    bool fileValue = false; // the argument before was a file option
    for (const std::string& arg : args) {
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const std::size_t begin = equals == std::string::npos ? 0 : equals + 1;
        const bool option = arg.starts_with('-') && equals == std::string::npos;
        const std::string name = arg.substr(begin);
        std::error_code error;
        const bool inFolder =
            fileValue || (equals != std::string::npos && isFileOption(arg.substr(0, equals))) ||
            (!name.empty() && std::filesystem::exists(std::filesystem::symlink_status(name, error)));
        fileValue = option && isFileOption(arg);
        kept.push_back(!option && inFolder ? arg.substr(0, begin) + (folder / name).string() : arg);
    }
    return kept;
}

} // namespace ratewise::fuzzing
