// SPDX-License-Identifier: GPL-3.0-or-later
#include "chapters/chapter_forms.h"

#include <algorithm>

#include "chapters/chapter_names.h"
#include "common/string_format.h"

namespace ratewise {
namespace {

std::int64_t EndOf(const TimedChapters& chapters, std::size_t i)
{
    const std::int64_t end = i + 1 < chapters.starts.size() ? chapters.starts[i + 1] : chapters.end;
    return std::max(end, chapters.starts[i]);
}

const std::string& NameOf(const TimedChapters& chapters, std::size_t i)
{
    static const std::string none;
    return i < chapters.names.size() ? chapters.names[i] : none;
}

std::string XmlEscaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// ffmpeg's metadata reader takes '=', ';', '#', '\' and line ends literally only after a '\'.
std::string FfMetadataEscaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '=' || c == ';' || c == '#' || c == '\\' || c == '\n')
            out += '\\';
        out += c;
    }
    return out;
}

// A chapter name as HandBrakeCLI's `--markers` file reader takes it. There a ',' or a line end
// (CR, LF or VT) ends the field unless a '\' comes first, a '\' takes the next byte as it is, and
// quotes are plain characters. White space at a field's start is skipped, so a leading space or
// tab is escaped. An empty field would skip its line end as well and take the next line for this
// name, so an empty name is written as an escaped space: the line stays whole and HandBrake gives
// the chapter its own name. White space at a field's end is always dropped, and only the first
// 1023 bytes are kept.
std::string CsvField(std::string_view text)
{
    if (text.empty())
        return "\\ ";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',' || c == '\\' || c == '\n' || c == '\r' || c == '\v' ||
            (i == 0 && (c == ' ' || c == '\t')))
            out += '\\';
        out += c;
    }
    return out;
}

// A fixed, well-spread 64-bit number per chapter, never 0, so the same chapters always give the
// same file.
std::uint64_t ChapterUid(std::size_t index, std::int64_t start)
{
    std::uint64_t x = (std::uint64_t{index} + 1) * 0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(start);
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return x == 0 ? 1 : x;
}

std::string OgmText(const TimedChapters& chapters)
{
    std::string text;
    for (std::size_t i = 0; i < chapters.starts.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        text += StringPrintf("CHAPTER%02d=", n) + FrameClockText(chapters.starts[i], chapters.rate, 3) + "\n";
        text += StringPrintf("CHAPTER%02dNAME=", n) + NameOf(chapters, i) + "\n";
    }
    return text;
}

std::string MatroskaText(const TimedChapters& chapters)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<!DOCTYPE Chapters SYSTEM \"matroskachapters.dtd\">\n"
                       "<Chapters>\n  <EditionEntry>\n";
    for (std::size_t i = 0; i < chapters.starts.size(); ++i) {
        text += "    <ChapterAtom>\n";
        text += StringPrintf("      <ChapterUID>%llu</ChapterUID>\n",
                             static_cast<unsigned long long>(ChapterUid(i, chapters.starts[i])));
        text += "      <ChapterTimeStart>" + FrameClockText(chapters.starts[i], chapters.rate, 9) +
                "</ChapterTimeStart>\n";
        text += "      <ChapterTimeEnd>" + FrameClockText(EndOf(chapters, i), chapters.rate, 9) +
                "</ChapterTimeEnd>\n";
        text += "      <ChapterDisplay>\n";
        text += "        <ChapterString>" + XmlEscaped(NameOf(chapters, i)) + "</ChapterString>\n";
        text += "        <ChapterLanguage>" + XmlEscaped(chapters.language) + "</ChapterLanguage>\n";
        text += "      </ChapterDisplay>\n    </ChapterAtom>\n";
    }
    return text + "  </EditionEntry>\n</Chapters>\n";
}

std::string FfMetadataText(const TimedChapters& chapters)
{
    // One time base tick per frame: START and END are exact integers.
    std::string text = ";FFMETADATA1\n";
    for (std::size_t i = 0; i < chapters.starts.size(); ++i) {
        text += StringPrintf(
            "[CHAPTER]\nTIMEBASE=%lld/%lld\nSTART=%lld\nEND=%lld\n",
            static_cast<long long>(chapters.rate.seconds), static_cast<long long>(chapters.rate.frames),
            static_cast<long long>(chapters.starts[i]), static_cast<long long>(EndOf(chapters, i)));
        text += "title=" + FfMetadataEscaped(NameOf(chapters, i)) + "\n";
    }
    return text;
}

// HandBrake names the title's n-th chapter from the n-th line; the number is for people.
std::string CsvText(const TimedChapters& chapters)
{
    std::string text;
    for (std::size_t i = 0; i < chapters.starts.size(); ++i)
        text += std::to_string(i + 1) + "," + CsvField(NameOf(chapters, i)) + "\n";
    return text;
}

} // namespace

TimedChapters NamedChapters(FrameRate rate, std::vector<std::int64_t> starts, std::int64_t end,
                            const std::vector<std::string>& names, std::string language)
{
    TimedChapters chapters;
    chapters.rate = rate;
    chapters.names = ChapterNames(starts.size(), names);
    chapters.starts = std::move(starts);
    chapters.end = end;
    chapters.language = std::move(language);
    return chapters;
}

const char* ChapterFormName(ChapterForm form)
{
    switch (form) {
    case ChapterForm::Matroska:
        return "matroska";
    case ChapterForm::FfMetadata:
        return "ffmetadata";
    case ChapterForm::Csv:
        return "csv";
    case ChapterForm::Ogm:
        break;
    }
    return "ogm";
}

std::optional<ChapterForm> ChapterFormNamed(std::string_view name)
{
    for (const ChapterForm form : kChapterForms) {
        if (name == ChapterFormName(form))
            return form;
    }
    return std::nullopt;
}

const char* ChapterFormFileEnding(ChapterForm form)
{
    switch (form) {
    case ChapterForm::Matroska:
        return "chapters.xml";
    case ChapterForm::FfMetadata:
        return "ffmetadata";
    case ChapterForm::Csv:
        return "chapters.csv";
    case ChapterForm::Ogm:
        break;
    }
    return "chapters.txt";
}

bool IsLanguageCode(std::string_view code)
{
    return code.size() == 3 &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string ChapterFormText(const TimedChapters& chapters, ChapterForm form)
{
    switch (form) {
    case ChapterForm::Matroska:
        return MatroskaText(chapters);
    case ChapterForm::FfMetadata:
        return FfMetadataText(chapters);
    case ChapterForm::Csv:
        return CsvText(chapters);
    case ChapterForm::Ogm:
        break;
    }
    return OgmText(chapters);
}

} // namespace ratewise
