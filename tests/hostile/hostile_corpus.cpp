// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/hostile/hostile_corpus.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "common/dvd_time.h"
#include "ifo/be_view.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise::test_support {
namespace {

constexpr std::size_t kFirstSlotPointer = 0x0C8; // header sector pointers of the eight tables
constexpr int kSlotCount = 8;
constexpr int kMenuVobuMapSlot = 6; // the two VOBU address maps start with their end address
constexpr int kVobuMapSlot = 8;
constexpr int kProgramChainSlot = 2;
constexpr int kTimeMapSlot = 4;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return BeView(bytes).U32(offset).value_or(0);
}

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return BeView(bytes).U16(offset).value_or(0);
}

// Byte offset of table `slot` (1 to 8), or nothing when the header does not point inside the file.
std::optional<std::size_t> TableOffset(const std::vector<std::uint8_t>& bytes, int slot)
{
    const std::size_t sector = U32At(bytes, kFirstSlotPointer + 4 * static_cast<std::size_t>(slot - 1));
    if (sector == 0 || sector * kDvdSectorBytes >= bytes.size())
        return std::nullopt;
    return sector * kDvdSectorBytes;
}

class CorpusBuilder
{
public:
    explicit CorpusBuilder(std::vector<HostileFile>& files) : m_files(files) {}

    void Add(std::string name, std::vector<std::uint8_t> bytes)
    {
        m_files.push_back({std::move(name), std::move(bytes)});
    }

    // A copy of `base` with a 16- or 32-bit field set to each of `values`.
    void Patch16(const HostileFile& base, const std::string& what, std::size_t offset,
                 std::initializer_list<std::uint32_t> values)
    {
        for (std::uint32_t value : values) {
            auto bytes = base.bytes;
            if (offset + 2 > bytes.size())
                return;
            PutU16(bytes, offset, static_cast<std::uint16_t>(value));
            Add(base.name + "/" + what + "=" + std::to_string(value & 0xFFFF), std::move(bytes));
        }
    }
    void Patch32(const HostileFile& base, const std::string& what, std::size_t offset,
                 std::initializer_list<std::uint32_t> values)
    {
        for (std::uint32_t value : values) {
            auto bytes = base.bytes;
            if (offset + 4 > bytes.size())
                return;
            PutU32(bytes, offset, value);
            Add(base.name + "/" + what + "=" + std::to_string(value), std::move(bytes));
        }
    }

private:
    std::vector<HostileFile>& m_files;
};

// The file cut at many lengths: through the header, at and around every sector boundary and
// around the start of every table.
void AddTruncations(CorpusBuilder& corpus, const HostileFile& base)
{
    const std::size_t size = base.bytes.size();
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n < std::min(size, kDvdSectorBytes); n += 61)
        lengths.push_back(n);
    for (std::size_t boundary = kDvdSectorBytes; boundary < size; boundary += kDvdSectorBytes)
        lengths.insert(lengths.end(), {boundary - 1, boundary, boundary + 1, boundary + 7});
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (const auto offset = TableOffset(base.bytes, slot))
            lengths.insert(lengths.end(),
                           {*offset + 2, *offset + 4, *offset + 8, *offset + 12, *offset + 0xEC});
    lengths.push_back(size - 1);
    std::sort(lengths.begin(), lengths.end());
    lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
    for (std::size_t length : lengths)
        if (length < size)
            corpus.Add(base.name + "/cut-" + std::to_string(length),
                       {base.bytes.begin(), base.bytes.begin() + static_cast<std::ptrdiff_t>(length)});
}

