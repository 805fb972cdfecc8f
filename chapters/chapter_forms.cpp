// SPDX-License-Identifier: GPL-3.0-or-later
#include "chapters/chapter_forms.h"

#include <algorithm>

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

// A field of a CSV line: quoted when it holds a comma, a quote or spaces at its ends.
std::string CsvField(std::string_view text)
{
    const bool quote =
        text.find_first_of(",\"") != std::string_view::npos || text.starts_with(' ') || text.ends_with(' ');
    if (!quote)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
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

std::string CsvText(const TimedChapters& chapters)
{
    std::string text;
    for (std::size_t i = 0; i < chapters.starts.size(); ++i)
        text += std::to_string(i + 1) + "," + CsvField(NameOf(chapters, i)) + "\n";
    return text;
}

} // namespace

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
