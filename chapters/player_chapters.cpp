// SPDX-License-Identifier: GPL-3.0-or-later
#include "chapters/player_chapters.h"

#include "common/dvd_time.h"
#include "ifo/cells.h"
#include "ifo/program_chain.h"
#include "ifo/video_attributes.h"

namespace ratewise {
namespace {

// The first cell (counting from 0) of each program, -1 where the program map names no cell of
// this chain.
std::vector<int> ProgramFirstCells(const TitleSetInfo& info, int track, std::size_t cellCount)
{
    std::vector<int> firsts;
    const std::optional<BeView> pgc = ifoGetPGC(&info, track);
    if (!pgc)
        return firsts;
    const auto programCount = pgc->U8(kPgcProgramCountOffset);
    const auto mapStart = pgc->U16(kPgcProgramMapOffset);
    if (!programCount || !mapStart)
        return firsts;
    const std::optional<BeView> map = pgc->Sub(*mapStart, *programCount);
    if (!map)
        return firsts;
    for (const std::uint8_t entry : map->Bytes())
        firsts.push_back(entry >= 1 && entry <= cellCount ? entry - 1 : -1);
    return firsts;
}

// The parts of the first title that plays program chain `chain` (from 1), in the title's order;
// nothing when no title plays it.
std::optional<TitleParts> PartsPlaying(const std::vector<TitleParts>& titles, int chain)
{
    for (const TitleParts& parts : titles) {
        TitleParts here;
        for (const PartOfTitle& part : parts) {
            if (part.programChain == chain)
                here.push_back(part);
        }
        if (!here.empty())
            return here;
    }
    return std::nullopt;
}

} // namespace

int NominalFramesPerSecond(const TitleSetInfo& info)
{
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(&info);
    return TimeCodeFramesPerSecond(!(video && video->standard == 0));
}

FrameRate TrueFrameRate(const TitleSetInfo& info)
{
    return NominalFramesPerSecond(info) == 30 ? kNtscFrameRate : kPalFrameRate;
}

std::optional<PlayerChapters>
BuildPlayerChapters(const TitleSetInfo& info, const std::optional<std::vector<TitleParts>>& titles, int track)
{
    const std::optional<std::vector<CellEntry>> cells = ifoGetCells(&info, track);
    if (!cells)
        return std::nullopt;
    const int perSecond = NominalFramesPerSecond(info);
    PlayerChapters chapters;
    chapters.rate = TrueFrameRate(info);
    for (const CellEntry& cell : *cells) {
        chapters.cellStarts.push_back(chapters.end);
        if (InFirstAngle(cell))
            chapters.end += PlaybackTimeFrames(cell.time, perSecond);
    }

    const std::vector<int> firstCells = ProgramFirstCells(info, track, cells->size());
    auto addProgram = [&](std::size_t program) {
        if (program < firstCells.size() && firstCells[program] >= 0)
            chapters.starts.push_back(chapters.cellStarts[static_cast<std::size_t>(firstCells[program])]);
    };
    const std::optional<TitleParts> parts = titles ? PartsPlaying(*titles, track + 1) : std::nullopt;
    if (parts) {
        for (const PartOfTitle& part : *parts) {
            if (part.program >= 1)
                addProgram(std::size_t{part.program} - 1);
        }
    } else {
        for (std::size_t program = 0; program < firstCells.size(); ++program)
            addProgram(program);
    }
    return chapters;
}

std::optional<PlayerChapters> ReadPlayerChapters(const std::string& ifoPath, int track)
{
    std::unique_ptr<ByteSource> source = OpenFileSource(ifoPath);
    if (!source)
        return std::nullopt;
    return ReadPlayerChapters(*source, track);
}

std::optional<PlayerChapters> ReadPlayerChapters(ByteSource& source, int track)
{
    std::unique_ptr<TitleSetInfo> info = ifoOpen(source);
    if (!info)
        return std::nullopt;
    const std::optional<std::vector<TitleParts>> titles = ReadPartOfTitleTable(source, info->header.View());
    std::optional<PlayerChapters> chapters = BuildPlayerChapters(*info, titles, track);
    ifoClose(std::move(info));
    return chapters;
}

} // namespace ratewise