// Every header pointer and every table's count and size aimed at 0, the file's end, one past it
// and 0xFFFFFFFF, in sectors and in bytes.
void AddHeaderAndTableSizes(CorpusBuilder& corpus, const HostileFile& base)
{
    const auto size = static_cast<std::uint32_t>(base.bytes.size());
    const auto lastSector =
        static_cast<std::uint32_t>(size / kDvdSectorBytes - (size % kDvdSectorBytes == 0 ? 1 : 0));
    // Last sector of the set and of its information file, end of the header table, VOB starts.
    for (std::size_t offset : {0x00Cu, 0x01Cu, 0x080u, 0x0C0u, 0x0C4u})
        corpus.Patch32(base, "header@" + std::to_string(offset), offset,
                       {0, lastSector, lastSector + 1, size, size + 1, 0xFFFFFFFF});
    for (int slot = 1; slot <= kSlotCount; ++slot)
        corpus.Patch32(base, "slot" + std::to_string(slot), kFirstSlotPointer + 4 * std::size_t(slot - 1),
                       {0, 1, lastSector, lastSector + 1, size, 0xFFFFFFFF});
    // Stream counts beyond the header's slots.
    corpus.Patch16(base, "audioCount", 0x202, {9, 0xFFFF});
    corpus.Patch16(base, "subpictureCount", 0x254, {33, 0xFFFF});

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const auto offset = TableOffset(base.bytes, slot);
        if (!offset)
            continue;
        const std::string name = "table" + std::to_string(slot);
        const auto toEnd = static_cast<std::uint32_t>(size - *offset - 1);
        const std::size_t endField = slot == kMenuVobuMapSlot || slot == kVobuMapSlot ? 0 : 4;
        corpus.Patch32(base, name + "-end", *offset + endField, {0, toEnd, toEnd + 1, size, 0xFFFFFFFF});
        if (endField != 0)
            corpus.Patch16(base, name + "-count", *offset, {0, 1, 0xFFFF});
    }
}

// Program chains: counts of 0 and 65,535, search pointers anywhere, cell and program counts
// beyond the tables, program maps of 0 and 255, table offsets inside a PGC anywhere.
void AddProgramChainDamage(CorpusBuilder& corpus, const HostileFile& base)
{
    const auto pgci = TableOffset(base.bytes, kProgramChainSlot);
    if (!pgci)
        return;
    corpus.Patch16(base, "pgcCount", *pgci, {0, 65535});
    const std::uint32_t tableEnd = U32At(base.bytes, *pgci + 4);
    const int pgcCount = std::min<int>(U16At(base.bytes, *pgci), 2);
    for (int i = 0; i < pgcCount; ++i) {
        const std::string name = "pgc" + std::to_string(i + 1);
        const std::size_t pointer = *pgci + 8 + 8 * static_cast<std::size_t>(i) + 4;
        corpus.Patch32(base, name + "-offset", pointer, {0, 8, tableEnd, tableEnd + 1, 0xFFFFFFFF});
        const std::size_t pgc = *pgci + U32At(base.bytes, pointer);
        if (pgc + 0xEC > base.bytes.size())
            continue;
        for (const std::uint8_t cells : std::to_array<std::uint8_t>({0, 1, 255})) {
            auto bytes = base.bytes;
            bytes[pgc + 3] = cells;
            corpus.Add(base.name + "/" + name + "-cells=" + std::to_string(cells), std::move(bytes));
        }
        for (const std::uint8_t programs : std::to_array<std::uint8_t>({0, 255})) {
            auto bytes = base.bytes;
            bytes[pgc + 2] = programs;
            corpus.Add(base.name + "/" + name + "-programs=" + std::to_string(programs), std::move(bytes));
        }
        // Every entry of the program map (the first cell of each program) set to 0 or to 255.
        const std::size_t map = pgc + U16At(base.bytes, pgc + 0xE6);
        for (const std::uint8_t entry : std::to_array<std::uint8_t>({0, 255})) {
            auto bytes = base.bytes;
            for (std::size_t k = 0; k < base.bytes[pgc + 2] && map + k < bytes.size(); ++k)
                bytes[map + k] = entry;
            corpus.Add(base.name + "/" + name + "-programMap=" + std::to_string(entry), std::move(bytes));
        }
        for (std::size_t field : {0xE6u, 0xE8u, 0xEAu})
            corpus.Patch16(base, name + "@" + std::to_string(field), pgc + field, {0, 1, 0xEC, 0xFFFF});
        corpus.Patch32(base, name + "-time", pgc + 4, {0, 0x99595999, 0xFFFFFFFF});
    }
}

