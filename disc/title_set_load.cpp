// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/title_set_load.h"

#include <cstdio>

#include "disc/title_vobs.h"

namespace ratewise {
namespace {

// Bytes held by the opened disc, served as a source that keeps the disc alive.
class DiscBytesSource final : public ByteSource
{
public:
    DiscBytesSource(std::shared_ptr<const OpenedDisc> disc, std::span<const std::uint8_t> bytes)
        : m_disc(std::move(disc)), m_memory(bytes)
    {
    }
    bool Seek(std::int64_t offset) override { return m_memory.Seek(offset); }
    std::int64_t Read(std::span<std::uint8_t> out) override { return m_memory.Read(out); }
    std::uint64_t Size() const override { return m_memory.Size(); }
    int LastError() const override { return m_memory.LastError(); }

private:
    std::shared_ptr<const OpenedDisc> m_disc;
    MemoryByteSource m_memory;
};

TitleSetLoadResult Failure(LoadFailure failure, std::string why)
{
    return {std::nullopt, failure, std::move(why)};
}

} // namespace

std::unique_ptr<ByteSource> TitleSetLoad::OpenIfo() const
{
    if (disc->input.kind == DiscKind::TitleSet)
        return OpenFileSource(disc->input.titleSetPath);
    const TitleSetFile* set = disc->TitleSet(titleSet);
    if (!set)
        return nullptr;
    return std::make_unique<DiscBytesSource>(disc, set->bytes);
}

std::unique_ptr<ByteSource> TitleSetLoad::OpenTitleVobs(std::string* why) const
{
    return ratewise::OpenTitleVobs(*disc->input.files, titleSet, why);
}

TitleSetLoadResult LoadTitleSet(std::shared_ptr<const OpenedDisc> disc, TitleSetRequest request,
                                std::ostream& out, std::ostream& err, TrackList start)
{
    TitleSetLoad load;
    load.tracks = std::move(start);
    if (request.title != 0) {
        // A title table that was read but lists nothing is damaged, not a wrong title number.
        if (disc->hasTitleTable && disc->titles.empty())
            return Failure(LoadFailure::BadInput, "the disc's title table lists no titles (damaged)");
        if (request.title < 0 || static_cast<std::size_t>(request.title) > disc->titles.size())
            return Failure(LoadFailure::NoSuchSet, "no title " + std::to_string(request.title) +
                                                       ": the disc has " +
                                                       std::to_string(disc->titles.size()) + " titles");
        const DiscTitle& title = disc->titles[static_cast<std::size_t>(request.title - 1)];
        if (request.titleSet != 0 && request.titleSet != title.titleSet)
            return Failure(LoadFailure::NoSuchSet, "title " + std::to_string(request.title) +
                                                       " is in title set " + std::to_string(title.titleSet));
        if (title.track < 1 && disc->TitleSet(title.titleSet))
            return Failure(LoadFailure::BadInput,
                           "title " + std::to_string(request.title) + ": no track of title set " +
                               std::to_string(title.titleSet) + " plays it (its tables are damaged)");
        request.titleSet = title.titleSet;
        load.titleTrack = title.track - 1;
    }
    load.titleSet = request.titleSet != 0 ? request.titleSet : disc->DefaultTitleSet();
    const TitleSetFile* set = disc->TitleSet(load.titleSet);
    if (!set)
        return Failure(LoadFailure::NoSuchSet,
                       "no title set " + std::to_string(load.titleSet) + " on the disc");

    if (disc->input.kind == DiscKind::TitleSet) {
        // A lone title set is read exactly as it always was: from its path.
        load.name = disc->input.titleSetPath;
        if (!ifoParse(load.name, load.tracks, out, err))
            return Failure(LoadFailure::BadInput, "not a title-set information file");
    } else {
        load.name = disc->input.source + "/" + set->file;
        MemoryByteSource source(set->bytes);
        if (!ifoParse(source, load.name, load.tracks, out, err))
            return Failure(LoadFailure::BadInput, "not a title-set information file");
    }
    load.disc = std::move(disc);
    return {std::move(load), LoadFailure::None, {}};
}

TitleSetLoadResult LoadTitleSet(const std::string& path, TitleSetRequest request, std::ostream& out,
                                std::ostream& err)
{
    OpenedDiscResult opened = OpenDisc(path);
    if (!opened.disc)
        return Failure(LoadFailure::BadInput, opened.why);
    return LoadTitleSet(std::move(opened.disc), request, out, err);
}

} // namespace ratewise
