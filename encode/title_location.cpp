// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_location.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "common/string_format.h"
#include "ifo/be_view.h"
#include "ifo/byte_buffer.h"
#include "ifo/byte_source.h"
#include "ifo/part_of_title_table.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSector = 2048;
constexpr std::size_t kTitleTablePointer = 0xC4; // VMGI_MAT: sector of TT_SRPT
constexpr std::size_t kTitleEntrySize = 12;
constexpr std::size_t kMaxTitles = 99;

bool IsDirectory(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

bool IsFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Reads `length` bytes at `offset`, no more than the source holds. Nothing on a short read.
std::optional<ByteBuffer> ReadAt(ByteSource& source, std::uint64_t offset, std::size_t length)
{
    if (offset > source.Size() || length > source.Size() - offset)
        return std::nullopt;
    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(length);
    if (!buffer || !source.Seek(static_cast<std::int64_t>(offset)))
        return std::nullopt;
    std::size_t done = 0;
    while (done < length) {
        const std::int64_t got = source.Read(buffer->Span().subspan(done));
        if (got <= 0)
            return std::nullopt;
        done += static_cast<std::size_t>(got);
    }
    return buffer;
}

// "VTS_07_0.IFO" -> 7; 0 for any other name.
int TitleSetOfName(const std::string& name)
{
    if (name.size() != 12 || name.compare(0, 4, "VTS_") != 0 || name.compare(6, 6, "_0.IFO") != 0)
        return 0;
    const char tens = name[4], ones = name[5];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return 0;
    return (tens - '0') * 10 + (ones - '0');
}

std::string TitleSetIfoName(int titleSet)
{
    return StringPrintf("VTS_%02d_0.IFO", titleSet);
}

// The program chain (from 0) that starts title `titleInSet` of the title set, from its
// part-of-title table.
std::optional<int> FirstProgramChain(const fs::path& titleSetIfo, int titleInSet)
{
    std::unique_ptr<ByteSource> source = OpenFileSource(titleSetIfo.string());
    if (!source)
        return std::nullopt;
    std::optional<ByteBuffer> header = ReadAt(*source, 0, kSector);
    if (!header)
        return std::nullopt;
    std::optional<std::vector<TitleParts>> titles = ReadPartOfTitleTable(*source, header->View());
    if (!titles || titleInSet < 1 || static_cast<std::size_t>(titleInSet) > titles->size())
        return std::nullopt;
    const TitleParts& parts = (*titles)[static_cast<std::size_t>(titleInSet - 1)];
    if (parts.empty() || parts.front().programChain == 0)
        return std::nullopt;
    return parts.front().programChain - 1;
}

} // namespace

std::optional<std::vector<DiscTitle>> ReadDiscTitles(const std::string& videoManagerIfo)
{
    std::unique_ptr<ByteSource> source = OpenFileSource(videoManagerIfo);
    if (!source)
        return std::nullopt;
    std::optional<ByteBuffer> header = ReadAt(*source, 0, kSector);
    if (!header)
        return std::nullopt;
    const BeView mat = header->View();
    static constexpr std::array<std::uint8_t, 12> kMagic{'D', 'V', 'D', 'V', 'I', 'D',
                                                         'E', 'O', '-', 'V', 'M', 'G'};
    for (std::size_t i = 0; i < kMagic.size(); ++i)
        if (mat.U8(i) != kMagic[i])
            return std::nullopt;
    const std::optional<std::uint32_t> sector = mat.U32(kTitleTablePointer);
    if (!sector || *sector == 0)
        return std::nullopt;
    const std::uint64_t offset = std::uint64_t{*sector} * kSector;
    std::optional<ByteBuffer> head = ReadAt(*source, offset, 8);
    if (!head)
        return std::nullopt;
    const std::size_t count = head->View().U16(0).value_or(0);
    if (count == 0 || count > kMaxTitles)
        return std::nullopt;
    std::optional<ByteBuffer> table = ReadAt(*source, offset, 8 + count * kTitleEntrySize);
    if (!table)
        return std::nullopt;
    std::vector<DiscTitle> titles;
    for (std::size_t t = 0; t < count; ++t) {
        const std::size_t entry = 8 + t * kTitleEntrySize;
        titles.push_back({*table->View().U8(entry + 6), *table->View().U8(entry + 7)});
    }
    return titles;
}

TitleLookup LocateTitle(const std::string& source, TitleChoice choice)
{
    TitleLookup lookup;
    const fs::path given(source);
    fs::path dir;
    int namedSet = 0;
    if (IsDirectory(given)) {
        dir = IsDirectory(given / "VIDEO_TS") ? given / "VIDEO_TS" : given;
    } else if (IsFile(given)) {
        dir = given.parent_path().empty() ? fs::path(".") : given.parent_path();
        const std::string name = given.filename().string();
        namedSet = TitleSetOfName(name);
        if (namedSet == 0 && name != "VIDEO_TS.IFO") {
            lookup.why = "not a DVD folder, VIDEO_TS.IFO or VTS_xx_0.IFO";
            return lookup;
        }
    } else {
        lookup.why = "no such file or folder";
        return lookup;
    }

    TitleLocation location;
    location.videoTsDir = dir.string();
    const std::optional<std::vector<DiscTitle>> titles = ReadDiscTitles((dir / "VIDEO_TS.IFO").string());
    if (choice.byTitle) {
        if (!titles) {
            lookup.why = "no disc title table (VIDEO_TS.IFO) to find titles in";
            return lookup;
        }
        if (choice.number < 1 || static_cast<std::size_t>(choice.number) > titles->size()) {
            lookup.why = StringPrintf("no title %d (the disc has %zu)", choice.number, titles->size());
            lookup.usage = true;
            return lookup;
        }
        const DiscTitle& title = (*titles)[static_cast<std::size_t>(choice.number - 1)];
        if (namedSet != 0 && namedSet != title.titleSet) {
            lookup.why = StringPrintf("title %d is in title set %d", choice.number, title.titleSet);
            lookup.usage = true;
            return lookup;
        }
        location.titleSet = title.titleSet;
        location.title = choice.number;
        const std::optional<int> chain =
            FirstProgramChain(dir / TitleSetIfoName(title.titleSet), title.titleInSet);
        if (!chain) {
            lookup.why =
                StringPrintf("title %d: its title set's part-of-title table is unreadable", choice.number);
            return lookup;
        }
        location.programChain = *chain;
    } else {
        location.titleSet = namedSet != 0 ? namedSet : 1;
        location.programChain = choice.number - 1;
        // The disc's number of the title that starts with this program chain, for HandBrakeCLI.
        for (std::size_t t = 0; titles && t < titles->size(); ++t) {
            const DiscTitle& title = (*titles)[t];
            if (title.titleSet == location.titleSet &&
                FirstProgramChain(dir / TitleSetIfoName(title.titleSet), title.titleInSet) ==
                    location.programChain) {
                location.title = static_cast<int>(t + 1);
                break;
            }
        }
    }
    location.titleSetIfo = (dir / TitleSetIfoName(location.titleSet)).string();
    if (!IsFile(location.titleSetIfo)) {
        lookup.why = "no title-set information file " + TitleSetIfoName(location.titleSet);
        return lookup;
    }
    lookup.location = location;
    return lookup;
}

} // namespace ratewise