// Time maps: the count set to 0, 1 and 10,000 in the table, every map offset and entry count
// anywhere, time units of 0.
void AddTimeMapDamage(CorpusBuilder& corpus, const HostileFile& base)
{
    const auto tmapti = TableOffset(base.bytes, kTimeMapSlot);
    if (!tmapti)
        return;
    corpus.Patch16(base, "mapCount", *tmapti, {0, 1, 10000});
    const int maps = std::min<int>(U16At(base.bytes, *tmapti), 2);
    for (int i = 0; i < maps; ++i) {
        const std::string name = "map" + std::to_string(i + 1);
        const std::size_t pointer = *tmapti + 8 + 4 * static_cast<std::size_t>(i);
        corpus.Patch32(base, name + "-offset", pointer, {0, 4, 0xFFFF, 0xFFFFFFFF});
        const std::size_t map = *tmapti + U32At(base.bytes, pointer);
        corpus.Patch16(base, name + "-entries", map + 2, {0, 1, 0xFFFF});
        if (map < base.bytes.size()) {
            auto bytes = base.bytes;
            bytes[map] = 0;
            corpus.Add(base.name + "/" + name + "-timeUnit=0", std::move(bytes));
        }
    }
}

// Sets made by the fixture writer: a small sound one to damage, and sound sets at the limits.
HostileFile WrittenSet(const std::string& name, const TitleSetDraft& draft)
{
    return {"written/" + name, WriteTitleSet(draft).bytes};
}

TitleSetDraft SmallDraft(int pgcs, int cellsPerPgc, std::optional<std::vector<TimeMapDraft>> maps)
{
    TitleSetDraft draft;
    draft.video0 = 0x5D; // MPEG-2, PAL, 16:9, both display modes forbidden
    draft.audioCount = 2;
    draft.audio[0] = {0x00, 0x05, 'e', 'n', 0, 0, 0, 0};
    draft.audio[1] = {0xC0, 0x01, 'd', 'e', 0, 0, 0, 0};
    draft.subpictureCount = 1;
    draft.subpictures[0] = {0x01, 0, 'f', 'r', 0, 0};
    for (int p = 0; p < pgcs; ++p) {
        PgcDraft pgc{BcdTime(0, p % 60, 10 + p % 40, 0), {}, {}};
        for (int c = 0; c < cellsPerPgc; ++c) {
            if (c % 3 == 0)
                pgc.programMap.push_back(static_cast<std::uint8_t>(c + 1));
            pgc.cells.push_back({0, BcdTime(0, 0, 3 + c % 50, 0), static_cast<std::uint32_t>(100 * c),
                                 static_cast<std::uint32_t>(100 * c + 99)});
        }
        pgc.audioControl[0] = 0x8000;
        pgc.audioControl[1] = 0x8100;
        pgc.subpictureControl[0] = 0x80000000u;
        draft.pgcs.push_back(pgc);
    }
    draft.timeMaps = std::move(maps);
    return draft;
}

void AddWrittenSets(CorpusBuilder& corpus, std::vector<HostileFile>& bases)
{
    const TimeMapDraft map{1, {0, 40, 90, 130, 200, 260}};
    bases.push_back(WrittenSet("three", SmallDraft(3, 3, std::vector<TimeMapDraft>(3, map))));
    corpus.Add("written/no-time-map", WriteTitleSet(SmallDraft(3, 3, std::nullopt)).bytes);
    corpus.Add("written/no-pgcs", WriteTitleSet(SmallDraft(0, 0, std::vector<TimeMapDraft>{})).bytes);
    corpus.Add("written/pgc-without-cells",
               WriteTitleSet(SmallDraft(2, 0, std::vector<TimeMapDraft>{})).bytes);
    corpus.Add("written/maps-0", WriteTitleSet(SmallDraft(3, 3, std::vector<TimeMapDraft>{})).bytes);
    corpus.Add("written/maps-1", WriteTitleSet(SmallDraft(3, 3, std::vector<TimeMapDraft>(1, map))).bytes);
    corpus.Add("written/maps-10000",
               WriteTitleSet(SmallDraft(3, 3, std::vector<TimeMapDraft>(10000, map))).bytes);
    corpus.Add(
        "written/time-unit-0",
        WriteTitleSet(SmallDraft(3, 3, std::vector<TimeMapDraft>(3, TimeMapDraft{0, map.entries}))).bytes);
    corpus.Add("written/map-without-entries",
               WriteTitleSet(SmallDraft(3, 3, std::vector<TimeMapDraft>(3, TimeMapDraft{1, {}}))).bytes);
    corpus.Add(
        "written/falling-map",
        WrittenSet("",
                   SmallDraft(3, 3, std::vector<TimeMapDraft>(3, TimeMapDraft{1, {900, 40, 0xFFFFFFFF, 3}})))
            .bytes);
    // More tracks than the window lists (120), the first with 255 cells.
    TitleSetDraft wide = SmallDraft(120, 3, std::vector<TimeMapDraft>(120, map));
    wide.pgcs.front() = SmallDraft(1, 255, std::nullopt).pgcs.front();
    corpus.Add("written/120-pgcs-255-cells", WriteTitleSet(wide).bytes);
    // Every table at the same sector.
    HostileFile shared = WrittenSet("shared-tables", SmallDraft(3, 3, std::vector<TimeMapDraft>(3, map)));
    const std::uint32_t pgciSector = U32At(shared.bytes, kFirstSlotPointer + 4);
    for (int slot = 1; slot <= kSlotCount; ++slot)
        PutU32(shared.bytes, kFirstSlotPointer + 4 * std::size_t(slot - 1), pgciSector);
    corpus.Add(shared.name, std::move(shared.bytes));
}

