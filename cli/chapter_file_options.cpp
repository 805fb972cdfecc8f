// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/chapter_file_options.h"

#include "chapters/chapter_names.h"
#include "cli/cli.h"
#include "cli/title_set_input.h"
#include "common/atomic_file.h"

namespace ratewise::cli {

void AddChapterNameOptions(CLI::App& command, ChapterNameOptions& options, NamesFiles files)
{
    if (files == NamesFiles::OnePerTitle)
        command
            .add_option("--names", options.namesPaths,
                        "Chapter names, one per line (UTF-8); default Chapter 01 ... Several titles: one "
                        "list taken in order, or --names once per title")
            ->type_name("FILE");
    else
        command
            .add_option("--names", options.namesPath,
                        "Chapter names, one per line (UTF-8); default Chapter 01 ...")
            ->type_name("FILE");
    command.add_option("--language", options.language, "Language of the chapter names, ISO 639-2")
        ->type_name("CODE")
        ->check([](const std::string& code) {
            return IsLanguageCode(code)
                       ? std::string()
                       : "expected an ISO 639-2 code (three lowercase letters), got '" + code + "'";
        });
}

std::optional<std::vector<std::string>> ReadChapterNames(const ChapterNameOptions& options, std::ostream& err)
{
    if (options.namesPath.empty())
        return std::vector<std::string>();
    if (!CheckReadableFile(options.namesPath, err))
        return std::nullopt;
    std::string why;
    std::optional<std::vector<std::string>> names = ReadChapterNamesFile(options.namesPath, why);
    if (!names)
        PrintError(err, options.namesPath, why);
    return names;
}

bool WriteTextFile(const std::string& path, const std::string& text, std::ostream& out, std::ostream& err)
{
    if (path == "-") {
        out << text;
        out.flush();
        if (out)
            return true;
        PrintError(err, "standard output", "write failed");
        return false;
    }
    return WriteTextFiles({{path, text}}, err);
}

bool WriteTextFiles(const std::vector<std::pair<std::string, std::string>>& pathsAndTexts, std::ostream& err)
{
    std::vector<FileToWrite> files;
    for (const auto& [path, text] : pathsAndTexts)
        files.push_back({path, AsBytes(text)});
    std::string failedPath, why;
    if (WriteFilesAtomically(files, failedPath, why))
        return true;
    PrintError(err, failedPath.empty() ? "-o" : failedPath, why);
    return false;
}

} // namespace ratewise::cli