void AddRandomFiles(CorpusBuilder& corpus)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    corpus.Add("empty", {});
    for (std::size_t size : {1u, 12u, 2047u, 2048u, 4096u, 10000u, 65536u}) {
        std::vector<std::uint8_t> bytes(size);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(byte(random));
        corpus.Add("random-" + std::to_string(size), bytes);
        // The same behind a good identifier and small sector pointers, so that the reader gets
        // past the header and into random tables.
        if (size >= kDvdSectorBytes) {
            constexpr std::string_view identifier = "DVDVIDEO-VTS";
            std::copy(identifier.begin(), identifier.end(), bytes.begin());
            for (int slot = 1; slot <= kSlotCount; ++slot)
                PutU32(bytes, kFirstSlotPointer + 4 * std::size_t(slot - 1),
                       static_cast<std::uint32_t>(1 + byte(random) % (size / kDvdSectorBytes)));
            corpus.Add("random-titleset-" + std::to_string(size), std::move(bytes));
        }
    }
}

} // namespace

std::vector<HostileFile> RealTitleSets(const std::string& fixturesDir)
{
    std::vector<std::filesystem::path> folders;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(fixturesDir) / "ifo"))
        if (entry.is_directory())
            folders.push_back(entry.path());
    std::sort(folders.begin(), folders.end());
    std::vector<HostileFile> sets;
    for (const auto& folder : folders)
        sets.push_back({folder.filename().string(), ReadFile(folder / "VTS_01_0.IFO")});
    return sets;
}

// The inputs kept from the long fuzz runs: the fewest that reach every piece of code those runs
// reached, so each test run replays all of it. Named by their contents' hash, as the fuzzer
// names them.
void AddFuzzedFiles(CorpusBuilder& corpus, const std::string& fixturesDir)
{
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(fixturesDir) / "fuzzed", error))
        if (entry.is_regular_file())
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths)
        corpus.Add("fuzzed/" + path.filename().string(), ReadFile(path));
}

std::vector<HostileFile> HostileCorpus(const std::string& fixturesDir)
{
    std::vector<HostileFile> files;
    CorpusBuilder corpus(files);
    std::vector<HostileFile> bases = RealTitleSets(fixturesDir);
    for (const auto& base : bases)
        corpus.Add(base.name + "/VIDEO_TS.IFO",
                   ReadFile(std::filesystem::path(fixturesDir) / "ifo" / base.name / "VIDEO_TS.IFO"));
    AddWrittenSets(corpus, bases);
    for (const auto& base : bases) {
        corpus.Add(base.name, base.bytes);
        AddTruncations(corpus, base);
        AddHeaderAndTableSizes(corpus, base);
        AddProgramChainDamage(corpus, base);
        AddTimeMapDamage(corpus, base);
    }
    AddRandomFiles(corpus);
    AddFuzzedFiles(corpus, fixturesDir);
    return files;
}

} // namespace ratewise::test_support
